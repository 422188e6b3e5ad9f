#include "platform/gathered_bytes.h"

namespace brask {

void GatheredBytes::write(std::string_view bytes) {
  if (gathered_.size() + bytes.size() > kBlock) flush();
  if (bytes.size() >= kBlock) {
    writeAll_(bytes);
  } else {
    gathered_ += bytes;
  }
}

void GatheredBytes::flush() {
  if (gathered_.empty()) return;
  writeAll_(gathered_);
  gathered_.clear();
}

}  // namespace brask
