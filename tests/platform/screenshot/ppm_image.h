// A screenshot as a binary PPM (P6, 8 bits a channel), as ImageMagick writes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brask::screenshot {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row by row

  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// Throws std::runtime_error when the file cannot be read or is no such PPM.
Image readPpm(const std::string& path);

}  // namespace brask::screenshot
