#include "platform/win32/wmi/wmi_cancellation.h"

#include <mutex>

#include "platform/win32/system_error.h"

namespace brask {
namespace {

// A call in progress that has not reached DCOM yet has nothing to cancel: it is asked again
// a few times, a millisecond apart.
constexpr int kCancelTries = 20;

}  // namespace

void WmiCancellation::cancel() {
  for (int tries = 0; tries < kCancelTries; ++tries) {
    DWORD thread = 0;
    {
      const std::lock_guard guard(lock_);
      cancelled_ = true;
      if (thread_ == 0) return;
      thread = thread_;
    }
    if (cancelCall_(thread) != E_NOINTERFACE) return;
    Sleep(1);
  }
}

HRESULT WmiCancellation::call(const std::wstring& action, const std::function<HRESULT()>& call) {
  {
    const std::lock_guard guard(lock_);
    if (cancelled_) throw systemError(action, ERROR_CANCELLED);
    thread_ = GetCurrentThreadId();
  }
  const HRESULT hr = call();
  {
    const std::lock_guard guard(lock_);
    thread_ = 0;
    if (cancelled_) throw systemError(action, ERROR_CANCELLED);
  }
  if (hr == RPC_E_CALL_CANCELED) throw systemError(action, ERROR_CANCELLED);
  return hr;
}

}  // namespace brask
