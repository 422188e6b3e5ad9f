// The calls of one WMI source to another computer, ended from another thread when the
// computer stops answering: the call in progress is cancelled as COM cancels a synchronous
// call (on the thread that makes it, where the connection enabled call cancellation), and
// every call after that is refused, each with ERROR_CANCELLED. A call that DCOM reports
// cancelled (RPC_E_CALL_CANCELED) ends the same way.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/critical_section.h"

namespace brask {

class WmiCancellation {
 public:
  // cancelCall: as WmiClient's.
  explicit WmiCancellation(std::function<HRESULT(DWORD thread)> cancelCall)
      : cancelCall_(std::move(cancelCall)) {}
  WmiCancellation(const WmiCancellation&) = delete;
  WmiCancellation& operator=(const WmiCancellation&) = delete;

  // From any thread, at any time. A call about to reach DCOM is waited for a moment.
  void cancel();
  // Makes one call to the other computer on this thread, and returns what it returns.
  // Throws RunTimeError with ERROR_CANCELLED where cancel() came before it, during it, or
  // ended it.
  HRESULT call(const std::wstring& action, const std::function<HRESULT()>& call);

 private:
  std::function<HRESULT(DWORD)> cancelCall_;
  CriticalSection lock_;
  bool cancelled_ = false;
  DWORD thread_ = 0;  // of the call in progress; none: 0, which names no thread
};

}  // namespace brask
