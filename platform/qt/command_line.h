// The Linux program's command line, read with Qt's parser: the computers of a gathered
// folder to report, as NAME or @FILE, the switches both builds take in their Linux
// spelling ("--log System"), and the folder of the event logs. Switch names are taken in
// any letter case, as on Windows; values as given.
#pragma once

#include <QStringList>
#include <optional>

#include "command_line/run_request.h"
#include "platform/linux/system/log_folders.h"

namespace brask {

struct LinuxRequest {
  RunRequest run = {};
  // --journal-dir DIR or --evtx-dir DIR, in place of what the environment names.
  std::optional<LogFolders> folders = std::nullopt;

  friend bool operator==(const LinuxRequest&, const LinuxRequest&) = default;
};

// The request of the program's arguments, its name first; throws CommandLineError.
LinuxRequest linuxRequest(const QStringList& arguments);

// Whether the arguments ask for the report without a window (--run), however the rest of
// them reads.
bool asksForRun(const QStringList& arguments);

// The usage, for --help.
std::wstring linuxUsage();

}  // namespace brask
