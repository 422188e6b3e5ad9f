#include "platform/win32/window/dpi_awareness.h"

#include <windows.h>

#include "platform/win32/module_function.h"

namespace brask {

void becomeDpiAware() {
  using SetProcessDpiAware = BOOL(WINAPI*)();
  const auto function = moduleFunction<SetProcessDpiAware>(GetModuleHandleW(L"user32.dll"),
                                                           "SetProcessDPIAware");
  if (function) function();
}

int screenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace brask
