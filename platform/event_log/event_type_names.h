// How the event logs spell their type names, by the system language and the Windows
// generation. The run filters events by these names, and an event source that is not
// Windows spells its types with them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brask {

enum class Generation {
  Older,  // Windows 2000, XP, 2003: no Critical type
  Newer,  // Windows Vista, 2008, 7
};

struct EventTypeNames {
  std::wstring error;
  std::wstring information;
  std::wstring warning;
  std::optional<std::wstring> critical;  // the older generation has none
};

// The generation of a Windows version name such as "Windows XP"; nothing for versions
// in neither generation.
std::optional<Generation> generationOf(std::wstring_view versionName);

// The type names for an English language name ("Dutch", "English", "German", "French",
// "Italian"); nothing for any other language.
std::optional<EventTypeNames> eventTypeNames(std::wstring_view language, Generation generation);

}  // namespace brask
