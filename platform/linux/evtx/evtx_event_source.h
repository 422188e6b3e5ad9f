// The event logs from saved event logs: the .evtx files of one folder (BRASK_EVTX_DIR), or
// of one computer that it gathers, read through libevtx, opened by the first query and
// kept open. Type names are spelled as the event logs of the detected language and Windows
// generation spell them.
#pragma once

#include <optional>
#include <string>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"
#include "platform/linux/evtx/evtx_folder.h"

namespace brask {

class EvtxEventSource : public EventSource {
 public:
  // computer: the one computer read, by its name as names are compared.
  EvtxEventSource(EventTypeNames spelling, std::string folder,
                  std::optional<std::wstring> computer = std::nullopt);

  std::unique_ptr<EventService> connect() override;
  // The saved logs that the user may not read, once a query has listed them, where others
  // could be read.
  std::optional<ComputerError> unreadPart() override { return folder_.unreadPart(); }

 private:
  EventTypeNames spelling_;
  EvtxFolder folder_;
};

}  // namespace brask
