// The window's labels, which are no windows: the main window draws their captions on its
// own surface, before its child windows draw, so that every other control lies above a
// label where their boxes overlap. A caption is one line; where it is wider than its box
// in the face in use, the box grows to the right.
#pragma once

#include <windows.h>

#include <vector>

#include "app/pixel_layout.h"

namespace brask {

struct PaintedLabel {
  const ControlSpec* row;
  PixelRect box;  // the table's box at the DPI, grown to the caption's width
  HFONT font;
};

// Every label of the table, its caption measured in its font.
std::vector<PaintedLabel> layOutLabels(int dpi, HFONT dialogFont, HFONT titleFont);

// Draws the captions on dc without a background, each in its font and text colour.
void paintLabels(HDC dc, const std::vector<PaintedLabel>& labels);

}  // namespace brask
