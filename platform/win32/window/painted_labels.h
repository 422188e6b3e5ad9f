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

// Makes a control of the window draw nothing, neither on the screen nor when printed, so
// that the labels painted beneath it show through: the window paints its whole surface,
// its children's places included (no WS_CLIPCHILDREN).
void showLabelsThrough(HWND control);

}  // namespace brask
