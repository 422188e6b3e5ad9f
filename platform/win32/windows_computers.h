// Other Windows computers' event logs, read where they live, and this one's by its names; or,
// on a Windows Event Collector, the computers whose events one of its logs gathers.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/computers.h"
#include "platform/event_log/event_type_names.h"
#include "platform/win32/call_limit.h"
#include "platform/win32/wmi/wmi_connection.h"

namespace brask {

class WindowsComputers final : public Computers {
 public:
  // forwarded: the collector log whose computers a run reports, by channel, if any. Every
  // call to another computer is bounded by callLimit; wmi: how WMI is reached.
  WindowsComputers(EventTypeNames spelling, std::optional<std::wstring> forwarded,
                   std::chrono::milliseconds callLimit = kCallLimit,
                   WmiClient wmi = comWmiClient());

  // The computers of the collector log, each as its newest event spells it.
  std::optional<GatheredComputers> gathered() override;
  // In the collector log, that computer's events of the query's log; its failures, as this
  // computer's log, are the run's own.
  std::unique_ptr<EventSource> computer(const std::wstring& name) override;

 private:
  EventTypeNames spelling_;
  std::optional<std::wstring> forwarded_;
  std::chrono::milliseconds callLimit_;
  WmiClient wmi_;
  // Every spelling that the collector log gives each computer, by its name as names compare.
  std::map<std::wstring, std::vector<std::wstring>> spellings_;
};

}  // namespace brask
