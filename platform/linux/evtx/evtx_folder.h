// The saved event logs of a folder: its .evtx files of the Application and System
// channels, listed and opened at the first query and kept open from one query to the
// next. A file's channel is that of its first record that can be read. A file that
// libevtx cannot open, one of another channel and one without a record that can be read
// are passed over.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_log/log_query.h"
#include "platform/linux/evtx/evtx_file.h"
#include "platform/linux/evtx/evtx_records.h"

namespace brask {

struct EvtxLogFile {
  explicit EvtxLogFile(std::unique_ptr<EvtxFile> opened)
      : file(std::move(opened)),
        written(*file, RecordSet::Written),
        recovered(*file, RecordSet::Recovered, &written) {}

  std::unique_ptr<EvtxFile> file;
  EvtxRecords written;
  EvtxRecords recovered;
  LogName log = LogName::Other;
};

class EvtxFolder {
 public:
  explicit EvtxFolder(std::string path) : path_(std::move(path)) {}

  // The files of a log, in name order. Throws RunTimeError when the folder cannot be read.
  std::vector<EvtxLogFile*> filesOf(LogName log);

 private:
  std::string path_;
  std::optional<std::vector<std::unique_ptr<EvtxLogFile>>> files_;
};

}  // namespace brask
