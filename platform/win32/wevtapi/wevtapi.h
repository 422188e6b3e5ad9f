// The Windows Event Log API of Windows Vista and later (wevtapi.dll), the one Event Viewer
// reads the logs through: loaded when the program runs, from the system directory by its
// full path, its own dependencies from there too, and its functions looked up by name, so
// that the program still starts on Windows XP and never loads a DLL of that name, or one
// that it needs, from anywhere else.
#pragma once

#include <windows.h>

// winevt.h declares Vista's API only for programs built for Vista: its types are used here
// and its functions are looked up, never imported.
#pragma push_macro("_WIN32_WINNT")
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <winevt.h>
#pragma pop_macro("_WIN32_WINNT")

#include <optional>
#include <utility>

namespace brask {

struct Wevtapi {
  decltype(&::EvtOpenSession) openSession;
  decltype(&::EvtQuery) query;
  decltype(&::EvtNext) next;
  decltype(&::EvtCreateRenderContext) createRenderContext;
  decltype(&::EvtRender) render;
  decltype(&::EvtOpenPublisherMetadata) openPublisherMetadata;
  decltype(&::EvtFormatMessage) formatMessage;
  decltype(&::EvtClose) close;
  decltype(&::EvtCancel) cancel;
};

// The functions of the system's wevtapi.dll, which stays loaded for the process; nothing
// where the DLL or one of them is missing (Windows XP and Server 2003).
std::optional<Wevtapi> loadWevtapi();

// An event-log handle of the API, closed when it goes.
class EvtHandle {
 public:
  EvtHandle() = default;
  EvtHandle(const Wevtapi& api, EVT_HANDLE handle) : close_(api.close), handle_(handle) {}
  EvtHandle(EvtHandle&& other) noexcept
      : close_(other.close_), handle_(std::exchange(other.handle_, nullptr)) {}
  EvtHandle& operator=(EvtHandle&& other) noexcept {
    std::swap(close_, other.close_);
    std::swap(handle_, other.handle_);
    return *this;
  }
  ~EvtHandle() {
    if (handle_) close_(handle_);
  }

  EVT_HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  decltype(&::EvtClose) close_ = nullptr;
  EVT_HANDLE handle_ = nullptr;
};

}  // namespace brask
