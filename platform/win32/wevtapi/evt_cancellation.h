// The calls of one source to another computer, ended from another thread when the computer
// stops answering: EvtCancel on its session, which ends a query, the opening of a provider's
// metadata and the formatting of a message in progress there, and on each result open then,
// which ends an EvtNext; every call after that is refused, each with ERROR_CANCELLED.
// A collector's log has no session of its own: its results alone are cancelled, never the
// calls of this computer's other readers.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/critical_section.h"
#include "platform/win32/wevtapi/wevtapi.h"

namespace brask {

class EvtCancellation {
 public:
  explicit EvtCancellation(const Wevtapi& api) : api_(api) {}
  EvtCancellation(const EvtCancellation&) = delete;
  EvtCancellation& operator=(const EvtCancellation&) = delete;

  // From any thread, at any time.
  void cancel();
  bool cancelled();
  // Before and after a call: throws RunTimeError with ERROR_CANCELLED once cancel() has been
  // called, whatever the call answered.
  void check(const std::wstring& action);

  // The session and the results whose calls cancel() ends: each watched from when it opens
  // until it closes.
  void watch(EVT_HANDLE handle);
  void forget(EVT_HANDLE handle);

 private:
  const Wevtapi& api_;
  CriticalSection lock_;
  bool cancelled_ = false;
  std::vector<EVT_HANDLE> watched_;
};

// A handle that cancel() reaches while it is open.
class WatchedEvtHandle {
 public:
  WatchedEvtHandle() = default;
  WatchedEvtHandle(EvtCancellation& cancellation, EvtHandle handle);
  WatchedEvtHandle(WatchedEvtHandle&& other) noexcept = default;
  WatchedEvtHandle& operator=(WatchedEvtHandle&& other) noexcept;
  ~WatchedEvtHandle();

  EVT_HANDLE get() const { return handle_.get(); }
  explicit operator bool() const { return static_cast<bool>(handle_); }

 private:
  void forget();

  EvtCancellation* cancellation_ = nullptr;
  EvtHandle handle_;
};

}  // namespace brask
