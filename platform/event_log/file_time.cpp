#include "platform/event_log/file_time.h"

namespace brask {
namespace {

// FILETIME of 1970-01-01 00:00:00 UTC.
constexpr std::uint64_t kUnixEpoch = 116444736000000000;

}  // namespace

std::uint64_t unixMicroseconds(std::uint64_t fileTime) {
  return fileTime < kUnixEpoch ? 0 : (fileTime - kUnixEpoch) / 10;
}

}  // namespace brask
