// The Linux platform in one piece: the event logs (the saved event logs of a folder, else
// the journal files of a folder, else this machine's journal: log_folders.h), the POSIX
// locale, the emulated Windows version, the clock, the environment and the report file.
#pragma once

#include <memory>

#include "platform/computers.h"
#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"
#include "platform/linux/locale/posix_locale.h"
#include "platform/linux/system/emulated_version.h"
#include "platform/linux/system/log_folders.h"
#include "platform/linux/system/posix_files.h"
#include "platform/linux/system/posix_process.h"
#include "platform/linux/system/std_threads.h"
#include "platform/linux/system/system_clock.h"

namespace brask {

class LinuxSystem {
 public:
  // spelling: the type names of the event logs of the detected language and generation;
  // folders: where the event logs are read.
  explicit LinuxSystem(EventTypeNames spelling, const LogFolders& folders = logFoldersOfEnvironment());

  EventSource& events() { return *events_; }
  LocaleApi& locale() { return locale_; }
  VersionApi& version() { return version_; }
  Clock& clock() { return clock_; }
  Process& process() { return process_; }
  FileApi& files() { return files_; }
  Computers& computers() { return *computers_; }
  Threads& threads() { return threads_; }

 private:
  std::unique_ptr<EventSource> events_;
  std::unique_ptr<Computers> computers_;
  StdThreads threads_;
  PosixLocale locale_;
  EmulatedVersion version_;
  SystemClock clock_;
  PosixProcess process_;
  PosixFiles files_;
};

}  // namespace brask
