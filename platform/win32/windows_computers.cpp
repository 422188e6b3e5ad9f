#include "platform/win32/windows_computers.h"

#include <windows.h>

#include <vector>

#include "computers/computer_names.h"
#include "platform/win32/windows_event_logs.h"

namespace brask {
namespace {

// This computer's NetBIOS name, and its DNS host and full names.
std::vector<std::wstring> ownNames() {
  std::vector<std::wstring> names;
  for (const COMPUTER_NAME_FORMAT format :
       {ComputerNameNetBIOS, ComputerNameDnsHostname, ComputerNameDnsFullyQualified}) {
    wchar_t name[256];
    DWORD size = 256;
    if (GetComputerNameExW(format, name, &size)) names.emplace_back(name, size);
  }
  return names;
}

}  // namespace

WindowsComputers::WindowsComputers(EventTypeNames spelling, std::optional<std::wstring> forwarded)
    : spelling_(std::move(spelling)), forwarded_(std::move(forwarded)) {}

std::optional<GatheredComputers> WindowsComputers::gathered() { return std::nullopt; }

std::unique_ptr<EventSource> WindowsComputers::computer(const std::wstring& name) {
  if (name.empty() || namesThisComputer(name, ownNames()))
    return std::make_unique<WindowsEventLogs>(spelling_);
  throw ComputerError(L"Reading the computer " + name, ERROR_NOT_SUPPORTED,
                      L"The request is not supported.", Reach::EventLogApi);
}

}  // namespace brask
