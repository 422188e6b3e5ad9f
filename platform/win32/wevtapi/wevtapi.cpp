#include "platform/win32/wevtapi/wevtapi.h"

#include <string>

#include "platform/win32/module_function.h"

namespace brask {

std::optional<Wevtapi> loadWevtapi() {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  // In a 32-bit process on 64-bit Windows the file system turns this into SysWOW64's DLL.
  const std::wstring path = std::wstring(system, length) + L"\\wevtapi.dll";
  const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, 0);
  if (!module) return std::nullopt;
  const Wevtapi api{
      moduleFunction<decltype(&::EvtQuery)>(module, "EvtQuery"),
      moduleFunction<decltype(&::EvtNext)>(module, "EvtNext"),
      moduleFunction<decltype(&::EvtCreateRenderContext)>(module, "EvtCreateRenderContext"),
      moduleFunction<decltype(&::EvtRender)>(module, "EvtRender"),
      moduleFunction<decltype(&::EvtOpenPublisherMetadata)>(module, "EvtOpenPublisherMetadata"),
      moduleFunction<decltype(&::EvtFormatMessage)>(module, "EvtFormatMessage"),
      moduleFunction<decltype(&::EvtClose)>(module, "EvtClose"),
  };
  if (!api.query || !api.next || !api.createRenderContext || !api.render ||
      !api.openPublisherMetadata || !api.formatMessage || !api.close) {
    FreeLibrary(module);
    return std::nullopt;
  }
  return api;
}

}  // namespace brask
