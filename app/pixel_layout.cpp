#include "app/pixel_layout.h"

#include <algorithm>
#include <cmath>

namespace brask {

int twipsToDevicePixels(int twips, int dpi) {
  return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

int twipsToPixels(int twips) { return twipsToDevicePixels(twips, 96); }

PixelRect controlRect(const ControlSpec& row, int dpi) {
  return {twipsToDevicePixels(windowLeft(row), dpi), twipsToDevicePixels(windowTop(row), dpi),
          twipsToDevicePixels(row.width, dpi), twipsToDevicePixels(row.height, dpi)};
}

PixelRect grownToTheRight(const PixelRect& box, int width) {
  return {box.x, box.y, std::max(box.width, width), box.height};
}

PixelRect clientRect(const WindowSpec& window, int dpi) {
  return {0, 0, twipsToDevicePixels(window.clientWidth, dpi),
          twipsToDevicePixels(window.clientHeight, dpi)};
}

int fontHeight(const FontSpec& font, int dpi) {
  constexpr double kPointsPerInch = 72.0;
  return -static_cast<int>(std::lround(font.points * dpi / kPointsPerInch));
}

}  // namespace brask
