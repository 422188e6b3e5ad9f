#include "platform/linux/errno_text.h"

#include <cstring>

namespace brask {

std::wstring errnoText(int errorNumber) {
  const char* description = strerrordesc_np(errorNumber);
  if (description == nullptr) return L"Unknown error " + std::to_wstring(errorNumber);
  // The descriptions are plain ASCII.
  return std::wstring(description, description + std::strlen(description));
}

}  // namespace brask
