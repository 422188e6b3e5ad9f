// The properties of an event as the listings read them, and what the values of a Windows
// event make of them, whichever source reads the event.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/event_source.h"

namespace brask {

enum class EventProperty { Type, TimeWritten, Category, EventCode, SourceName, Message };

// The property a name names, in any letter case; the event service's run-time error for
// any other name.
EventProperty eventPropertyNamed(std::wstring_view name);

// Category: the task number. EventCode: the event identifier's low 16 bits.
PropertyValue categoryOf(std::optional<std::int64_t> task);
PropertyValue eventCodeOf(std::optional<std::uint32_t> identifier);

// SourceName: the provider's event-source name where it has one, else the provider name.
PropertyValue sourceNameOf(const std::optional<std::wstring>& eventSourceName,
                           const std::optional<std::wstring>& providerName);

// The Message of an event whose message cannot be formatted: its own strings joined by one
// blank, missing when it has none.
PropertyValue joinedStrings(const std::vector<std::wstring>& strings);

}  // namespace brask
