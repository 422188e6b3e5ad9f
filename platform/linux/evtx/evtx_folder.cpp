#include "platform/linux/evtx/evtx_folder.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include "platform/event_log/log_query.h"
#include "platform/linux/errno_text.h"
#include "platform/linux/evtx/record_xml.h"
#include "platform/linux/folder_files.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

// Named *.evtx, in any letter case.
bool isEvtxName(std::string_view name) {
  std::string suffix(name.substr(name.size() - std::min<std::size_t>(name.size(), 5)));
  std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name.size() > 5 && suffix == ".evtx";
}

// The log of the channel of a set's first record that can be read; nothing when none can.
std::optional<LogName> logOf(EvtxRecords& records, int count) {
  for (int index = 0; index < count; ++index) {
    if (const std::optional<EvtxRecord> record = records.read(index)) {
      return logOfChannel(systemValue(record->xml(), "Channel").value_or(std::string()));
    }
  }
  return std::nullopt;
}

}  // namespace

std::vector<EvtxLogFile*> EvtxFolder::filesOf(LogName log) {
  if (!files_) {
    std::error_code error;
    const std::vector<std::string> paths = filesIn(path_, isEvtxName, error);
    if (error) {
      throw RunTimeError(L"Opening the saved event logs in " + WideDecoder("UTF-8")(path_),
                         -error.value(), errnoText(error.value()));
    }
    std::vector<std::unique_ptr<EvtxLogFile>>& files = files_.emplace();
    for (const std::string& path : paths) {
      std::unique_ptr<EvtxFile> opened = EvtxFile::open(path);
      if (!opened) continue;
      auto file = std::make_unique<EvtxLogFile>(std::move(opened));
      std::optional<LogName> channel = logOf(file->written, file->file->count(RecordSet::Written));
      if (!channel) channel = logOf(file->recovered, file->file->count(RecordSet::Recovered));
      file->log = channel.value_or(LogName::Other);
      // A file of another channel is closed at once.
      if (file->log != LogName::Other) files.push_back(std::move(file));
    }
  }
  std::vector<EvtxLogFile*> ofLog;
  for (const auto& file : *files_) {
    if (file->log == log) ofLog.push_back(file.get());
  }
  return ofLog;
}

}  // namespace brask
