// A saved event log (.evtx) through libevtx: its records, in the order of the file's
// chunks, and the records that libevtx recovers from the free space of its chunks and
// from chunks it cannot read whole, each read by index. The strings of a record are read
// from its bytes, which libevtx does not give (evtx_chunks.h).
#pragma once

#include <libevtx.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/evtx/evtx_chunks.h"
#include "platform/linux/locale/wide_decoder.h"

namespace brask {

class EvtxFile;

// One record of a file, read and parsed; released when destroyed.
class EvtxRecord {
 public:
  EvtxRecord(libevtx_record_t* record, const EvtxFile& file) : record_(record), file_(&file) {}

  std::uint64_t identifier() const;
  std::uint64_t written() const;  // FILETIME: 100 ns since 1601 (UTC); 0 when unreadable
  // The time of the event: its TimeCreated, else the time the header says it was written.
  std::uint64_t eventTime() const;
  std::optional<int> level() const;
  std::optional<std::uint32_t> eventIdentifier() const;
  // The provider's event-source name where the record has one, else the provider name.
  std::optional<std::string> sourceName() const;
  // The name of the computer that wrote the event.
  std::optional<std::string> computerName() const;
  // The values of its event data (or user data), typed values as the event's XML writes
  // them (record_strings.h); as libevtx writes them where the record cannot be read so.
  std::vector<std::wstring> strings() const;
  // The whole event as XML text, in UTF-8; empty when it cannot be rendered.
  std::string xml() const;

 private:
  struct Free {
    void operator()(libevtx_record_t* record) const;
  };
  std::unique_ptr<libevtx_record_t, Free> record_;
  const EvtxFile* file_;
};

enum class RecordSet { Written, Recovered };

class EvtxFile {
 public:
  // Nothing when libevtx cannot open the file as a saved event log.
  static std::unique_ptr<EvtxFile> open(const std::string& path);
  ~EvtxFile();
  EvtxFile(const EvtxFile&) = delete;
  EvtxFile& operator=(const EvtxFile&) = delete;

  int count(RecordSet set) const { return set == RecordSet::Written ? written_ : recovered_; }
  // Nothing when the record cannot be read.
  std::optional<EvtxRecord> record(RecordSet set, int index) const;

 private:
  friend class EvtxRecord;
  EvtxFile(libevtx_file_t* file, const std::string& path);

  libevtx_file_t* file_;
  int written_ = 0;
  int recovered_ = 0;
  // What a record's strings are read with.
  mutable EvtxChunks chunks_;
  mutable WideDecoder utf8_{"UTF-8"};
};

}  // namespace brask
