#include "platform/win32/wevtapi/wevtapi.h"

#include <string>

#include "platform/win32/module_function.h"

namespace brask {
namespace {

// From Windows 8's headers, which a program for Windows XP does not see.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

}  // namespace

std::optional<Wevtapi> loadWevtapi() {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  // In a 32-bit process on 64-bit Windows the file system turns this into SysWOW64's DLL.
  const std::wstring path = std::wstring(system, length) + L"\\wevtapi.dll";
  // Its own dependencies from the system directory too: where the system knows the flag
  // (it has SetDefaultDllDirectories: Windows 8, or Vista and 7 with KB2533623), only from
  // there; elsewhere from the DLL's own folder first.
  const bool searchFlags = moduleFunction<FARPROC>(GetModuleHandleW(L"kernel32.dll"),
                                                   "SetDefaultDllDirectories") != nullptr;
  const HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                        searchFlags ? kSearchSystem32 : LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) return std::nullopt;
  const Wevtapi api{
      moduleFunction<decltype(&::EvtOpenSession)>(module, "EvtOpenSession"),
      moduleFunction<decltype(&::EvtQuery)>(module, "EvtQuery"),
      moduleFunction<decltype(&::EvtNext)>(module, "EvtNext"),
      moduleFunction<decltype(&::EvtCreateRenderContext)>(module, "EvtCreateRenderContext"),
      moduleFunction<decltype(&::EvtRender)>(module, "EvtRender"),
      moduleFunction<decltype(&::EvtOpenPublisherMetadata)>(module, "EvtOpenPublisherMetadata"),
      moduleFunction<decltype(&::EvtFormatMessage)>(module, "EvtFormatMessage"),
      moduleFunction<decltype(&::EvtClose)>(module, "EvtClose"),
      moduleFunction<decltype(&::EvtCancel)>(module, "EvtCancel"),
  };
  if (!api.openSession || !api.query || !api.next || !api.createRenderContext || !api.render ||
      !api.openPublisherMetadata || !api.formatMessage || !api.close || !api.cancel) {
    FreeLibrary(module);
    return std::nullopt;
  }
  return api;
}

}  // namespace brask
