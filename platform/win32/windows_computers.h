// Other Windows computers' event logs, read where they live, and this one's by its names.
#pragma once

#include <optional>
#include <string>

#include "platform/computers.h"
#include "platform/event_log/event_type_names.h"

namespace brask {

class WindowsComputers final : public Computers {
 public:
  // forwarded: the collector log whose computers a run reports, if any.
  WindowsComputers(EventTypeNames spelling, std::optional<std::wstring> forwarded);

  std::optional<GatheredComputers> gathered() override;
  std::unique_ptr<EventSource> computer(const std::wstring& name) override;

 private:
  EventTypeNames spelling_;
  std::optional<std::wstring> forwarded_;
};

}  // namespace brask
