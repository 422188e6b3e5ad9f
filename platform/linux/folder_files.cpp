#include "platform/linux/folder_files.h"

#include <algorithm>

namespace brask {

std::vector<std::string> filesIn(const std::filesystem::path& folder,
                                 bool (*accepts)(std::string_view name), std::error_code& error) {
  std::vector<std::string> paths;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code ignored;
    if (accepts(entry->path().filename().string()) && entry->is_regular_file(ignored))
      paths.push_back(entry->path().string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::vector<std::string> foldersIn(const std::filesystem::path& folder, std::error_code& error) {
  std::vector<std::string> paths;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code ignored;
    if (entry->is_directory(ignored)) paths.push_back(entry->path().string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

}  // namespace brask
