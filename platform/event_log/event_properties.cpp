#include "platform/event_log/event_properties.h"

#include <array>
#include <utility>

#include "platform/event_log/property_name.h"

namespace brask {

EventProperty eventPropertyNamed(std::wstring_view name) {
  static constexpr std::array<std::pair<const wchar_t*, EventProperty>, 6> kNames{{
      {L"Type", EventProperty::Type},
      {L"TimeWritten", EventProperty::TimeWritten},
      {L"Category", EventProperty::Category},
      {L"EventCode", EventProperty::EventCode},
      {L"SourceName", EventProperty::SourceName},
      {L"Message", EventProperty::Message},
  }};
  for (const auto& [known, property] : kNames) {
    if (samePropertyName(name, known)) return property;
  }
  throwUnknownProperty(name);
}

PropertyValue categoryOf(std::optional<std::int64_t> task) {
  if (task) return *task;
  return {};
}

PropertyValue eventCodeOf(std::optional<std::uint32_t> identifier) {
  if (identifier) return static_cast<std::int64_t>(*identifier & 0xFFFF);
  return {};
}

PropertyValue sourceNameOf(const std::optional<std::wstring>& eventSourceName,
                           const std::optional<std::wstring>& providerName) {
  if (eventSourceName && !eventSourceName->empty()) return *eventSourceName;
  if (providerName) return *providerName;
  return {};
}

PropertyValue joinedStrings(const std::vector<std::wstring>& strings) {
  if (strings.empty()) return {};
  std::wstring joined = strings.front();
  for (std::size_t i = 1; i < strings.size(); ++i) joined.append(L" ").append(strings[i]);
  return joined;
}

}  // namespace brask
