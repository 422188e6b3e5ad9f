#include "fakes/event_lines.h"

namespace brask::test {

std::wstring shown(const PropertyValue& value) {
  if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_wstring(*number);
  return L"-";
}

std::vector<std::wstring> eventLines(EventObjects& objects) {
  std::vector<std::wstring> events;
  while (objects.next()) {
    std::wstring line;
    for (const wchar_t* name :
         {L"Type", L"timewritten", L"Category", L"EventCode", L"SourceName", L"Message"})
      line += (line.empty() ? L"" : L"|") + shown(objects.property(name));
    events.push_back(line);
  }
  return events;
}

}  // namespace brask::test
