// The Linux program's command line: the computers of a gathered folder to report, as NAME
// or @FILE, the switches both builds take in their Linux spelling ("--log System",
// "--log=System", or with one dash), and the folder of the event logs. Switch names are
// taken in any letter case, as on Windows; values as given. "--" ends the switches. Read
// without Qt, so that a run without a window loads none.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "command_line/run_request.h"
#include "platform/linux/system/log_folders.h"

namespace brask {

struct LinuxRequest {
  RunRequest run = {};
  // --journal-dir DIR or --evtx-dir DIR, in place of what the environment names.
  std::optional<LogFolders> folders = std::nullopt;

  friend bool operator==(const LinuxRequest&, const LinuxRequest&) = default;
};

// The request of the program's arguments, its name first, each in the character set of the
// user's LC_CTYPE locale; throws CommandLineError.
LinuxRequest linuxRequest(const std::vector<std::string>& arguments);

// Whether the arguments ask for the report without a window (--run), however the rest of
// them reads.
bool asksForRun(const std::vector<std::string>& arguments);

// The usage, for --help.
std::wstring linuxUsage();

}  // namespace brask
