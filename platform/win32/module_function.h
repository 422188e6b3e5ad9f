// A function of a module already loaded, looked up by name when the program runs, so that
// the program still starts on a Windows without it.
#pragma once

#include <windows.h>

namespace brask {

// As the function type it has (declared WINAPI where the function is); null when the
// module or the function is missing.
template <typename Function>
Function moduleFunction(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace brask
