#include "platform/event_log/event_value_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace brask {
namespace {

using Type = EventValueType;

TEST(EventValueText, WritesEachTypeAsTheEventsXmlDoes) {
  const std::string guid("\x78\x56\x34\x12\x34\x12\x78\x56\x01\x02\x03\x04\x05\x06\x07\x08", 16);
  const struct {
    Type type;
    std::string bytes;
    std::optional<std::wstring> text;
  } cases[] = {
      {Type::Int32, std::string("\x49\x11\x07\x80", 4), L"-2147020471"},
      {Type::Int32, std::string(4, '\xFF'), L"-1"},
      {Type::SByte, "\x80", L"-128"},
      {Type::Int16, "\xFE\xFF", L"-2"},
      {Type::Int64, std::string(7, '\0') + '\x80', L"-9223372036854775808"},
      {Type::Byte, "\xFF", L"255"},
      {Type::UInt32, std::string(4, '\xFF'), L"4294967295"},
      {Type::UInt64, std::string(8, '\xFF'), L"18446744073709551615"},
      {Type::SizeT, std::string("\x0C\0\0\0", 4), L"12"},
      {Type::HexInt32, std::string("\x49\x11\x07\x80", 4), L"0x80071149"},
      {Type::HexInt32, std::string(4, '\0'), L"0x0"},
      {Type::HexInt64, std::string("\xE7\x03\0\0\0\0\0\0", 8), L"0x3e7"},
      {Type::Boolean, std::string("\x02\0\0\0", 4), L"true"},
      {Type::Boolean, std::string(4, '\0'), L"false"},
      {Type::Single, std::string("\0\0\xC0\x3F", 4), L"1.5"},
      {Type::Double, std::string("\0\0\0\0\0\0\xD0\xBF", 8), L"-0.25"},
      {Type::Binary, std::string("\x00\xFF\x10", 3), L"00FF10"},
      {Type::Guid, guid, L"{12345678-1234-5678-0102-030405060708}"},
      {Type::Sid, std::string("\x01\x02\0\0\0\0\0\x05\x20\0\0\0\x20\x02\0\0", 16), L"S-1-5-32-544"},
      {Type::Sid, std::string("\x01\x00\x01\0\0\0\0\x05", 8), L"S-1-0x010000000005"},
      {Type::FileTime, std::string(8, '\0'), L"1601-01-01T00:00:00.000000000Z"},
      // 2015-10-09T05:04:30.0009419Z
      {Type::FileTime, std::string("\xCB\x27\x92\xFA\x4F\x02\xD1\x01", 8), L"2015-10-09T05:04:30.000941900Z"},
      {Type::SysTime, std::string("\xD9\x07\x08\0\x01\0\x0A\0\x15\0\x02\0\x17\0\xF4\x01", 16),
       L"2009-08-10T21:02:23.500000000Z"},
      {Type::String, std::string("a\0\x3D\xD8\x00\xDE\0\xD8x\0\0\0z\0", 14), L"a\U0001F600\xD800x"},
      {Type::Int32, std::string(3, '\0'), std::nullopt},
      {Type::SizeT, std::string(2, '\0'), std::nullopt},
      {Type::Guid, guid.substr(1), std::nullopt},
      {Type::Sid, std::string("\x01\x02\0\0\0\0\0\x05\x20\0\0\0", 12), std::nullopt},
      {Type::AnsiString, "abc", std::nullopt},
      {Type::Null, "", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(eventValueText(static_cast<unsigned>(c.type), c.bytes), c.text)
        << static_cast<unsigned>(c.type) << " " << testing::PrintToString(c.bytes);
  }
}

}  // namespace
}  // namespace brask
