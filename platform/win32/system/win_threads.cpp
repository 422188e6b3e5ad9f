#include "platform/win32/system/win_threads.h"

#include <process.h>

#include <cstdlib>
#include <memory>

#include "platform/win32/system_error.h"

namespace brask {
namespace {

unsigned __stdcall runWork(void* work) {
  const std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(work));
  (*owned)();
  return 0;
}

HANDLE newEvent(BOOL manualReset, BOOL set) {
  const HANDLE event = CreateEventW(nullptr, manualReset, set, nullptr);
  if (event) return event;
  const DWORD error = GetLastError();
  throw systemError(L"Creating an event", error);
}

}  // namespace

WinThreads::WinThreads() : woken_(newEvent(FALSE, FALSE)), allEnded_(newEvent(TRUE, TRUE)) {}

WinThreads::~WinThreads() {
  CloseHandle(woken_);
  CloseHandle(allEnded_);
}

void WinThreads::start(std::function<void()> work) {
  if (InterlockedIncrement(&running_) == 1) ResetEvent(allEnded_);
  auto owned = std::make_unique<std::function<void()>>([this, work = std::move(work)] {
    work();
    if (InterlockedDecrement(&running_) == 0) SetEvent(allEnded_);
  });
  const std::uintptr_t thread = _beginthreadex(nullptr, 0, runWork, owned.get(), 0, nullptr);
  if (thread == 0) {
    if (InterlockedDecrement(&running_) == 0) SetEvent(allEnded_);
    // The C runtime keeps the system's code of the failure in _doserrno.
    const DWORD error = static_cast<DWORD>(_doserrno);
    throw RunTimeError(L"Starting a thread", static_cast<long>(error), systemErrorText(error));
  }
  owned.release();
  CloseHandle(reinterpret_cast<HANDLE>(thread));
}

void WinThreads::wake() { SetEvent(woken_); }

void WinThreads::wait(std::chrono::milliseconds atMost) {
  WaitForSingleObject(woken_, static_cast<DWORD>(atMost.count()));
}

bool WinThreads::join(std::chrono::milliseconds atMost) {
  return WaitForSingleObject(allEnded_, static_cast<DWORD>(atMost.count())) == WAIT_OBJECT_0;
}

}  // namespace brask
