#include "platform/linux/system/linux_system.h"

#include <optional>
#include <string>

#include "platform/linux/environment_variable.h"
#include "platform/linux/evtx/evtx_computers.h"
#include "platform/linux/evtx/evtx_event_source.h"
#include "platform/linux/journal/journal_computers.h"
#include "platform/linux/journal/journal_event_source.h"

namespace brask {
namespace {

std::unique_ptr<EventSource> eventSource(EventTypeNames spelling) {
  if (std::optional<std::string> folder = nonEmptyVariable("BRASK_EVTX_DIR"))
    return std::make_unique<EvtxEventSource>(std::move(spelling), std::move(*folder));
  return std::make_unique<JournalEventSource>(std::move(spelling),
                                              nonEmptyVariable("BRASK_JOURNAL_DIR"));
}

// The computers that the same logs gather.
std::unique_ptr<Computers> gatheredComputers(EventTypeNames spelling) {
  if (std::optional<std::string> folder = nonEmptyVariable("BRASK_EVTX_DIR"))
    return std::make_unique<EvtxComputers>(std::move(spelling), std::move(*folder));
  return std::make_unique<JournalComputers>(std::move(spelling), nonEmptyVariable("BRASK_JOURNAL_DIR"));
}

}  // namespace

LinuxSystem::LinuxSystem(EventTypeNames spelling)
    : events_(eventSource(spelling)), computers_(gatheredComputers(std::move(spelling))) {}

}  // namespace brask
