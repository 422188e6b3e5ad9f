#include "platform/event_log/event_value_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "platform/event_log/file_time.h"
#include "platform/text/decimal_text.h"

namespace brask {
namespace {

// The number in the first `count` bytes, little-endian.
std::uint64_t little(std::string_view bytes, std::size_t at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = count; i-- > 0;)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void appendUnsigned(std::wstring& text, std::uint64_t value) {
  wchar_t digits[20];
  wchar_t* start = digits + 20;
  do {
    *--start = static_cast<wchar_t>(L'0' + value % 10);
    value /= 10;
  } while (value != 0);
  text.append(start, digits + 20);
}

// `count` hexadecimal digits of the value, in the letter case of `digits`.
void appendHex(std::wstring& text, std::uint64_t value, int count,
               const wchar_t* digits = L"0123456789ABCDEF") {
  for (int shift = (count - 1) * 4; shift >= 0; shift -= 4) text += digits[value >> shift & 0xF];
}

std::wstring doubleText(double value) {
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  return error == std::errc() ? std::wstring(digits, end) : std::wstring();
}

// Text of UTF-16 units up to the first null; a unit of no pair stays as it is.
std::wstring utf16Text(std::string_view bytes) {
  std::wstring text;
  for (std::size_t at = 0; at + 2 <= bytes.size(); at += 2) {
    const auto unit = static_cast<std::uint32_t>(little(bytes, at, 2));
    if (unit == 0) break;
    const auto next = static_cast<std::uint32_t>(at + 4 <= bytes.size() ? little(bytes, at + 2, 2) : 0);
    if (sizeof(wchar_t) == 4 && unit >= 0xD800 && unit < 0xDC00 && next >= 0xDC00 &&
        next < 0xE000) {
      text += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
      at += 2;
    } else {
      text += static_cast<wchar_t>(unit);
    }
  }
  return text;
}

// S-revision-authority-subauthority..., the authority in hexadecimal when beyond 32 bits.
std::optional<std::wstring> sidText(std::string_view sid) {
  if (sid.size() < 8) return std::nullopt;
  const std::size_t count = static_cast<unsigned char>(sid[1]);
  if (sid.size() < 8 + 4 * count) return std::nullopt;
  std::wstring text = L"S-";
  appendUnsigned(text, static_cast<unsigned char>(sid[0]));
  std::uint64_t authority = 0;
  for (std::size_t i = 2; i < 8; ++i)
    authority = authority << 8 | static_cast<unsigned char>(sid[i]);
  text += L'-';
  if (authority >> 32 != 0) {
    text += L"0x";
    appendHex(text, authority, 12);
  } else {
    appendUnsigned(text, authority);
  }
  for (std::size_t i = 0; i < count; ++i) {
    text += L'-';
    appendUnsigned(text, little(sid, 8 + 4 * i, 4));
  }
  return text;
}

std::wstring guidText(std::string_view guid) {
  std::wstring text = L"{";
  appendHex(text, little(guid, 0, 4), 8);
  text += L'-';
  appendHex(text, little(guid, 4, 2), 4);
  text += L'-';
  appendHex(text, little(guid, 6, 2), 4);
  text += L'-';
  for (std::size_t i = 8; i < 16; ++i) {
    if (i == 10) text += L'-';
    appendHex(text, static_cast<unsigned char>(guid[i]), 2);
  }
  return text + L"}";
}

// Year, month, day of the week, day, hour, minute, second and millisecond, 16 bits each.
std::wstring systemTimeText(std::string_view time) {
  const auto field = [&](std::size_t i) { return static_cast<int>(little(time, 2 * i, 2)); };
  return utcTimeText({field(0), field(1), field(3), field(4), field(5), field(6)},
                     std::int64_t{field(7)} * 1000000, 9);
}

}  // namespace

std::size_t eventValueSize(unsigned type) {
  switch (static_cast<EventValueType>(type)) {
    case EventValueType::SByte:
    case EventValueType::Byte: return 1;
    case EventValueType::Int16:
    case EventValueType::UInt16: return 2;
    case EventValueType::Int32:
    case EventValueType::UInt32:
    case EventValueType::HexInt32:
    case EventValueType::Single:
    case EventValueType::Boolean: return 4;
    case EventValueType::Int64:
    case EventValueType::UInt64:
    case EventValueType::HexInt64:
    case EventValueType::Double:
    case EventValueType::FileTime: return 8;
    case EventValueType::Guid:
    case EventValueType::SysTime: return 16;
    default: return 0;
  }
}

std::optional<std::wstring> eventValueText(unsigned type, std::string_view bytes) {
  const std::size_t size = eventValueSize(type);
  if (size != 0 && bytes.size() != size) return std::nullopt;
  const std::uint64_t number = little(bytes, 0, std::min<std::size_t>(bytes.size(), 8));
  std::wstring text;
  switch (static_cast<EventValueType>(type)) {
    case EventValueType::String:
      return utf16Text(bytes);
    case EventValueType::SizeT:
      if (bytes.size() != 4 && bytes.size() != 8) return std::nullopt;
      [[fallthrough]];
    case EventValueType::Byte:
    case EventValueType::UInt16:
    case EventValueType::UInt32:
    case EventValueType::UInt64:
      appendUnsigned(text, number);
      return text;
    case EventValueType::SByte:
    case EventValueType::Int16:
    case EventValueType::Int32:
    case EventValueType::Int64: {
      // Sign-extended from the value's width.
      const std::size_t unused = 64 - 8 * size;
      appendDecimal(text, static_cast<std::int64_t>(number << unused) >> unused);
      return text;
    }
    case EventValueType::HexInt32:
    case EventValueType::HexInt64: {
      int count = 1;
      while (count < 16 && number >> (count * 4) != 0) ++count;
      text = L"0x";
      appendHex(text, number, count, L"0123456789abcdef");
      return text;
    }
    case EventValueType::Single: {
      float value;
      std::memcpy(&value, bytes.data(), sizeof value);
      return doubleText(value);
    }
    case EventValueType::Double: {
      double value;
      std::memcpy(&value, bytes.data(), sizeof value);
      return doubleText(value);
    }
    case EventValueType::Boolean:
      return number != 0 ? L"true" : L"false";
    case EventValueType::Binary:
      for (const char byte : bytes) appendHex(text, static_cast<unsigned char>(byte), 2);
      return text;
    case EventValueType::Guid:
      return guidText(bytes);
    case EventValueType::FileTime:
      return fileTimeText(number);
    case EventValueType::SysTime:
      return systemTimeText(bytes);
    case EventValueType::Sid:
      return sidText(bytes);
    default:
      return std::nullopt;
  }
}

}  // namespace brask
