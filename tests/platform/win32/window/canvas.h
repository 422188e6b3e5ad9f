// A 32-bit bitmap in memory to draw on, with its pixels to read back.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/pixel_layout.h"

namespace brask {

class Canvas {
 public:
  // Filled with colour.
  Canvas(int width, int height, COLORREF colour);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  HDC dc() const { return dc_; }
  COLORREF pixel(int x, int y) const;
  // How many pixels of the area have the colour.
  int count(const PixelRect& area, COLORREF colour) const;

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  std::uint32_t* bits_ = nullptr;
};

}  // namespace brask
