#include "platform/linux/evtx_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/linux/errno_text.h"
#include "platform/linux/evtx_mapping.h"
#include "platform/linux/wide_decoder.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

bool isEvtxFile(const std::filesystem::directory_entry& entry) {
  std::string name = entry.path().filename().string();
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::error_code error;
  return name.size() > 5 && name.ends_with(".evtx") && entry.is_regular_file(error);
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
    std::vector<std::string> paths;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(path_, error), end; !error && entry != end;
         entry.increment(error)) {
      if (isEvtxFile(*entry)) paths.push_back(entry->path().string());
    }
    if (error) {
      throw RunTimeError(L"Opening the saved event logs in " + WideDecoder("UTF-8")(path_),
                         -error.value(), errnoText(error.value()));
    }
    std::sort(paths.begin(), paths.end());
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
