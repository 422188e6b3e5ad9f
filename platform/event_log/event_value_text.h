// An event's values as text, as Windows writes them in the event's XML. A value comes as
// its type, the number that a saved log's binary XML gives it and that the Event Log API's
// EVT_VARIANT_TYPE shares, and its bytes as both hold them (little-endian).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brask {

enum class EventValueType : unsigned {
  Null = 0,
  String = 1,  // UTF-16
  AnsiString = 2,
  SByte = 3,
  Byte = 4,
  Int16 = 5,
  UInt16 = 6,
  Int32 = 7,
  UInt32 = 8,
  Int64 = 9,
  UInt64 = 10,
  Single = 11,
  Double = 12,
  Boolean = 13,  // 32 bits
  Binary = 14,
  Guid = 15,
  SizeT = 16,  // 32 or 64 bits
  FileTime = 17,
  SysTime = 18,
  Sid = 19,
  HexInt32 = 20,
  HexInt64 = 21,
  BinXml = 33,  // a fragment of binary XML
};
// Added to a type: an array of values of that type.
inline constexpr unsigned kEventValueArray = 0x80;

// The size of every value of a type, for the types whose values have one; 0 for the others.
std::size_t eventValueSize(unsigned type);

// The text of a value: text up to its first null; integers in decimal; HexInt32 and
// HexInt64 as 0x and lowercase hexadecimal digits; Single and Double in the fewest digits
// that read back as the value; a boolean as true or false; binary data as two uppercase
// hexadecimal digits a byte; a GUID in braces, in uppercase; a SID as S-1-5-18; a FILETIME
// or SYSTEMTIME in UTC to the nanosecond, as 2015-10-09T05:04:30.000941900Z. Nothing for
// ANSI text, XML, null, arrays and bytes that do not make a value of the type.
std::optional<std::wstring> eventValueText(unsigned type, std::string_view bytes);

}  // namespace brask
