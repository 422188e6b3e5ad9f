#include "platform/linux/environment_variable.h"

#include <cstdlib>

namespace brask {

std::optional<std::string> nonEmptyVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return value;
}

}  // namespace brask
