#include "platform/win32/system/dll_search.h"

#include <windows.h>

#include "platform/win32/module_function.h"

namespace brask {
namespace {

// From Windows 8's headers, which a program for Windows XP does not see.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

}  // namespace

void restrictDllSearch() {
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  using SetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  if (const auto setDefault =
          moduleFunction<SetDefaultDllDirectories>(kernel32, "SetDefaultDllDirectories")) {
    if (setDefault(kSearchSystem32)) return;
  }
  using SetDllDirectory = BOOL(WINAPI*)(LPCWSTR);
  if (const auto setDirectory = moduleFunction<SetDllDirectory>(kernel32, "SetDllDirectoryW"))
    setDirectory(L"");
}

}  // namespace brask
