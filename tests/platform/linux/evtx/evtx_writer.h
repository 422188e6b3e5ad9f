// Saved event logs made during a test: .evtx files with correct checksums, each record a
// template instance as Windows writes it, its template defined in the record itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brask::test {

struct EvtxEvent {
  std::uint64_t written = 0;  // FILETIME: 100 ns since 1601 (UTC), in the record header
  // TimeCreated in the System part: the written time unless given; none with noTimeCreated.
  std::optional<std::uint64_t> created;
  bool noTimeCreated = false;
  std::optional<int> level = 4;
  int eventId = 1;
  std::optional<int> task;
  std::uint64_t keywords = 0x8000000000000000;
  std::wstring provider = L"Provider";
  std::optional<std::wstring> eventSourceName;
  std::vector<std::wstring> strings;  // the Data elements of EventData
  // Data elements after them of values of other types: a type (EventValueType) and bytes;
  // a null value (type 0) optional, as a classic event's missing binary data is.
  std::vector<std::pair<int, std::string>> values;
  bool dataTemplate = false;  // EventData in a template instance of its own, substituted
  std::optional<std::string> binary;  // the bytes of a Binary element after them
  bool binaryData = false;            // in a Data element instead, as a manifest event's
  std::wstring channel = L"System";
  std::wstring computer = L"WS01";
};

inline constexpr std::size_t kEvtxHeaderSize = 4096;
inline constexpr std::size_t kEvtxChunkSize = 65536;

// The bytes of a file holding the events as records, in order, numbered from firstId.
// Each chunk takes at most perChunk records. With rotate, the file holds the last
// `rotate` chunks first, as a log that has wrapped around does.
std::string evtxFile(const std::vector<EvtxEvent>& events, std::uint64_t firstId = 1,
                     std::size_t perChunk = 1000, std::size_t rotate = 0);

void writeFile(const std::string& path, const std::string& bytes);

// The FILETIME of a UTC calendar time.
std::uint64_t fileTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace brask::test
