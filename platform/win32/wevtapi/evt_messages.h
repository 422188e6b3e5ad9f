// The messages of events, formatted by the Event Log API through their providers'
// publisher metadata: each provider's opened once in a run, at the first of its events
// that is written, and kept.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/win32/wevtapi/wevtapi.h"

namespace brask {

class EvtMessages {
 public:
  explicit EvtMessages(const Wevtapi& api) : api_(api) {}

  // The event's message, as far as its inserts resolve; nothing when its provider's
  // metadata or its message cannot be found. Throws RunTimeError for any other failure.
  std::optional<std::wstring> message(const std::wstring& provider, EVT_HANDLE event);

 private:
  const Wevtapi& api_;
  std::map<std::wstring, EvtHandle> metadata_;  // a null handle where there is none
};

}  // namespace brask
