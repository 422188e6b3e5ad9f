// The window's twips in device pixels at a screen's DPI: pixels = twips * DPI / 1440,
// rounded to the nearest pixel, a half up (at 96 DPI, 15 twips a pixel). The Win32 window
// is laid out with it, and the window's screenshots are checked against it.
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

// twips >= 0, as every length and position of the table is.
int twipsToDevicePixels(int twips, int dpi);

// The same at 96 dots per inch, where the Qt window is laid out.
int twipsToPixels(int twips);

// The control's place in the window's client area.
PixelRect controlRect(const ControlSpec& row, int dpi);

// The box widened to at least width pixels, growing to the right: where a caption does not
// fit its box in the face in use, every other position stays as it was.
PixelRect grownToTheRight(const PixelRect& box, int width);

// The window's client area, at the origin.
PixelRect clientRect(const WindowSpec& window, int dpi);

// The pixel height of a font of that many points, negative: the height of the characters
// rather than of the cell, as a Windows font description takes it.
int fontHeight(const FontSpec& font, int dpi);

}  // namespace brask
