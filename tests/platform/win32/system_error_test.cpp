#include "platform/win32/system_error.h"

#include <gtest/gtest.h>
#include <wbemcli.h>

#include "platform/win32/com_error.h"

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

TEST(SystemError, LastErrorCarriesTheCodeAndTheAction) {
  SetLastError(ERROR_ACCESS_DENIED);
  const RunTimeError error = lastError(L"Opening \"C:\\BRASK.txt\"");
  EXPECT_EQ(error.code(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(error.action(), L"Opening \"C:\\BRASK.txt\"");
  EXPECT_EQ(error.description(), systemErrorText(ERROR_ACCESS_DENIED));
}

TEST(ComError, FailuresThrowAndSuccessesPass) {
  EXPECT_NO_THROW(throwIfFailed(S_OK, L"nothing"));
  EXPECT_NO_THROW(throwIfFailed(S_FALSE, L"nothing"));
  const HRESULT failures[] = {E_OUTOFMEMORY, E_INVALIDARG, static_cast<HRESULT>(WBEM_E_NOT_FOUND),
                              static_cast<HRESULT>(WBEM_E_INVALID_QUERY)};
  for (const HRESULT hr : failures) {
    try {
      throwIfFailed(hr, L"Running the query");
      ADD_FAILURE() << std::hex << hr << " passed";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.code(), static_cast<long>(hr));
      EXPECT_EQ(error.action(), L"Running the query");
      EXPECT_FALSE(error.description().empty()) << std::hex << hr;
    }
  }
}

}  // namespace
}  // namespace brask
