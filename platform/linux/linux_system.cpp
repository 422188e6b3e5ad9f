#include "platform/linux/linux_system.h"

#include <cstdlib>

namespace brask {
namespace {

std::optional<std::string> journalDirectory() {
  const char* directory = std::getenv("BRASK_JOURNAL_DIR");
  if (directory == nullptr || *directory == '\0') return std::nullopt;
  return directory;
}

}  // namespace

LinuxSystem::LinuxSystem(EventTypeNames spelling)
    : events_(std::move(spelling), journalDirectory()) {}

}  // namespace brask
