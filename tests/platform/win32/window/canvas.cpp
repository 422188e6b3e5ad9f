#include "canvas.h"

#include <algorithm>

namespace brask {

Canvas::Canvas(int width, int height, COLORREF colour)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<std::uint32_t*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
  const HBRUSH brush = CreateSolidBrush(colour);
  const RECT all{0, 0, width, height};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
  GdiFlush();
}

Canvas::~Canvas() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Canvas::pixel(int x, int y) const {
  GdiFlush();
  const std::uint32_t bgr = bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                  static_cast<std::size_t>(x)];
  return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

int Canvas::count(const PixelRect& area, COLORREF colour) const {
  int found = 0;
  for (int y = std::max(area.y, 0); y < std::min(area.y + area.height, height_); ++y) {
    for (int x = std::max(area.x, 0); x < std::min(area.x + area.width, width_); ++x) {
      if (pixel(x, y) == colour) ++found;
    }
  }
  return found;
}

}  // namespace brask
