// How many entries of a journal file lack a field, counted without walking an entry: the
// file's header counts its entries, and each value of a field counts the entries linked to
// it. sd-journal tells neither count, so they are read from the file, as the journal file
// format lays them out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brask {

// The file's entries less those linked to a value of the field (each entry holding one
// value of it at most, as journald and systemd-journal-remote write them); nothing when
// the file's structure cannot be read that far.
std::optional<std::uint64_t> entriesWithout(const std::string& path, std::string_view field);

}  // namespace brask
