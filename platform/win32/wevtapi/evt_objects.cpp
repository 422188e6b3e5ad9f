#include "platform/win32/wevtapi/evt_objects.h"

#include <algorithm>

#include "computers/computer_names.h"
#include "platform/event_log/event_properties.h"
#include "platform/event_log/event_xpath.h"
#include "platform/event_log/record_marks.h"
#include "platform/run_time_error.h"
#include "platform/win32/local_cim_time.h"
#include "platform/win32/system_error.h"

namespace brask {

void throwEvtFailure(const std::wstring& action, DWORD error) {
  if (error == ERROR_SUCCESS || error == ERROR_CALL_NOT_IMPLEMENTED)
    throw EvtNotWorking(action, static_cast<long>(error), systemErrorText(error));
  throw systemError(action, error);
}

bool ofOrigin(const EvtSystemValues& values, const EvtChannel& channel) {
  const std::optional<EventOrigin>& origin = channel.origin;
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

std::optional<std::uint64_t> endRecord(const EvtReading& reading, const EvtChannel& channel,
                                       LogEnd end) {
  const std::wstring path(channel.path);
  const std::wstring which = end == LogEnd::Newest ? L"newest" : L"oldest";
  const std::wstring xpath = eventXPath(LevelSelection{0xFF, {}}, std::nullopt,
                                        channel.origin ? &*channel.origin : nullptr);
  const std::wstring action = L"Querying the channel " + path + L" for its " + which + L" event";
  reading.cancellation.check(action);
  SetLastError(ERROR_SUCCESS);
  const EVT_HANDLE query =
      reading.api.query(channel.session, channel.path, xpath.c_str(),
                        EvtQueryChannelPath | (end == LogEnd::Newest ? EvtQueryReverseDirection
                                                                     : EvtQueryForwardDirection));
  const DWORD queryError = query ? ERROR_SUCCESS : GetLastError();
  const WatchedEvtHandle results(reading.cancellation, EvtHandle(reading.api, query));
  if (!results) {
    reading.cancellation.check(action);
    throwEvtFailure(action, queryError);
  }
  EvtRenderer& renderer = reading.madeRenderer();
  const std::wstring walk = L"Reading the " + which + L" event of the channel " + path;
  for (;;) {
    reading.cancellation.check(walk);
    EVT_HANDLE next = nullptr;
    DWORD returned = 0;
    if (!reading.api.next(results.get(), 1, &next, reading.timeout, 0, &returned)) {
      const DWORD error = GetLastError();
      if (error == ERROR_NO_MORE_ITEMS) return std::nullopt;
      reading.cancellation.check(walk);
      throw systemError(walk, error);
    }
    const EvtHandle event(reading.api, next);
    if (!event) return std::nullopt;
    // Another computer's event tells nothing of where this one's part of the log stands.
    const EvtSystemValues values = renderer.systemValues(event.get());
    if (ofOrigin(values, channel)) return values.recordId;
  }
}

LogMark evtMark(const EvtReading& reading, const EvtChannel& channel,
                const std::optional<LogPosition>& saved) {
  if (!channel.path) return recordMark(std::nullopt, std::nullopt, saved);
  const std::optional<std::uint64_t> newest = endRecord(reading, channel, LogEnd::Newest);
  const std::optional<std::uint64_t> record = saved ? recordOfPosition(*saved) : std::nullopt;
  // The oldest tells something only of a saved event that the log may still hold.
  std::optional<std::uint64_t> oldest;
  if (record && newest && *newest >= *record) oldest = endRecord(reading, channel, LogEnd::Oldest);
  return recordMark(newest, oldest, saved);
}

EvtObjects::EvtObjects(const EvtReading& reading, const EvtChannel& channel,
                       const LevelSelection& selection, std::optional<std::uint64_t> after)
    : reading_(reading), channel_(channel), selection_(selection), after_(after) {
  if (!channel_.path) return;
  query();
  reading_.madeRenderer();
}

void EvtObjects::query() {
  const std::wstring xpath =
      eventXPath(selection_, reached_ ? values_.recordId : std::nullopt,
                 channel_.origin ? &*channel_.origin : nullptr, after_);
  const std::wstring action =
      L"Querying the channel " + std::wstring(channel_.path) + L" for " + xpath;
  reading_.cancellation.check(action);
  SetLastError(ERROR_SUCCESS);
  const EVT_HANDLE results = reading_.api.query(channel_.session, channel_.path, xpath.c_str(),
                                                EvtQueryChannelPath | EvtQueryReverseDirection);
  // Read before the last result is closed.
  const DWORD error = results ? ERROR_SUCCESS : GetLastError();
  results_ = WatchedEvtHandle(reading_.cancellation, EvtHandle(reading_.api, results));
  if (results_) return;
  reading_.cancellation.check(action);
  throwEvtFailure(action, error);
}

bool EvtObjects::fetch() {
  batch_.clear();
  position_ = 0;
  if (!results_) return false;
  const std::wstring action = L"Reading the next event";
  reading_.cancellation.check(action);
  EVT_HANDLE events[kBatch];
  DWORD returned = 0;
  for (int queries = 0;
       !reading_.api.next(results_.get(), kBatch, events, reading_.timeout, 0, &returned);
       ++queries) {
    // A stale result is read on from the last event reached, which must say where it is in
    // a log that has not been cleared since; any other failure ends the run with what has
    // been written.
    const DWORD error = GetLastError();
    if (error == ERROR_NO_MORE_ITEMS) return false;
    reading_.cancellation.check(action);
    if (error != ERROR_EVT_QUERY_RESULT_STALE || queries == kStaleQueries ||
        (reached_ && (!values_.recordId || cleared()))) {
      throw systemError(action, error);
    }
    query();
  }
  for (DWORD i = 0; i < returned; ++i) batch_.emplace_back(reading_.api, events[i]);
  return !batch_.empty();
}

bool EvtObjects::cleared() {
  // The newest event of the log, or of the origin's part of it.
  const std::optional<std::uint64_t> newest = endRecord(reading_, channel_, LogEnd::Newest);
  return !newest || *newest < *values_.recordId;
}

bool EvtObjects::next() {
  for (;;) {
    if (position_ == batch_.size() && !fetch()) return false;
    const EVT_HANDLE event = batch_[position_++].get();
    // Another computer's event tells nothing of where this one's walk has reached.
    EvtSystemValues values = reading_.renderer->systemValues(event);
    if (!ofOrigin(values, channel_)) continue;
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

PropertyValue EvtObjects::message() {
  const EVT_HANDLE event = batch_[position_ - 1].get();
  if (std::optional<std::wstring> text =
          reading_.messages.message(values_.provider, event, channel_.session)) {
    return *text;
  }
  return joinedStrings(reading_.renderer->strings(event));
}

PropertyValue EvtObjects::property(std::wstring_view name) {
  const EventProperty property = eventPropertyNamed(name);
  if (position_ == 0) {
    throw RunTimeError(L"Reading the property " + std::wstring(name), kInternalError,
                       L"No current event");
  }
  switch (property) {
    case EventProperty::Type:
      return recordType(levelClass(values_.level), values_.keywords, reading_.spelling);
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
