// The saved logs of a folder that gathers many computers: the folder's own files are one
// computer's, named by the folder, and the files of each subfolder another's, named by the
// subfolder; a collector's logs (ForwardedEvents.evtx and its archives), in the folder or
// a subfolder, hold the records of the computers that each record names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/folder_files.h"

namespace brask {

// The saved logs of one computer, a collector's logs left out.
struct EvtxComputerFiles {
  std::wstring name;                  // its folder's
  std::vector<std::string> files;     // in name order
  std::vector<RefusedFile> refused;   // its folder, where it cannot be listed
};

struct EvtxLayout {
  std::vector<EvtxComputerFiles> computers;  // the folder's own, then its subfolders' in name order
  std::vector<std::string> forwarded;        // the collector's logs
};

// Named *.evtx, in any letter case.
bool isEvtxName(std::string_view name);

// The layout of the folder; a subfolder that cannot be listed is a computer whose folder is
// refused. Throws RunTimeError when the folder cannot be listed, or holds no saved log.
EvtxLayout evtxLayout(const std::string& folder);

}  // namespace brask
