// The labels drawn as text: their boxes, fonts, colours, and one line each, on a bitmap.
#include "platform/win32/window/painted_labels.h"

#include <gtest/gtest.h>

#include "canvas.h"

namespace brask {
namespace {

using enum ControlId;

HFONT fontOf(int height, int weight) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  lstrcpynW(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

int widthIn(HFONT font, const wchar_t* text) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, font);
  SIZE size{};
  GetTextExtentPoint32W(screen, text, lstrlenW(text), &size);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return size.cx;
}

class PaintedLabelsTest : public testing::Test {
 protected:
  ~PaintedLabelsTest() override {
    DeleteObject(dialog_);
    DeleteObject(title_);
    DeleteObject(huge_);
  }

  const PaintedLabel& find(const std::vector<PaintedLabel>& labels, ControlId id) {
    for (const PaintedLabel& label : labels) {
      if (label.row->id == id) return label;
    }
    throw std::invalid_argument("no such label");
  }

  HFONT dialog_ = fontOf(fontHeight(kDialogFont, 96), kDialogFont.weight);
  HFONT title_ = fontOf(fontHeight(kTitleFont, 96), kTitleFont.weight);
  HFONT huge_ = fontOf(-40, 400);
};

TEST_F(PaintedLabelsTest, EveryLabelInItsBoxAndFontWidenedOnlyToItsCaption) {
  const std::vector<PaintedLabel> labels = layOutLabels(96, dialog_, title_);
  std::size_t expected = 0;
  for (const ControlSpec& row : controlTable()) expected += row.kind == ControlKind::Label;
  ASSERT_EQ(labels.size(), expected);
  for (const PaintedLabel& label : labels) {
    const ControlSpec& row = *label.row;
    const PixelRect table = controlRect(row, 96);
    EXPECT_EQ(label.font, row.titleFont ? title_ : dialog_) << row.name;
    EXPECT_EQ(label.box.x, table.x) << row.name;
    EXPECT_EQ(label.box.y, table.y) << row.name;
    EXPECT_EQ(label.box.height, table.height) << row.name;
    EXPECT_EQ(label.box.width, std::max(table.width, widthIn(label.font, row.caption))) << row.name;
  }
}

// In a face too large for the table, every box grows to the right and the caption is
// drawn on one line, past the table's box.
TEST_F(PaintedLabelsTest, ACaptionWiderThanItsBoxStaysOnOneLine) {
  const std::vector<PaintedLabel> labels = layOutLabels(96, huge_, huge_);
  const PaintedLabel& version = find(labels, Label1);
  const PixelRect table = controlRect(controlSpec(Label1), 96);
  ASSERT_GT(version.box.width, table.width);
  EXPECT_EQ(version.box.width, widthIn(huge_, L"Version 01b"));

  Canvas canvas(600, 400, RGB(255, 255, 255));
  paintLabels(canvas.dc(), {version});
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const PixelRect pastTheTable{table.x + table.width, table.y, version.box.width - table.width,
                               table.height};
  EXPECT_GT(canvas.count(pastTheTable, text), 0) << "\"01b\" is not drawn beside \"Version\"";
  const PixelRect below{0, table.y + table.height, 600, 400 - table.y - table.height};
  EXPECT_EQ(canvas.count(below, text), 0) << "the caption reaches below its box";
}

TEST_F(PaintedLabelsTest, CaptionsInTheirColoursOverTheSurfaceAsItWas) {
  const COLORREF surface = RGB(200, 210, 220);
  Canvas canvas(296, 289, surface);
  const std::vector<PaintedLabel> labels = layOutLabels(96, dialog_, title_);
  paintLabels(canvas.dc(), labels);
  const COLORREF purple = RGB(128, 0, 128);
  const PixelRect everywhere{0, 0, 296, 289};
  const PixelRect title1 = find(labels, lblTitle1).box;
  EXPECT_GT(canvas.count(title1, purple), 20);
  EXPECT_EQ(canvas.count(title1, purple), canvas.count(everywhere, purple))
      << "purple outside lblTitle1";
  for (const PaintedLabel& label : labels) {
    const int area = label.box.width * label.box.height;
    const COLORREF colour = label.row->textColour ? purple : GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(canvas.count(label.box, colour), 5) << label.row->name << " has no text";
    // Drawn without a background: most of the box is the surface still.
    EXPECT_GT(canvas.count(label.box, surface) * 2, area) << label.row->name;
  }
}

}  // namespace
}  // namespace brask
