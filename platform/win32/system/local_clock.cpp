#include "platform/win32/system/local_clock.h"

#include <windows.h>

namespace brask {

DateTime LocalClock::now() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

}  // namespace brask
