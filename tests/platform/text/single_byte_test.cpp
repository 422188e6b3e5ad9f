#include "platform/text/single_byte.h"

#include <gtest/gtest.h>

namespace brask {
namespace {

TEST(SingleByte, OneByteACharacterAndQuestionMarkBeyond) {
  struct Case {
    std::wstring text;
    std::string bytes;
  } cases[] = {
      {L"dd/MM/yyyy", "dd/MM/yyyy"},
      {L"d.\u00e9 \u00ff", "d.\xe9 \xff"},
      {L"yyyy\u5e74M\u6708", "yyyy?M?"},
      {L"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toSingleByte(c.text), c.bytes) << "text of " << c.text.size() << " characters";
  }
  EXPECT_EQ(fromSingleByte("d.\xe9 \xff"), L"d.\u00e9 \u00ff");
}

}  // namespace
}  // namespace brask
