#include "platform/linux/evtx/evtx_layout.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/linux/errno_text.h"
#include "platform/linux/folder_files.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// A collector's log as Windows names it, or its archive (Archive-ForwardedEvents-….evtx).
bool isForwardedName(std::string_view path) {
  return lowerCase(std::filesystem::path(path).filename().string()).find("forwardedevents") != std::string::npos;
}

// The files of one folder: the computer's, named `name`, and the collector's.
void addFolder(EvtxLayout& layout, std::wstring name, const std::vector<std::string>& paths,
               std::vector<RefusedFile> refused = {}) {
  EvtxComputerFiles computer{std::move(name), {}, std::move(refused)};
  for (const std::string& path : paths) {
    (isForwardedName(path) ? layout.forwarded : computer.files).push_back(path);
  }
  if (!computer.files.empty() || !computer.refused.empty()) layout.computers.push_back(std::move(computer));
}

}  // namespace

bool isEvtxName(std::string_view name) {
  return name.size() > 5 && lowerCase(name.substr(name.size() - 5)) == ".evtx";
}

EvtxLayout evtxLayout(const std::string& folder) {
  WideDecoder utf8("UTF-8");
  const std::wstring where = L"Opening the saved event logs in " + utf8(folder);
  std::error_code error;
  const std::vector<std::string> own = filesIn(folder, isEvtxName, error);
  if (error) throw RunTimeError(where, -error.value(), errnoText(error.value()));
  EvtxLayout layout;
  std::error_code ignored;
  const std::filesystem::path named = std::filesystem::weakly_canonical(folder, ignored).filename();
  addFolder(layout, utf8(named.empty() ? folder : named.string()), own);
  for (const std::string& subfolder : foldersIn(folder, error)) {
    std::error_code unread;
    const std::vector<std::string> files = filesIn(subfolder, isEvtxName, unread);
    std::vector<RefusedFile> refused;
    if (unread) refused.push_back({subfolder, utf8(subfolder), unread.value()});
    addFolder(layout, utf8(std::filesystem::path(subfolder).filename().string()), files, std::move(refused));
  }
  if (layout.computers.empty() && layout.forwarded.empty())
    throw RunTimeError(where, -ENOENT, L"No saved event logs (.evtx files) were found");
  return layout;
}

}  // namespace brask
