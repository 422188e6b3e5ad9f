// The computers of a folder of saved logs (evtx_layout.h): one for the folder's own files
// and one for each subfolder's, named by their folders, and those that a collector's logs
// name in their records, names compared as computer names are. A computer that a collector
// forwards and that has a folder of its own is one computer, its folder's logs and its
// forwarded records merged.
#pragma once

#include <optional>
#include <string>

#include "platform/computers.h"
#include "platform/event_log/event_type_names.h"

namespace brask {

class EvtxComputers final : public Computers {
 public:
  EvtxComputers(EventTypeNames spelling, std::string folder)
      : spelling_(std::move(spelling)), folder_(std::move(folder)) {}

  // The computers in name order, each as its folder names it, else as the greatest of its
  // records' spellings in code-point order (lower case before capitals); a collector when
  // the folder holds a collector's log. Nothing when the folder cannot be read, whose first
  // query then fails as a run on the folder does.
  std::optional<GatheredComputers> gathered() override;
  // The folder's logs of the computer of that name, and its records in a collector's logs.
  std::unique_ptr<EventSource> computer(const std::wstring& name) override;

 private:
  EventTypeNames spelling_;
  std::string folder_;
};

}  // namespace brask
