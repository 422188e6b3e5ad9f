#include "platform/linux/linux_system.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/linux/evtx_event_source.h"
#include "platform/linux/journal_event_source.h"

namespace brask {
namespace {

std::optional<std::string> variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return value;
}

std::unique_ptr<EventSource> eventSource(EventTypeNames spelling) {
  if (std::optional<std::string> folder = variable("BRASK_EVTX_DIR"))
    return std::make_unique<EvtxEventSource>(std::move(spelling), std::move(*folder));
  return std::make_unique<JournalEventSource>(std::move(spelling), variable("BRASK_JOURNAL_DIR"));
}

}  // namespace

LinuxSystem::LinuxSystem(EventTypeNames spelling) : events_(eventSource(std::move(spelling))) {}

}  // namespace brask
