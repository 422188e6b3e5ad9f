#include "platform/win32/wevtapi/evt_values.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "platform/event_log/event_data_xml.h"
#include "platform/event_log/event_value_text.h"
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
    L"Event/System/EventRecordID",
    L"Event/System/Computer",
    L"Event/System/Channel",
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

std::wstring ansiText(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

// The bytes of a value that is no text, as a saved log holds them; none for a null pointer.
std::string_view bytesOf(const EVT_VARIANT& value) {
  const auto bytes = [](const void* at, std::size_t size) {
    return at ? std::string_view(static_cast<const char*>(at), size) : std::string_view();
  };
  switch (value.Type) {
    case EvtVarTypeGuid: return bytes(value.GuidVal, sizeof(GUID));
    case EvtVarTypeSysTime: return bytes(value.SysTimeVal, sizeof(SYSTEMTIME));
    case EvtVarTypeBinary: return bytes(value.BinaryVal, value.Count);
    case EvtVarTypeSid:
      return bytes(value.SidVal, value.SidVal ? 8 + 4 * static_cast<const BYTE*>(value.SidVal)[1] : 0);
    case EvtVarTypeSizeT: return bytes(&value.SizeTVal, sizeof value.SizeTVal);
    // The numbers, in the union the value starts with.
    default: return bytes(&value.UInt64Val, eventValueSize(value.Type));
  }
}

}  // namespace

EvtRenderer::EvtRenderer(const Wevtapi& api) : api_(api) {
  const EVT_HANDLE system = api.createRenderContext(kSystemCount, const_cast<LPCWSTR*>(kSystemPaths),
                                                    EvtRenderContextValues);
  if (!system) {
    const DWORD error = GetLastError();
    throw systemError(L"Creating the render context of the event values", error);
  }
  system_ = EvtHandle(api, system);
  const EVT_HANDLE user = api.createRenderContext(0, nullptr, EvtRenderContextUser);
  if (!user) {
    const DWORD error = GetLastError();
    throw systemError(L"Creating the render context of the event strings", error);
  }
  user_ = EvtHandle(api, user);
}

const EVT_VARIANT* EvtRenderer::render(const EvtHandle& context, EVT_HANDLE event, DWORD& count,
                                       DWORD& error) {
  DWORD used = 0;
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer_.size() * sizeof buffer_[0]);
    if (api_.render(context.get(), event, EvtRenderEventValues, size,
                    buffer_.empty() ? nullptr : buffer_.data(), &used, &count)) {
      return reinterpret_cast<const EVT_VARIANT*>(buffer_.data());
    }
    error = GetLastError();
    if (error != ERROR_INSUFFICIENT_BUFFER || used <= size) return nullptr;
    buffer_.resize((used + sizeof buffer_[0] - 1) / sizeof buffer_[0]);
  }
}

EvtSystemValues EvtRenderer::systemValues(EVT_HANDLE event) {
  DWORD count = 0;
  DWORD error = ERROR_SUCCESS;
  const EVT_VARIANT* values = render(system_, event, count, error);
  if (!values) throw systemError(L"Reading the values of an event", error);
  EvtSystemValues system;
  if (count < kSystemCount) return system;
  system.level = numberOf<int>(values[0], INT_MAX);
  system.keywords = unsignedOf(values[1]).value_or(0);
  system.task = numberOf<std::int64_t>(values[2], INT64_MAX);
  system.eventId = numberOf<std::uint32_t>(values[3], UINT32_MAX);
  system.provider = stringOf(values[4]);
  system.eventSourceName = stringOf(values[5]);
  system.timeCreated = fileTimeOf(values[6]);
  system.recordId = unsignedOf(values[7]);
  system.computer = stringOf(values[8]);
  system.channel = stringOf(values[9]);
  return system;
}

std::vector<std::wstring> EvtRenderer::strings(EVT_HANDLE event) {
  DWORD count = 0;
  DWORD error = ERROR_SUCCESS;
  const EVT_VARIANT* values = render(user_, event, count, error);
  std::vector<std::wstring> strings;
  for (DWORD i = 0; values && i < count; ++i) strings.push_back(variantText(values[i]));
  // A last value of binary data, or an empty one, may be a classic event's Binary element,
  // which only the event's XML tells apart from a binary-typed Data.
  const DWORD last = values && count > 0 ? values[count - 1].Type : DWORD{EvtVarTypeString};
  if ((last == EvtVarTypeBinary || last == EvtVarTypeNull) && endsInBinary(xml(event)))
    strings.pop_back();
  return strings;
}

std::wstring EvtRenderer::xml(EVT_HANDLE event) {
  DWORD used = 0;
  DWORD count = 0;
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer_.size() * sizeof buffer_[0]);
    if (api_.render(nullptr, event, EvtRenderEventXml, size, buffer_.empty() ? nullptr : buffer_.data(),
                    &used, &count)) {
      const auto* text = reinterpret_cast<const wchar_t*>(buffer_.data());
      const std::wstring xml(text, std::min<std::size_t>(used, size) / sizeof(wchar_t));
      return xml.substr(0, xml.find(L'\0'));
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || used <= size) return {};
    buffer_.resize((used + sizeof buffer_[0] - 1) / sizeof buffer_[0]);
  }
}

namespace {

// Element i of an array value, as a value of its own.
EVT_VARIANT elementOf(const EVT_VARIANT& array, DWORD i) {
  EVT_VARIANT element{};
  element.Type = array.Type & EVT_VARIANT_TYPE_MASK;
  switch (element.Type) {
    case EvtVarTypeBoolean: element.BooleanVal = array.BooleanArr[i]; break;
    case EvtVarTypeSByte: element.SByteVal = array.SByteArr[i]; break;
    case EvtVarTypeInt16: element.Int16Val = array.Int16Arr[i]; break;
    case EvtVarTypeInt32: element.Int32Val = array.Int32Arr[i]; break;
    case EvtVarTypeInt64: element.Int64Val = array.Int64Arr[i]; break;
    case EvtVarTypeByte: element.ByteVal = array.ByteArr[i]; break;
    case EvtVarTypeUInt16: element.UInt16Val = array.UInt16Arr[i]; break;
    case EvtVarTypeUInt32:
    case EvtVarTypeHexInt32: element.UInt32Val = array.UInt32Arr[i]; break;
    case EvtVarTypeUInt64:
    case EvtVarTypeHexInt64: element.UInt64Val = array.UInt64Arr[i]; break;
    case EvtVarTypeSingle: element.SingleVal = array.SingleArr[i]; break;
    case EvtVarTypeDouble: element.DoubleVal = array.DoubleArr[i]; break;
    case EvtVarTypeFileTime:
      element.FileTimeVal = std::uint64_t{array.FileTimeArr[i].dwHighDateTime} << 32 |
                            array.FileTimeArr[i].dwLowDateTime;
      break;
    case EvtVarTypeSysTime: element.SysTimeVal = array.SysTimeArr + i; break;
    case EvtVarTypeGuid: element.GuidVal = array.GuidArr + i; break;
    case EvtVarTypeString:
    case EvtVarTypeEvtXml: element.StringVal = array.StringArr[i]; break;
    case EvtVarTypeAnsiString: element.AnsiStringVal = array.AnsiStringArr[i]; break;
    case EvtVarTypeSid: element.SidVal = array.SidArr[i]; break;
    case EvtVarTypeSizeT: element.SizeTVal = array.SizeTArr[i]; break;
    default: element.Type = EvtVarTypeNull; break;
  }
  return element;
}

}  // namespace

std::wstring variantText(const EVT_VARIANT& value) {
  std::wstring text;
  if (value.Type & EVT_VARIANT_TYPE_ARRAY) {
    // Its elements one after another, a blank between, as the strings are joined.
    for (DWORD i = 0; value.Count > 0 && value.StringArr && i < value.Count; ++i) {
      if (i > 0) text += L' ';
      text += variantText(elementOf(value, i));
    }
    return text;
  }
  switch (value.Type) {
    case EvtVarTypeString:
    case EvtVarTypeEvtXml:
      return value.StringVal ? value.StringVal : L"";
    case EvtVarTypeAnsiString:
      return value.AnsiStringVal ? ansiText(value.AnsiStringVal) : L"";
    default:
      return eventValueText(value.Type, bytesOf(value)).value_or(std::wstring());
  }
}

}  // namespace brask
