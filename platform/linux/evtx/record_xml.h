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
  std::optional<std::uint64_t> timeCreated;  // FILETIME
  // Its event data ends in a Binary element, which libevtx counts as its last string.
  bool binaryLast = false;
};

RecordDetails recordDetails(std::string_view xml);

// The SystemTime of the XML's TimeCreated, as a FILETIME; nothing when missing or not a time.
std::optional<std::uint64_t> timeCreated(std::string_view xml);

// The text of an element of the XML's System part; nothing when missing or empty.
std::optional<std::string> systemValue(std::string_view xml, std::string_view element);

}  // namespace brask
