// The messages of events, formatted by the Event Log API through their providers'
// publisher metadata, in the language Event Viewer would show: the first of the user's
// display language, the system's display language, the thread's locale and English (United
// States) in which the provider has the message. A provider's metadata is opened at most
// once per language in a run, at the first of its events that is written, and kept; a
// language in which it cannot be opened, or that its messages lack, is not tried again for
// it, so that its later events start with the language that served. Another computer's
// events are formatted there, through the metadata of its own providers. A forwarded
// event's message is first the one its computer rendered when it forwarded it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/wevtapi/evt_cancellation.h"
#include "platform/win32/wevtapi/wevtapi.h"

namespace brask {

// The user's display language, the system's, the thread's locale (0) and English (United
// States), in this order.
std::vector<LCID> messageLanguages();

class EvtMessages {
 public:
  // languages: in the order tried, as messageLanguages() gives them. forwarded: the events
  // come from a log that gathers other computers' (a collector's).
  EvtMessages(const Wevtapi& api, EvtCancellation& cancellation, const std::vector<LCID>& languages,
              bool forwarded = false);

  // The event's message, as far as its inserts resolve; nothing where no language has it,
  // whatever the failure, unless the source was cancelled: then it throws RunTimeError with
  // ERROR_CANCELLED. session: the computer's whose providers format it, null for this
  // one's; the same for every event.
  std::optional<std::wstring> message(const std::optional<std::wstring>& provider,
                                      EVT_HANDLE event, EVT_HANDLE session);

 private:
  // A provider's metadata in one language: not yet opened, opened, or not to be tried.
  struct Metadata {
    bool tried = false;
    EvtHandle handle;  // null where the language is lacking
  };

  // The message in the first language that has it; nothing where none has.
  std::optional<std::wstring> firstFormatted(const std::optional<std::wstring>& provider,
                                             EVT_HANDLE event, EVT_HANDLE session);
  std::optional<std::wstring> formatted(EVT_HANDLE metadata, EVT_HANDLE event, bool& lacking);

  const Wevtapi& api_;
  EvtCancellation& cancellation_;
  std::vector<LCID> languages_;  // in the order tried
  bool forwarded_;
  std::map<std::wstring, std::vector<Metadata>> metadata_;  // by provider, by language
};

}  // namespace brask
