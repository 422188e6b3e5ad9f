// An event's values as the Event Log API renders them: those of its System part that the
// properties come from, and its own strings (its user or event data).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/wevtapi/wevtapi.h"

namespace brask {

// Each missing where the event lacks it or holds a value of another kind.
struct EvtSystemValues {
  std::optional<int> level;
  std::uint64_t keywords = 0;
  std::optional<std::int64_t> task;
  std::optional<std::uint32_t> eventId;
  std::optional<std::wstring> provider;
  std::optional<std::wstring> eventSourceName;
  std::optional<std::uint64_t> timeCreated;  // FILETIME
  std::optional<std::uint64_t> recordId;     // EventRecordID: the event's place in its log
  std::optional<std::wstring> computer;      // the computer that wrote it
  std::optional<std::wstring> channel;       // the log it was written to
};

class EvtRenderer {
 public:
  // Creates the two render contexts; throws RunTimeError when the API refuses.
  explicit EvtRenderer(const Wevtapi& api);

  // Throws RunTimeError when they cannot be rendered.
  EvtSystemValues systemValues(EVT_HANDLE event);
  // Each value of the user data as text, as the event's XML writes it, without a classic
  // event's trailing binary data; none when they cannot be rendered, all of them when the
  // XML cannot.
  std::vector<std::wstring> strings(EVT_HANDLE event);

 private:
  // The rendered values, in a buffer aligned for them; null on failure, with its error.
  const EVT_VARIANT* render(const EvtHandle& context, EVT_HANDLE event, DWORD& count, DWORD& error);
  // The event as XML; empty on failure.
  std::wstring xml(EVT_HANDLE event);

  const Wevtapi& api_;
  EvtHandle system_;
  EvtHandle user_;
  std::vector<std::uint64_t> buffer_;
};

// The text of one value as the event's XML writes it (platform/event_log/event_value_text.h),
// text as it is, ANSI text in the system's code page, an array as its elements with a blank
// between them; empty for null and for handles.
std::wstring variantText(const EVT_VARIANT& value);

}  // namespace brask
