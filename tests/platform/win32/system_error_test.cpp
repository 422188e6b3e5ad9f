#include "platform/win32/system_error.h"

#include <gtest/gtest.h>

namespace brask {
namespace {

TEST(SystemError, MessagesOfTheSystemWithoutTheirLineBreak) {
  for (DWORD code :
       {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_PATH_NOT_FOUND}}) {
    const std::wstring text = systemErrorText(code);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_NE(text, L"Unknown error") << code;
    EXPECT_NE(text.back(), L'\n') << code;
  }
  EXPECT_EQ(systemErrorText(0x7FFF7FFF), L"Unknown error");
}

TEST(SystemError, CarriesTheCodeAndTheAction) {
  const RunTimeError error = systemError(L"Opening \"C:\\BRASK.txt\"", ERROR_ACCESS_DENIED);
  EXPECT_EQ(error.code(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(error.action(), L"Opening \"C:\\BRASK.txt\"");
  EXPECT_EQ(error.description(), systemErrorText(ERROR_ACCESS_DENIED));
}

}  // namespace
}  // namespace brask
