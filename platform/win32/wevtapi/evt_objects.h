// The result of a query through the Event Log API, newest first as the query asked: the
// events come from EvtNext in batches; each event's System values are rendered as it is
// reached, its message formatted only when it is read. An event whose time cannot be read
// is passed over.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"
#include "platform/win32/wevtapi/evt_messages.h"
#include "platform/win32/wevtapi/evt_values.h"
#include "platform/win32/wevtapi/wevtapi.h"

namespace brask {

class EvtObjects final : public EventObjects {
 public:
  // results: the query's handle; a null one is a result without events.
  EvtObjects(const Wevtapi& api, EvtHandle results, EvtRenderer& renderer, EvtMessages& messages,
             const EventTypeNames& spelling);

  bool next() override;
  // Type, TimeWritten, Category, EventCode, SourceName or Message, in any letter case.
  PropertyValue property(std::wstring_view name) override;

  // How many events EvtNext asks for at a time.
  static constexpr DWORD kBatch = 16;

 private:
  // The next batch; false at the end of the results.
  bool fetch();
  PropertyValue message();

  const Wevtapi& api_;
  EvtHandle results_;
  EvtRenderer& renderer_;
  EvtMessages& messages_;
  const EventTypeNames& spelling_;
  std::vector<EvtHandle> batch_;
  std::size_t position_ = 0;  // of the current event in the batch, plus one
  EvtSystemValues values_;
  std::wstring timeWritten_;
};

}  // namespace brask
