#include "platform/win32/wevtapi/evt_values.h"

#include <charconv>
#include <climits>

#include "platform/event_log/file_time.h"
#include "platform/win32/system_error.h"

namespace brask {
namespace {

// The System values, in this order.
const wchar_t* const kSystemPaths[] = {
    L"Event/System/Level",
    L"Event/System/Keywords",
    L"Event/System/Task",
    L"Event/System/EventID",
    L"Event/System/Provider/@Name",
    L"Event/System/Provider/@EventSourceName",
    L"Event/System/TimeCreated/@SystemTime",
};
constexpr DWORD kSystemCount = sizeof kSystemPaths / sizeof kSystemPaths[0];

std::optional<std::uint64_t> unsignedOf(const EVT_VARIANT& value) {
  switch (value.Type) {
    case EvtVarTypeByte: return value.ByteVal;
    case EvtVarTypeUInt16: return value.UInt16Val;
    case EvtVarTypeUInt32:
    case EvtVarTypeHexInt32: return value.UInt32Val;
    case EvtVarTypeUInt64:
    case EvtVarTypeHexInt64: return value.UInt64Val;
    case EvtVarTypeSizeT: return value.SizeTVal;
    case EvtVarTypeSByte: if (value.SByteVal >= 0) return value.SByteVal; break;
    case EvtVarTypeInt16: if (value.Int16Val >= 0) return value.Int16Val; break;
    case EvtVarTypeInt32: if (value.Int32Val >= 0) return value.Int32Val; break;
    case EvtVarTypeInt64: if (value.Int64Val >= 0) return value.Int64Val; break;
    default: break;
  }
  return std::nullopt;
}

std::optional<std::int64_t> signedOf(const EVT_VARIANT& value) {
  switch (value.Type) {
    case EvtVarTypeSByte: return value.SByteVal;
    case EvtVarTypeInt16: return value.Int16Val;
    case EvtVarTypeInt32: return value.Int32Val;
    case EvtVarTypeInt64: return value.Int64Val;
    default: return std::nullopt;
  }
}

template <typename Number>
std::optional<Number> numberOf(const EVT_VARIANT& value, std::uint64_t largest) {
  const std::optional<std::uint64_t> number = unsignedOf(value);
  if (!number || *number > largest) return std::nullopt;
  return static_cast<Number>(*number);
}

std::optional<std::wstring> stringOf(const EVT_VARIANT& value) {
  if (value.Type != EvtVarTypeString || !value.StringVal) return std::nullopt;
  return std::wstring(value.StringVal);
}

std::optional<std::uint64_t> fileTimeOf(const EVT_VARIANT& value) {
  if (value.Type == EvtVarTypeFileTime) return value.FileTimeVal;
  FILETIME time;
  if (value.Type == EvtVarTypeSysTime && value.SysTimeVal &&
      SystemTimeToFileTime(value.SysTimeVal, &time)) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
  }
  return std::nullopt;
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

// Uppercase hexadecimal digits, `count` of them.
void appendHex(std::wstring& text, std::uint64_t value, int count) {
  for (int shift = (count - 1) * 4; shift >= 0; shift -= 4)
    text += L"0123456789ABCDEF"[value >> shift & 0xF];
}

// Hexadecimal without leading zeros.
void appendHex(std::wstring& text, std::uint64_t value) {
  int count = 1;
  while (count < 16 && value >> (count * 4) != 0) ++count;
  appendHex(text, value, count);
}

std::wstring guidText(const GUID& guid) {
  std::wstring text = L"{";
  appendHex(text, guid.Data1, 8);
  text += L'-';
  appendHex(text, guid.Data2, 4);
  text += L'-';
  appendHex(text, guid.Data3, 4);
  text += L'-';
  for (int i = 0; i < 8; ++i) {
    if (i == 2) text += L'-';
    appendHex(text, guid.Data4[i], 2);
  }
  return text + L"}";
}

// S-revision-authority-subauthority..., the authority in hexadecimal when beyond 32 bits.
std::wstring sidText(const BYTE* sid) {
  std::wstring text = L"S-";
  appendUnsigned(text, sid[0]);
  std::uint64_t authority = 0;
  for (int i = 2; i < 8; ++i) authority = authority << 8 | sid[i];
  text += L'-';
  if (authority >> 32 != 0) {
    text += L"0x";
    appendHex(text, authority, 12);
  } else {
    appendUnsigned(text, authority);
  }
  for (int i = 0; i < sid[1]; ++i) {
    const BYTE* part = sid + 8 + 4 * i;
    text += L'-';
    appendUnsigned(text, part[0] | part[1] << 8 | part[2] << 16 | std::uint32_t{part[3]} << 24);
  }
  return text;
}

std::wstring doubleText(double value) {
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  return error == std::errc() ? std::wstring(digits, end) : std::wstring();
}

std::wstring ansiText(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

}  // namespace

EvtRenderer::EvtRenderer(const Wevtapi& api) : api_(api) {
  system_ = EvtHandle(api, api.createRenderContext(kSystemCount, const_cast<LPCWSTR*>(kSystemPaths),
                                                   EvtRenderContextValues));
  if (!system_) throw lastError(L"Creating the render context of the event values");
  user_ = EvtHandle(api, api.createRenderContext(0, nullptr, EvtRenderContextUser));
  if (!user_) throw lastError(L"Creating the render context of the event strings");
}

const EVT_VARIANT* EvtRenderer::render(const EvtHandle& context, EVT_HANDLE event, DWORD& count) {
  DWORD used = 0;
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer_.size() * sizeof buffer_[0]);
    if (api_.render(context.get(), event, EvtRenderEventValues, size,
                    buffer_.empty() ? nullptr : buffer_.data(), &used, &count)) {
      return reinterpret_cast<const EVT_VARIANT*>(buffer_.data());
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || used <= size)
      throw lastError(L"Reading the values of an event");
    buffer_.resize((used + sizeof buffer_[0] - 1) / sizeof buffer_[0]);
  }
}

EvtSystemValues EvtRenderer::systemValues(EVT_HANDLE event) {
  DWORD count = 0;
  const EVT_VARIANT* values = render(system_, event, count);
  EvtSystemValues system;
  if (count < kSystemCount) return system;
  system.level = numberOf<int>(values[0], INT_MAX);
  system.keywords = unsignedOf(values[1]).value_or(0);
  system.task = numberOf<std::int64_t>(values[2], INT64_MAX);
  system.eventId = numberOf<std::uint32_t>(values[3], UINT32_MAX);
  system.provider = stringOf(values[4]);
  system.eventSourceName = stringOf(values[5]);
  system.timeCreated = fileTimeOf(values[6]);
  return system;
}

std::vector<std::wstring> EvtRenderer::strings(EVT_HANDLE event) {
  DWORD count = 0;
  const EVT_VARIANT* values = render(user_, event, count);
  std::vector<std::wstring> strings;
  for (DWORD i = 0; i < count; ++i) strings.push_back(variantText(values[i]));
  return strings;
}

std::wstring variantText(const EVT_VARIANT& value) {
  std::wstring text;
  switch (value.Type) {
    case EvtVarTypeString:
    case EvtVarTypeEvtXml:
      return value.StringVal ? value.StringVal : L"";
    case EvtVarTypeAnsiString:
      return value.AnsiStringVal ? ansiText(value.AnsiStringVal) : L"";
    case EvtVarTypeBoolean:
      return value.BooleanVal ? L"true" : L"false";
    case EvtVarTypeSingle:
      return doubleText(value.SingleVal);
    case EvtVarTypeDouble:
      return doubleText(value.DoubleVal);
    case EvtVarTypeHexInt32:
    case EvtVarTypeHexInt64:
      text = L"0x";
      appendHex(text, value.Type == EvtVarTypeHexInt32 ? value.UInt32Val : value.UInt64Val);
      return text;
    case EvtVarTypeGuid:
      return value.GuidVal ? guidText(*value.GuidVal) : L"";
    case EvtVarTypeSid:
      return value.SidVal ? sidText(static_cast<const BYTE*>(value.SidVal)) : L"";
    case EvtVarTypeBinary:
      // Count holds the number of bytes.
      for (DWORD i = 0; value.BinaryVal && i < value.Count; ++i) appendHex(text, value.BinaryVal[i], 2);
      return text;
    case EvtVarTypeFileTime:
    case EvtVarTypeSysTime:
      if (const std::optional<std::uint64_t> time = fileTimeOf(value))
        return systemTimeText(unixMicroseconds(*time));
      return text;
    default:
      break;
  }
  if (const std::optional<std::int64_t> number = signedOf(value)) {
    if (*number < 0) {
      text = L"-";
      appendUnsigned(text, 0 - static_cast<std::uint64_t>(*number));
      return text;
    }
  }
  if (const std::optional<std::uint64_t> number = unsignedOf(value)) appendUnsigned(text, *number);
  return text;
}

}  // namespace brask
