// The files and subfolders of one folder that a source reads.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace brask {

// The regular files (or links to them) of the folder whose names `accepts` takes, in name
// order; error tells why the folder could not be listed.
std::vector<std::string> filesIn(const std::filesystem::path& folder,
                                 bool (*accepts)(std::string_view name), std::error_code& error);

// The folders (or links to them) in the folder, in name order; error tells why the folder
// could not be listed.
std::vector<std::string> foldersIn(const std::filesystem::path& folder, std::error_code& error);

}  // namespace brask
