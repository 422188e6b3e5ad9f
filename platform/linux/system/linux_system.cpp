#include "platform/linux/system/linux_system.h"

#include "platform/linux/evtx/evtx_computers.h"
#include "platform/linux/evtx/evtx_event_source.h"
#include "platform/linux/journal/journal_computers.h"
#include "platform/linux/journal/journal_event_source.h"

namespace brask {
namespace {

std::unique_ptr<EventSource> eventSource(EventTypeNames spelling, const LogFolders& folders) {
  if (folders.evtx) return std::make_unique<EvtxEventSource>(std::move(spelling), *folders.evtx);
  return std::make_unique<JournalEventSource>(std::move(spelling), folders.journal);
}

// The computers that the same logs gather.
std::unique_ptr<Computers> gatheredComputers(EventTypeNames spelling, const LogFolders& folders) {
  if (folders.evtx) return std::make_unique<EvtxComputers>(std::move(spelling), *folders.evtx);
  return std::make_unique<JournalComputers>(std::move(spelling), folders.journal);
}

}  // namespace

LinuxSystem::LinuxSystem(EventTypeNames spelling, const LogFolders& folders)
    : events_(eventSource(spelling, folders)), computers_(gatheredComputers(std::move(spelling), folders)) {}

}  // namespace brask
