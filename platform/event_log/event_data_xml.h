// What an event's XML tells of its own strings. A classic source's event keeps the data it
// attached after its strings in a trailing <Binary> element of its EventData, which the
// event's values hold as its last one; Event Viewer lists the strings without it. A
// manifest event's binary-typed <Data> is one of its strings.
#pragma once

#include <string_view>

namespace brask {

// Whether the EventData ends in a <Binary> element, empty ones included; false where the
// XML has no EventData or ends before its end.
bool endsInBinary(std::string_view xml);
bool endsInBinary(std::wstring_view xml);

}  // namespace brask
