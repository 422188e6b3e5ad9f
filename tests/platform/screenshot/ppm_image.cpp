#include "ppm_image.h"

#include <fstream>
#include <stdexcept>

namespace brask::screenshot {

Image readPpm(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  Image image;
  file >> magic >> image.width >> image.height >> maximum;
  if (!file || magic != "P6" || maximum != 255 || image.width <= 0 || image.height <= 0) {
    throw std::runtime_error(path + " is no 8-bit binary PPM");
  }
  file.get();  // the one white-space character before the samples
  const auto count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  std::vector<unsigned char> samples(count * 3);
  file.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size()));
  if (!file) throw std::runtime_error(path + " ends before its last pixel");
  image.pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    image.pixels[i] = static_cast<std::uint32_t>(samples[3 * i]) << 16 |
                      static_cast<std::uint32_t>(samples[3 * i + 1]) << 8 | samples[3 * i + 2];
  }
  return image;
}

}  // namespace brask::screenshot
