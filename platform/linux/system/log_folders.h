// Where the Linux program reads the event logs: the saved Windows logs of a folder, else the
// journal files of a folder, else this machine's journal. The command line names a folder
// with --evtx-dir or --journal-dir, which wins over BRASK_EVTX_DIR and BRASK_JOURNAL_DIR.
#pragma once

#include <optional>
#include <string>

namespace brask {

struct LogFolders {
  std::optional<std::string> journal = std::nullopt;
  std::optional<std::string> evtx = std::nullopt;

  friend bool operator==(const LogFolders&, const LogFolders&) = default;
};

// The folders that BRASK_JOURNAL_DIR and BRASK_EVTX_DIR name, those set and not empty.
LogFolders logFoldersOfEnvironment();

}  // namespace brask
