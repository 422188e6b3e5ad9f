// The names of event properties as the event service reads them: without regard to the
// case of ASCII letters, and a run-time error for a property that an event does not have.
#pragma once

#include <string_view>

namespace brask {

bool samePropertyName(std::wstring_view a, std::wstring_view b);

// Throws the RunTimeError of the event service for a property that the class lacks.
[[noreturn]] void throwUnknownProperty(std::wstring_view name);

}  // namespace brask
