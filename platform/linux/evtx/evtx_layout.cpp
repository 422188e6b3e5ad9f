#include "platform/linux/evtx/evtx_layout.h"

#include <algorithm>
#include <cctype>
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
void addFolder(EvtxLayout& layout, std::wstring name, const std::vector<std::string>& paths) {
  EvtxComputerFiles computer{std::move(name), {}};
  for (const std::string& path : paths) {
    (isForwardedName(path) ? layout.forwarded : computer.files).push_back(path);
  }
  if (!computer.files.empty()) layout.computers.push_back(std::move(computer));
}

}  // namespace

bool isEvtxName(std::string_view name) {
  return name.size() > 5 && lowerCase(name.substr(name.size() - 5)) == ".evtx";
}

EvtxLayout evtxLayout(const std::string& folder) {
  WideDecoder utf8("UTF-8");
  std::error_code error;
  const std::vector<std::string> own = filesIn(folder, isEvtxName, error);
  if (error) {
    throw RunTimeError(L"Opening the saved event logs in " + utf8(folder), -error.value(),
                       errnoText(error.value()));
  }
  EvtxLayout layout;
  std::error_code ignored;
  const std::filesystem::path named = std::filesystem::weakly_canonical(folder, ignored).filename();
  addFolder(layout, utf8(named.empty() ? folder : named.string()), own);
  for (const std::string& subfolder : foldersIn(folder, error)) {
    std::error_code unread;
    const std::vector<std::string> files = filesIn(subfolder, isEvtxName, unread);
    if (!unread) addFolder(layout, utf8(std::filesystem::path(subfolder).filename().string()), files);
  }
  return layout;
}

}  // namespace brask
