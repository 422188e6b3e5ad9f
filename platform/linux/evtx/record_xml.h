// What the properties need of a record's XML, as libevtx renders it: the fields that
// libevtx has no function for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brask {

struct RecordDetails {
  std::optional<std::int64_t> task;
  std::uint64_t keywords = 0;
  // Its event data ends in a Binary element, which libevtx counts as its last string.
  bool binaryLast = false;
};

RecordDetails recordDetails(std::string_view xml);

// The text of an element of the XML's System part; nothing when missing or empty.
std::optional<std::string> systemValue(std::string_view xml, std::string_view element);

}  // namespace brask
