// The chunks of a saved event log read past libevtx, which does not give a record's bytes
// nor where they are: the file opened a second time, each chunk's first record identifier
// read at the first need, and a record found in the chunk whose first identifier is the
// greatest not above its own, walked record by record to the end of what its headers
// chain, past a chunk header not brought up to date (a log copied while open).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/locale/wide_decoder.h"

namespace brask {

class EvtxChunks {
 public:
  explicit EvtxChunks(const std::string& path);
  ~EvtxChunks();
  EvtxChunks(const EvtxChunks&) = delete;
  EvtxChunks& operator=(const EvtxChunks&) = delete;

  // The strings of the record with this identifier and written time, from its binary XML
  // (record_strings.h); nothing when no chunk holds it or it cannot be read.
  std::optional<std::vector<std::wstring>> strings(std::uint64_t identifier, std::uint64_t written);

 private:
  void readFirstIdentifiers();
  bool load(std::size_t chunk);

  int descriptor_;  // -1 when the file cannot be opened
  // Of each chunk: its first record identifier, UINT64_MAX where it has no chunk signature.
  std::optional<std::vector<std::uint64_t>> firsts_;
  std::string chunk_;  // the last chunk read, which the next record mostly shares
  std::size_t loaded_ = SIZE_MAX;
  WideDecoder ansi_{"WINDOWS-1252"};
};

}  // namespace brask
