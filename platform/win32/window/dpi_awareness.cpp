#include "platform/win32/window/dpi_awareness.h"

#include <windows.h>

namespace brask {

void becomeDpiAware() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return;
  using SetProcessDpiAware = BOOL(WINAPI*)();
  const auto function = reinterpret_cast<SetProcessDpiAware>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")));
  if (function) function();
}

int screenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace brask
