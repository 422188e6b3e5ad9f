#include "platform/win32/windows_computers.h"

#include <windows.h>

#include <algorithm>

#include "computers/computer_names.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wevtapi/evt_computers.h"
#include "platform/win32/wevtapi/evt_event_source.h"
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

RunTimeError noEventLogApi(const std::wstring& channel) {
  return systemError(L"Reading the collector log " + channel, ERROR_NOT_SUPPORTED);
}

}  // namespace

WindowsComputers::WindowsComputers(EventTypeNames spelling, std::optional<std::wstring> forwarded,
                                   std::chrono::milliseconds callLimit, WmiClient wmi)
    : spelling_(std::move(spelling)),
      forwarded_(std::move(forwarded)),
      callLimit_(callLimit),
      wmi_(std::move(wmi)) {}

std::optional<GatheredComputers> WindowsComputers::gathered() {
  if (!forwarded_) return std::nullopt;
  const std::optional<Wevtapi> api = loadWevtapi();
  if (!api) throw noEventLogApi(*forwarded_);
  spellings_.clear();
  for (const std::wstring& spelling : computersOfLog(*api, *forwarded_))
    spellings_[comparableName(spelling)].push_back(spelling);
  GatheredComputers computers{{}, *forwarded_, true};
  // In the order of the names as they compare; each as met first, its newest spelling.
  for (const auto& [comparable, spellings] : spellings_)
    computers.names.push_back(spellings.front());
  return computers;
}

std::unique_ptr<EventSource> WindowsComputers::computer(const std::wstring& name) {
  if (forwarded_) {
    const auto found = spellings_.find(comparableName(name));
    EvtTarget target{{}, forwarded_, found == spellings_.end() ? std::vector{name} : found->second};
    std::unique_ptr<EventSource> source =
        EvtEventSource::open(spelling_, messageLanguages(), std::move(target), callLimit_);
    if (!source) throw noEventLogApi(*forwarded_);
    return source;
  }
  if (name.empty() || namesThisComputer(name, ownNames()))
    return std::make_unique<WindowsEventLogs>(spelling_, std::wstring(), callLimit_, wmi_);
  return std::make_unique<WindowsEventLogs>(spelling_, name, callLimit_, wmi_);
}

}  // namespace brask
