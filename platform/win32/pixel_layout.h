// The window's twips in device pixels at the screen's DPI: pixels = twips * DPI / 1440,
// rounded to the nearest pixel (at 96 DPI, 15 twips a pixel).
#pragma once

#include "app/control_table.h"

namespace brask {

struct PixelRect {
  int x;
  int y;
  int width;
  int height;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline constexpr int kTwipsPerInch = 1440;

int twipsToDevicePixels(int twips, int dpi);

// The control's place in the window's client area.
PixelRect controlRect(const ControlSpec& row, int dpi);

// The window's client area, at the origin.
PixelRect clientRect(const WindowSpec& window, int dpi);

// The LOGFONT height of a font of that many points: negative, so that it is the height of
// the characters rather than of the cell.
int fontHeight(const FontSpec& font, int dpi);

}  // namespace brask
