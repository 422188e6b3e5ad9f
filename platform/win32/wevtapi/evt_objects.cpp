#include "platform/win32/wevtapi/evt_objects.h"

#include <algorithm>

#include "computers/computer_names.h"
#include "platform/event_log/event_properties.h"
#include "platform/event_log/event_xpath.h"
#include "platform/run_time_error.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wevtapi/local_cim_time.h"

namespace brask {
namespace {

const EventOrigin* originOf(const EvtChannel& channel) {
  return channel.origin ? &*channel.origin : nullptr;
}

}  // namespace

void throwEvtFailure(const std::wstring& action, DWORD error) {
  if (error == ERROR_SUCCESS || error == ERROR_CALL_NOT_IMPLEMENTED)
    throw EvtNotWorking(action, static_cast<long>(error), systemErrorText(error));
  throw systemError(action, error);
}

EvtObjects::EvtObjects(const Wevtapi& api, const EvtChannel& channel,
                       const LevelSelection& selection, std::optional<EvtRenderer>& renderer,
                       EvtMessages& messages, const EventTypeNames& spelling)
    : api_(api),
      channel_(channel),
      selection_(selection),
      renderer_(renderer),
      messages_(messages),
      spelling_(spelling) {
  if (!channel_.path) return;
  query();
  if (!renderer_) renderer_.emplace(api_);
}

void EvtObjects::query() {
  const std::wstring xpath =
      eventXPath(selection_, reached_ ? values_.recordId : std::nullopt, originOf(channel_));
  SetLastError(ERROR_SUCCESS);
  const EVT_HANDLE results = api_.query(channel_.session, channel_.path, xpath.c_str(),
                                        EvtQueryChannelPath | EvtQueryReverseDirection);
  // Read before the last result is closed.
  const DWORD error = results ? ERROR_SUCCESS : GetLastError();
  results_ = EvtHandle(api_, results);
  if (results_) return;
  throwEvtFailure(L"Querying the channel " + std::wstring(channel_.path) + L" for " + xpath, error);
}

bool EvtObjects::fetch() {
  batch_.clear();
  position_ = 0;
  if (!results_) return false;
  EVT_HANDLE events[kBatch];
  DWORD returned = 0;
  for (int queries = 0; !api_.next(results_.get(), kBatch, events, INFINITE, 0, &returned); ++queries) {
    // A stale result is read on from the last event reached, which must say where it is in
    // a log that has not been cleared since; any other failure ends the run with what has
    // been written.
    const DWORD error = GetLastError();
    if (error == ERROR_NO_MORE_ITEMS) return false;
    if (error != ERROR_EVT_QUERY_RESULT_STALE || queries == kStaleQueries ||
        (reached_ && (!values_.recordId || cleared()))) {
      throw systemError(L"Reading the next event", error);
    }
    query();
  }
  for (DWORD i = 0; i < returned; ++i) batch_.emplace_back(api_, events[i]);
  return !batch_.empty();
}

bool EvtObjects::cleared() {
  const std::wstring channel(channel_.path);
  // The newest event of the log, or of the origin's part of it.
  const std::wstring xpath = eventXPath(LevelSelection{0xFF, {}}, std::nullopt, originOf(channel_));
  const EVT_HANDLE newestFirst = api_.query(channel_.session, channel_.path, xpath.c_str(),
                                            EvtQueryChannelPath | EvtQueryReverseDirection);
  if (!newestFirst) {
    const DWORD error = GetLastError();
    throw systemError(L"Querying the channel " + channel + L" for its newest event", error);
  }
  const EvtHandle results(api_, newestFirst);
  for (;;) {
    EVT_HANDLE newest = nullptr;
    DWORD returned = 0;
    if (!api_.next(results.get(), 1, &newest, INFINITE, 0, &returned)) {
      const DWORD error = GetLastError();
      if (error == ERROR_NO_MORE_ITEMS) return true;
      throw systemError(L"Reading the newest event of the channel " + channel, error);
    }
    const EvtHandle event(api_, newest);
    if (!event) return true;
    const EvtSystemValues values = renderer_->systemValues(event.get());
    if (!ofOrigin(values)) continue;
    return !values.recordId || *values.recordId < *values_.recordId;
  }
}

bool EvtObjects::next() {
  for (;;) {
    if (position_ == batch_.size() && !fetch()) return false;
    const EVT_HANDLE event = batch_[position_++].get();
    // Another computer's event tells nothing of where this one's walk has reached.
    EvtSystemValues values = renderer_->systemValues(event);
    if (!ofOrigin(values)) continue;
    values_ = std::move(values);
    reached_ = true;
    std::optional<std::wstring> time;
    if (values_.timeCreated) time = localCimTime(*values_.timeCreated);
    if (time) {
      timeWritten_ = std::move(*time);
      return true;
    }
  }
}

bool EvtObjects::ofOrigin(const EvtSystemValues& values) const {
  const std::optional<EventOrigin>& origin = channel_.origin;
  if (!origin) return true;
  if (!values.computer || !values.channel ||
      comparableName(*values.channel) != comparableName(origin->channel)) {
    return false;
  }
  const std::wstring computer = comparableName(*values.computer);
  return std::any_of(origin->computer.begin(), origin->computer.end(),
                     [&computer](const std::wstring& spelling) {
                       return comparableName(spelling) == computer;
                     });
}

PropertyValue EvtObjects::message() {
  const EVT_HANDLE event = batch_[position_ - 1].get();
  if (std::optional<std::wstring> text =
          messages_.message(values_.provider, event, channel_.session)) {
    return *text;
  }
  return joinedStrings(renderer_->strings(event));
}

PropertyValue EvtObjects::property(std::wstring_view name) {
  const EventProperty property = eventPropertyNamed(name);
  if (position_ == 0) {
    throw RunTimeError(L"Reading the property " + std::wstring(name), kInternalError,
                       L"No current event");
  }
  switch (property) {
    case EventProperty::Type:
      return recordType(levelClass(values_.level), values_.keywords, spelling_);
    case EventProperty::TimeWritten:
      return timeWritten_;
    case EventProperty::Category:
      return categoryOf(values_.task);
    case EventProperty::EventCode:
      return eventCodeOf(values_.eventId);
    case EventProperty::SourceName:
      return sourceNameOf(values_.eventSourceName, values_.provider);
    case EventProperty::Message:
      return message();
  }
  return {};
}

}  // namespace brask
