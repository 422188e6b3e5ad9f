#include "platform/linux/system/linux_system.h"

#include <optional>
#include <string>

#include "platform/linux/environment_variable.h"
#include "platform/linux/evtx/evtx_event_source.h"
#include "platform/linux/journal/journal_event_source.h"

namespace brask {
namespace {

std::unique_ptr<EventSource> eventSource(EventTypeNames spelling) {
  if (std::optional<std::string> folder = nonEmptyVariable("BRASK_EVTX_DIR"))
    return std::make_unique<EvtxEventSource>(std::move(spelling), std::move(*folder));
  return std::make_unique<JournalEventSource>(std::move(spelling),
                                              nonEmptyVariable("BRASK_JOURNAL_DIR"));
}

// The logs of this computer alone.
class ThisComputer final : public Computers {
 public:
  std::optional<GatheredComputers> gathered() override { return std::nullopt; }
  std::unique_ptr<EventSource> computer(const std::wstring& name) override {
    throw RunTimeError(L"Reading the computer " + name, kInternalError, L"Not reachable");
  }
};

}  // namespace

LinuxSystem::LinuxSystem(EventTypeNames spelling)
    : events_(eventSource(std::move(spelling))), computers_(std::make_unique<ThisComputer>()) {}

}  // namespace brask
