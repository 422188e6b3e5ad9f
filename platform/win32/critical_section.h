// A lock between the thread that reads another computer and the one that cancels its calls:
// a critical section, which MinGW-w64's win32 thread model has where it has no std::mutex.
#pragma once

#include <windows.h>

namespace brask {

class CriticalSection {
 public:
  CriticalSection() { InitializeCriticalSection(&section_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  ~CriticalSection() { DeleteCriticalSection(&section_); }

  void lock() { EnterCriticalSection(&section_); }
  void unlock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

}  // namespace brask
