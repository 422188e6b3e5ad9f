// Bytes gathered in memory, a block at most, before they are written: a report of many small
// records then costs few system calls. Both builds' files write through one.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace brask {

class GatheredBytes {
 public:
  // How many bytes are gathered before they are written, and read at a time.
  static constexpr std::size_t kBlock = 64 * 1024;

  // writeAll writes a run of bytes whole, or throws.
  explicit GatheredBytes(std::function<void(std::string_view)> writeAll) : writeAll_(std::move(writeAll)) {}

  void write(std::string_view bytes);
  // Writes what is gathered.
  void flush();

 private:
  std::function<void(std::string_view)> writeAll_;
  std::string gathered_;
};

}  // namespace brask
