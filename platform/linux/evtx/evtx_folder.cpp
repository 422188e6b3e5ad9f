#include "platform/linux/evtx/evtx_folder.h"

#include <string>

#include "computers/computer_names.h"
#include "platform/event_log/log_query.h"
#include "platform/linux/evtx/evtx_layout.h"
#include "platform/linux/evtx/record_xml.h"
#include "platform/linux/locale/wide_decoder.h"

namespace brask {
namespace {

// The log of the channel of a set's first record that can be read; nothing when none can.
std::optional<LogName> logOf(EvtxRecords& records, int count) {
  for (int index = 0; index < count; ++index) {
    if (const std::optional<EvtxRecord> record = records.read(index)) {
      return logOfChannel(systemValue(record->xml(), "Channel").value_or(std::string()));
    }
  }
  return std::nullopt;
}

// The records of a collector's log that a source reads: of one log, and of one computer
// when chosen.
class ForwardedRecords {
 public:
  ForwardedRecords(LogName log, std::optional<std::wstring> computer)
      : log_(log), computer_(std::move(computer)), utf8_(std::make_shared<WideDecoder>("UTF-8")) {}

  bool operator()(const EvtxRecord& record) const {
    if (computer_) {
      const std::optional<std::string> name = record.computerName();
      if (!name || comparableName((*utf8_)(*name)) != *computer_) return false;
    }
    return logOfChannel(systemValue(record.xml(), "Channel").value_or(std::string())) == log_;
  }

 private:
  LogName log_;
  std::optional<std::wstring> computer_;
  std::shared_ptr<WideDecoder> utf8_;  // of this source alone
};

}  // namespace

bool EvtxFolder::mayRead(const std::string& path) {
  const int error = openError(path);
  if (error != 0) refused_.push_back({path, WideDecoder("UTF-8")(path), error});
  return error == 0;
}

void EvtxFolder::addSaved(const std::string& path) {
  if (!mayRead(path)) return;
  std::unique_ptr<EvtxFile> opened = EvtxFile::open(path);
  if (!opened) return;
  auto file = std::make_unique<EvtxLogFile>(std::move(opened));
  std::optional<LogName> channel = logOf(file->written, file->file->count(RecordSet::Written));
  if (!channel) channel = logOf(file->recovered, file->file->count(RecordSet::Recovered));
  file->log = channel.value_or(LogName::Other);
  // A file of another channel is closed at once.
  if (file->log != LogName::Other) files_->push_back(std::move(file));
}

void EvtxFolder::addForwarded(const std::string& path) {
  if (!mayRead(path)) return;
  // Opened once for each log: what a walk learns of a record is of that log's reading.
  for (const LogName log : {LogName::Application, LogName::System}) {
    std::unique_ptr<EvtxFile> opened = EvtxFile::open(path);
    if (!opened) return;
    auto file = std::make_unique<EvtxLogFile>(std::move(opened), ForwardedRecords(log, computer_));
    file->log = log;
    files_->push_back(std::move(file));
  }
}

std::vector<EvtxLogFile*> EvtxFolder::filesOf(LogName log) {
  if (!files_) {
    const EvtxLayout layout = evtxLayout(path_);
    files_.emplace();
    for (const EvtxComputerFiles& computer : layout.computers) {
      if (computer_ && comparableName(computer.name) != *computer_) continue;
      refused_.insert(refused_.end(), computer.refused.begin(), computer.refused.end());
      for (const std::string& path : computer.files) addSaved(path);
    }
    for (const std::string& path : layout.forwarded) addForwarded(path);
    if (files_->empty() && !refused_.empty()) {
      std::vector<RefusedFile> refused = std::move(refused_);
      files_.reset();
      refused_.clear();
      throw *refusedFilesError(action(), refused);
    }
  }
  std::vector<EvtxLogFile*> ofLog;
  for (const auto& file : *files_) {
    if (file->log == log) ofLog.push_back(file.get());
  }
  return ofLog;
}

std::optional<ComputerError> EvtxFolder::unreadPart() const { return refusedFilesError(action(), refused_); }

std::wstring EvtxFolder::action() const { return L"Opening the saved event logs in " + WideDecoder("UTF-8")(path_); }

}  // namespace brask
