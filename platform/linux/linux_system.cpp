#include "platform/linux/linux_system.h"

#include "platform/linux/environment_variable.h"

namespace brask {

LinuxSystem::LinuxSystem(EventTypeNames spelling)
    : events_(std::move(spelling), nonEmptyVariable("BRASK_JOURNAL_DIR")) {}

}  // namespace brask
