#include "computers/one_computer.h"

#include "computers/unread_reason.h"
#include "report/report_blocks.h"

namespace brask {

std::vector<std::wstring> writeUnreadPart(EventSource& source, Computers& computers, ReportFile& report) {
  const std::optional<ComputerError> failure = source.unreadPart();
  if (!failure) return {};
  const std::optional<GatheredComputers> gathered = computers.gathered();
  const std::wstring name = !gathered                      ? std::wstring()
                            : gathered->names.size() == 1 ? gathered->names.front()
                                                          : gathered->where;
  const std::wstring reason = errorReason(*failure);
  writeUnreadComputer(report, name, reason);
  return {unreadComputerLine(name, reason)};
}

}  // namespace brask
