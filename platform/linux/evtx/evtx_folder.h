// The saved event logs of a folder, or of one computer that it gathers (evtx_layout.h):
// its .evtx files of the Application and System channels, listed and opened at the first
// query and kept open from one query to the next. A file's channel is that of its first
// record that can be read. A file that libevtx cannot open, one of another channel and
// one without a record that can be read are passed over; one that the user may not read
// is kept aside, and said. A collector's log is read record
// by record: each record's channel decides its log, and its computer whether it is read.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/computer_error.h"
#include "platform/event_log/log_query.h"
#include "platform/linux/folder_files.h"
#include "platform/linux/evtx/evtx_file.h"
#include "platform/linux/evtx/evtx_records.h"

namespace brask {

struct EvtxLogFile {
  // keeps: the records read, when not all are.
  explicit EvtxLogFile(std::unique_ptr<EvtxFile> opened, const RecordTest& keeps = nullptr)
      : file(std::move(opened)),
        written(*file, RecordSet::Written, nullptr, keeps),
        recovered(*file, RecordSet::Recovered, &written, keeps) {}

  std::unique_ptr<EvtxFile> file;
  EvtxRecords written;
  EvtxRecords recovered;
  LogName log = LogName::Other;
};

class EvtxFolder {
 public:
  // computer: the one computer read, by its name as names are compared (comparableName);
  // nothing for every computer of the folder, as when it holds one.
  explicit EvtxFolder(std::string path, std::optional<std::wstring> computer = std::nullopt)
      : path_(std::move(path)), computer_(std::move(computer)) {}

  // The files of a log, in name order, then the collector's. Throws RunTimeError when the
  // folder cannot be read, and ComputerError when the user may read none of its files.
  std::vector<EvtxLogFile*> filesOf(LogName log);
  // Why some of the files listed could not be read, where some could not.
  std::optional<ComputerError> unreadPart() const;

 private:
  void addSaved(const std::string& path);
  void addForwarded(const std::string& path);
  // Whether the user may read the file; if not, it is remembered.
  bool mayRead(const std::string& path);
  std::wstring action() const;

  std::string path_;
  std::optional<std::wstring> computer_;
  std::optional<std::vector<std::unique_ptr<EvtxLogFile>>> files_;
  std::vector<RefusedFile> refused_;
};

}  // namespace brask
