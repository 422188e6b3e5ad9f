#include "platform/linux/folder_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/linux/errno_text.h"

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

std::optional<ComputerError> refusedFilesError(const std::wstring& action, const std::vector<RefusedFile>& refused) {
  if (refused.empty()) return std::nullopt;
  const RefusedFile& first = refused.front();
  std::wstring what = first.shown;
  if (refused.size() == 2) what += L" and 1 other file";
  if (refused.size() > 2) what += L" and " + std::to_wstring(refused.size() - 1) + L" other files";
  return ComputerError(action, first.error, what + L": " + errnoText(first.error), Reach::Folder);
}

int openError(const std::string& path) {
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (file < 0) return errno;
  ::close(file);
  return 0;
}

}  // namespace brask
