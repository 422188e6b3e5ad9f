#include "platform/win32/wmi/variant_value.h"

#include <cstdint>
#include <string>

#include "platform/win32/wmi/com_error.h"

namespace brask {
namespace {

std::wstring bstrText(BSTR text) {
  return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace

PropertyValue propertyValue(const VARIANT& value, CIMTYPE cimType) {
  switch (V_VT(&value)) {
    case VT_EMPTY:
    case VT_NULL:
      return std::monostate{};
    case VT_BSTR:
      return bstrText(V_BSTR(&value));
    case VT_I1:
      return std::int64_t{V_I1(&value)};
    case VT_UI1:
      return std::int64_t{V_UI1(&value)};
    case VT_I2:
      return std::int64_t{V_I2(&value)};
    case VT_UI2:
      return std::int64_t{V_UI2(&value)};
    case VT_I4:
      // WMI carries its unsigned 32-bit values in a signed VARIANT.
      if (cimType == CIM_UINT32) return std::int64_t{static_cast<std::uint32_t>(V_I4(&value))};
      return std::int64_t{V_I4(&value)};
    case VT_UI4:
      return std::int64_t{V_UI4(&value)};
    case VT_INT:
      return std::int64_t{V_INT(&value)};
    case VT_UINT:
      return std::int64_t{V_UINT(&value)};
    case VT_I8:
      return std::int64_t{V_I8(&value)};
    case VT_UI8:
      if (V_UI8(&value) > static_cast<ULONGLONG>(INT64_MAX)) return std::to_wstring(V_UI8(&value));
      return static_cast<std::int64_t>(V_UI8(&value));
    default:
      break;
  }
  VARIANT text;
  VariantInit(&text);
  throwIfFailed(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR),
                L"Reading a property as text");
  std::wstring result = bstrText(V_BSTR(&text));
  VariantClear(&text);
  return result;
}

}  // namespace brask
