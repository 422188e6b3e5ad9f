#include "platform/win32/process/win_threads.h"

#include <process.h>

#include <algorithm>
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

DWORD milliseconds(std::chrono::milliseconds duration) {
  return static_cast<DWORD>(std::clamp<std::chrono::milliseconds::rep>(duration.count(), 0, INFINITE - 1));
}

// Input that a wait sets aside: the keyboard (a key, a character, an access key with Alt)
// and the mouse in a client area. Alt+F4 and the system menu's keys (WM_SYSKEYDOWN) and the
// mouse on the frame (WM_NC*) still move and close the window.
bool setAside(const MSG& message) {
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
      return true;
    default:
      return message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST;
  }
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
  const DWORD limit = milliseconds(atMost);
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) throw RunCancelled();
      if (setAside(message)) continue;
      if (!dialog_ || !IsDialogMessageW(dialog_, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    const DWORD waited = GetTickCount() - start;
    if (waited >= limit) return;
    // MWMO_INPUTAVAILABLE: also for messages that came while the ones above were handled.
    const DWORD result =
        MsgWaitForMultipleObjectsEx(1, &woken_, limit - waited, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result != WAIT_OBJECT_0 + 1) return;
  }
}

bool WinThreads::join(std::chrono::milliseconds atMost) {
  return WaitForSingleObject(allEnded_, milliseconds(atMost)) == WAIT_OBJECT_0;
}

}  // namespace brask
