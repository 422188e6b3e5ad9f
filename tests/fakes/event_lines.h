// What a query's result delivers, as lines that a test compares: every event in order as
// Type|TimeWritten|Category|EventCode|SourceName|Message, a missing value as "-".
#pragma once

#include <string>
#include <vector>

#include "platform/event_source.h"

namespace brask::test {

std::wstring shown(const PropertyValue& value);

// Reads each property by name, TimeWritten in another letter case, as the service allows.
std::vector<std::wstring> eventLines(EventObjects& objects);

}  // namespace brask::test
