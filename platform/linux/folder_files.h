// The files and subfolders of one folder that a source reads, and those of them that are
// there but cannot be read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/computer_error.h"

namespace brask {

// A file or subfolder of a folder of logs that is there but cannot be read: its path, as
// named and as shown, and the error number of the attempt.
struct RefusedFile {
  std::string path;
  std::wstring shown;
  int error;
};

// Why a computer's logs could be read only in part, or not at all: the first refused file
// and the system's reason, and how many more there are ("PATH and 2 other files:
// Permission denied"), as the failure of `action`. Nothing when none was refused.
std::optional<ComputerError> refusedFilesError(const std::wstring& action, const std::vector<RefusedFile>& refused);

// The error number of opening the file for reading, 0 when it opens: whether the user may
// read it.
int openError(const std::string& path);

// The regular files (or links to them) of the folder whose names `accepts` takes, in name
// order; error tells why the folder could not be listed.
std::vector<std::string> filesIn(const std::filesystem::path& folder,
                                 bool (*accepts)(std::string_view name), std::error_code& error);

// The folders (or links to them) in the folder, in name order; error tells why the folder
// could not be listed.
std::vector<std::string> foldersIn(const std::filesystem::path& folder, std::error_code& error);

}  // namespace brask
