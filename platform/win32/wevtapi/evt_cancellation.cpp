#include "platform/win32/wevtapi/evt_cancellation.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/win32/system_error.h"

namespace brask {

void EvtCancellation::cancel() {
  const std::lock_guard guard(lock_);
  cancelled_ = true;
  for (const EVT_HANDLE handle : watched_) api_.cancel(handle);
}

bool EvtCancellation::cancelled() {
  const std::lock_guard guard(lock_);
  return cancelled_;
}

void EvtCancellation::check(const std::wstring& action) {
  if (cancelled()) throw systemError(action, ERROR_CANCELLED);
}

void EvtCancellation::watch(EVT_HANDLE handle) {
  const std::lock_guard guard(lock_);
  watched_.push_back(handle);
}

void EvtCancellation::forget(EVT_HANDLE handle) {
  const std::lock_guard guard(lock_);
  watched_.erase(std::remove(watched_.begin(), watched_.end(), handle), watched_.end());
}

WatchedEvtHandle::WatchedEvtHandle(EvtCancellation& cancellation, EvtHandle handle)
    : cancellation_(&cancellation), handle_(std::move(handle)) {
  if (handle_) cancellation_->watch(handle_.get());
}

WatchedEvtHandle& WatchedEvtHandle::operator=(WatchedEvtHandle&& other) noexcept {
  forget();
  cancellation_ = other.cancellation_;
  handle_ = std::move(other.handle_);
  return *this;
}

WatchedEvtHandle::~WatchedEvtHandle() { forget(); }

// Before the handle closes, so that cancel() never reaches a closed one.
void WatchedEvtHandle::forget() {
  if (handle_) cancellation_->forget(handle_.get());
  handle_ = EvtHandle();
}

}  // namespace brask
