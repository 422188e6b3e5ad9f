#include "platform/win32/wmi/com_error.h"

#include <wbemcli.h>

#include "platform/run_time_error.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wmi/com_ptr.h"

namespace brask {
namespace {

constexpr HRESULT kWmiFirst = static_cast<HRESULT>(0x80041000);
constexpr HRESULT kWmiLast = static_cast<HRESULT>(0x80045FFF);

// WMI's text for its codes, through its status-code object; empty when it has none.
std::wstring wmiText(HRESULT hr) {
  ComPtr<IWbemStatusCodeText> status;
  if (FAILED(CoCreateInstance(CLSID_WbemStatusCodeText, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWbemStatusCodeText, status.putVoid()))) {
    return {};
  }
  BSTR text = nullptr;
  std::wstring result;
  if (SUCCEEDED(status->GetErrorCodeText(hr, 0, 0, &text)) && text) {
    result.assign(text, SysStringLen(text));
  }
  SysFreeString(text);
  while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r')) result.pop_back();
  return result;
}

}  // namespace

std::wstring hresultText(HRESULT hr) {
  if (hr >= kWmiFirst && hr <= kWmiLast) {
    const std::wstring text = wmiText(hr);
    if (!text.empty()) return text;
  }
  return systemErrorText(static_cast<DWORD>(hr));
}

void throwIfFailed(HRESULT hr, const std::wstring& action) {
  if (FAILED(hr)) throw RunTimeError(action, static_cast<long>(hr), hresultText(hr));
}

}  // namespace brask
