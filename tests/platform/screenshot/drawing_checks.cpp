#include "drawing_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

namespace brask::screenshot {
namespace {

// A control's box in pixels, the last row and column inclusive.
struct Box {
  int left;
  int top;
  int right;
  int bottom;
};

Box boxOf(const ControlSpec& row, int dpi) {
  const PixelRect rect = controlRect(row, dpi);
  return {rect.x, rect.y, rect.x + rect.width - 1, rect.y + rect.height - 1};
}

bool within(const Box& box, int x, int y) {
  return x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
}

std::string hex(std::uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(colour));
  return text;
}

// The table's names and captions are ASCII.
std::string narrow(const wchar_t* text) {
  std::string narrowed;
  for (const wchar_t* c = text; c && *c; ++c) narrowed += static_cast<char>(*c);
  return narrowed;
}

std::string name(const ControlSpec& row) { return narrow(row.name); }

std::string at(int x, int y) {
  char text[32];
  std::snprintf(text, sizeof text, "(%d, %d)", x, y);
  return text;
}

std::uint32_t commonestColour(const Image& image) {
  std::map<std::uint32_t, int> counts;
  for (std::uint32_t pixel : image.pixels) ++counts[pixel];
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// A straight run of pixels: from (x, y), length steps of (dx, dy).
struct Run {
  int x;
  int y;
  int dx;
  int dy;
  int length;
};

class Checker {
 public:
  Checker(const Image& image, int dpi)
      : image_(image), dpi_(dpi), background_(commonestColour(image)) {}

  std::vector<std::string> run() {
    const PixelRect client = clientRect(kWindow, dpi_);
    if (image_.width != client.width || image_.height != client.height) {
      fail("the client area is " + std::to_string(image_.width) + " x " +
           std::to_string(image_.height) + " pixels, expected " + std::to_string(client.width) +
           " x " + std::to_string(client.height) + " at " + std::to_string(dpi_) + " DPI");
      return faults_;
    }
    for (const ControlSpec& row : controlTable()) {
      if (row.kind == ControlKind::GroupBox) findTopBorder(row);
    }
    for (const ControlSpec& row : controlTable()) {
      switch (row.kind) {
        case ControlKind::GroupBox:
          checkGroupBox(row);
          break;
        case ControlKind::TextBox:
        case ControlKind::PushButton:
          checkEdges(row);
          break;
        case ControlKind::Label:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
          checkCaption(row);
          break;
      }
    }
    return faults_;
  }

 private:
  // Pixels at 96 DPI, at this DPI, rounded up.
  int scaled(int pixels) const { return (pixels * dpi_ + 95) / 96; }
  int corner() const { return scaled(3); }
  bool onImage(int x, int y) const {
    return x >= 0 && y >= 0 && x < image_.width && y < image_.height;
  }
  bool ink(int x, int y) const { return image_.at(x, y) != background_; }
  void fail(const std::string& fault) { faults_.push_back(fault); }

  // A group box's border: two pixels at 96 DPI wide at the left, right and bottom; its
  // caption band, the rows of the caption, across the box's width.
  bool onGroupBoxFrame(const ControlSpec& box, int x, int y) const {
    const Box b = boxOf(box, dpi_);
    if (!within(b, x, y)) return false;
    const auto found = captionBandBottom_.find(box.id);
    const bool inBand = found != captionBandBottom_.end() && y <= found->second;
    const int ring = scaled(2);
    return inBand || x < b.left + ring || x > b.right - ring || y > b.bottom - ring;
  }

  // A caption wider than its box grows the box to the right, at most up to the next
  // control in its rows or its group box's right border.
  static bool grows(const ControlSpec& row) {
    return row.kind == ControlKind::Label || row.kind == ControlKind::CheckBox ||
           row.kind == ControlKind::OptionButton;
  }

  // The first column the box cannot grow into.
  int growthLimit(const ControlSpec& row) const {
    const Box b = boxOf(row, dpi_);
    int limit = row.container ? boxOf(controlSpec(*row.container), dpi_).right - 1 : image_.width;
    for (const ControlSpec& other : controlTable()) {
      if (other.id == row.id || other.kind == ControlKind::GroupBox) continue;
      const Box o = boxOf(other, dpi_);
      if (o.left > b.left && o.top <= b.bottom && o.bottom >= b.top)
        limit = std::min(limit, o.left);
    }
    return limit;
  }

  // The box, and where a caption may grow it.
  Box reach(const ControlSpec& row) const {
    Box b = boxOf(row, dpi_);
    if (grows(row)) b.right = std::max(b.right, growthLimit(row) - 1);
    return b;
  }

  // Whether the pixel is another control's: within its reach, or for a group box on its
  // border or in its caption band. Labels count only when asked.
  bool ownedByAnother(const ControlSpec& self, int x, int y, bool labels) const {
    for (const ControlSpec& other : controlTable()) {
      if (other.id == self.id) continue;
      if (other.kind == ControlKind::GroupBox) {
        if (onGroupBoxFrame(other, x, y)) return true;
      } else if ((labels || other.kind != ControlKind::Label) && within(reach(other), x, y)) {
        return true;
      }
    }
    return false;
  }

  // The top border: the first drawn row of the column just right of the rounded corner.
  void findTopBorder(const ControlSpec& row) {
    const Box b = boxOf(row, dpi_);
    const int x = b.left + corner();
    for (int y = b.top; y <= b.top + scaled(12); ++y) {
      if (ink(x, y) && !ownedByAnother(row, x, y, false)) {
        topBorder_[row.id] = y;
        // The border crosses the caption's middle; below it its descenders.
        captionBandBottom_[row.id] = 2 * y - b.top + scaled(4);
        return;
      }
    }
    fail(name(row) + ": no top border in column " + std::to_string(x) + ", rows " +
         std::to_string(b.top) + " to " + std::to_string(b.top + scaled(12)));
  }

  // The run is one colour, not the background's.
  void expectLine(const ControlSpec& row, const char* edge, const Run& run) {
    const std::uint32_t colour = image_.at(run.x, run.y);
    const std::string where =
        name(row) + ": " + edge + " from " + at(run.x, run.y) + " to " +
        at(run.x + run.dx * (run.length - 1), run.y + run.dy * (run.length - 1));
    if (colour == background_) {
      fail(where + " starts in the background colour " + hex(colour));
      return;
    }
    int differing = 0;
    std::optional<std::pair<int, int>> first;
    for (int i = 0; i < run.length; ++i) {
      const int x = run.x + run.dx * i;
      const int y = run.y + run.dy * i;
      if (image_.at(x, y) == colour) continue;
      ++differing;
      if (!first) first = {x, y};
    }
    if (differing > 0) {
      fail(where + " is not one line of " + hex(colour) + ": " + std::to_string(differing) +
           " of " + std::to_string(run.length) + " pixels differ, the first at " +
           at(first->first, first->second) + ", " + hex(image_.at(first->first, first->second)));
    }
  }

  // Just outside an edge, whatever no other control covers is background.
  void expectClearOutside(const ControlSpec& row, const char* edge, const Run& run) {
    for (int i = 0; i < run.length; ++i) {
      const int x = run.x + run.dx * i;
      const int y = run.y + run.dy * i;
      if (!onImage(x, y) || ownedByAnother(row, x, y, true) || !ink(x, y)) continue;
      fail(name(row) + ": outside its " + edge + " " + at(x, y) + " is " + hex(image_.at(x, y)) +
           ", not the background " + hex(background_) +
           ": the control is not where the table puts it");
      return;
    }
  }

  // The outermost ring of a text box or push button, its corners aside.
  void checkEdges(const ControlSpec& row) {
    const Box b = boxOf(row, dpi_);
    const int c = corner();
    const int across = b.right - b.left + 1 - 2 * c;
    const int down = b.bottom - b.top + 1 - 2 * c;
    expectLine(row, "top edge", {b.left + c, b.top, 1, 0, across});
    expectLine(row, "bottom edge", {b.left + c, b.bottom, 1, 0, across});
    expectLine(row, "left edge", {b.left, b.top + c, 0, 1, down});
    expectLine(row, "right edge", {b.right, b.top + c, 0, 1, down});
    expectClearOutside(row, "top edge", {b.left + c, b.top - 1, 1, 0, across});
    expectClearOutside(row, "bottom edge", {b.left + c, b.bottom + 1, 1, 0, across});
    expectClearOutside(row, "left edge", {b.left - 1, b.top + c, 0, 1, down});
    expectClearOutside(row, "right edge", {b.right + 1, b.top + c, 0, 1, down});
  }

  void checkGroupBox(const ControlSpec& row) {
    const auto found = topBorder_.find(row.id);
    if (found == topBorder_.end()) return;
    const int top = found->second;
    const Box b = boxOf(row, dpi_);
    const int c = corner();
    const int down = b.bottom - top + 1 - 2 * c;
    expectLine(row, "left border", {b.left, top + c, 0, 1, down});
    expectLine(row, "right border", {b.right, top + c, 0, 1, down});
    expectLine(row, "bottom border", {b.left + c, b.bottom, 1, 0, b.right - b.left + 1 - 2 * c});
    expectClearOutside(row, "left border", {b.left - 1, top + c, 0, 1, down});
    expectClearOutside(row, "right border", {b.right + 1, top + c, 0, 1, down});
    expectClearOutside(row, "bottom border",
                       {b.left + c, b.bottom + 1, 1, 0, b.right - b.left + 1 - 2 * c});

    // The top border runs from the corner to the caption and on from the caption's end.
    const std::uint32_t line = image_.at(b.left + c, top);
    int gapStart = b.left + c;
    while (gapStart < b.right - c && image_.at(gapStart, top) == line) ++gapStart;
    int resumes = b.right - c;
    while (resumes > gapStart && image_.at(resumes - 1, top) == image_.at(b.right - c, top))
      --resumes;
    expectLine(row, "top border right of the caption",
               {resumes, top, 1, 0, b.right - c - resumes + 1});
    if (gapStart - b.left > scaled(12)) {
      fail(name(row) + ": the caption's gap in the top border starts at x " +
           std::to_string(gapStart) + ", more than " + std::to_string(scaled(12)) +
           " pixels from the box's left at " + std::to_string(b.left));
    }
    checkCaptionInGap(row, top, gapStart, resumes);
  }

  // The caption between the two parts of the top border: one line, straddling the border,
  // and the border resumes where the caption ends.
  void checkCaptionInGap(const ControlSpec& row, int top, int gapStart, int resumes) {
    const Box b = boxOf(row, dpi_);
    const Box band{gapStart, b.top, resumes - 1, captionBandBottom_.at(row.id)};
    const std::optional<Box> drawn = inkWithin(row, band, false);
    const std::string what = name(row) + ": the caption";
    if (!drawn) {
      fail(what + " is missing: no ink in " + at(band.left, band.top) + " to " +
           at(band.right, band.bottom));
      return;
    }
    if (drawn->top >= top || drawn->bottom <= top + 1) {
      fail(what + " does not straddle the top border at row " + std::to_string(top) +
           ": its ink spans rows " + std::to_string(drawn->top) + " to " +
           std::to_string(drawn->bottom) + " (cut off above or below)");
    }
    if (drawn->left - gapStart > scaled(4) || resumes - 1 - drawn->right > scaled(6)) {
      fail(what + " spans columns " + std::to_string(drawn->left) + " to " +
           std::to_string(drawn->right) + ", but the top border is open from " +
           std::to_string(gapStart) + " to " + std::to_string(resumes - 1) +
           ": the border is erased beside the caption");
    }
    expectOneLine(what, row, *drawn);
  }

  // The bounding box of the ink in area, other controls' pixels aside; none without ink.
  std::optional<Box> inkWithin(const ControlSpec& row, const Box& area, bool labels) const {
    std::optional<Box> drawn;
    for (int y = std::max(area.top, 0); y <= std::min(area.bottom, image_.height - 1); ++y) {
      for (int x = std::max(area.left, 0); x <= std::min(area.right, image_.width - 1); ++x) {
        if (!ink(x, y) || ownedByAnother(row, x, y, labels)) continue;
        if (!drawn) drawn = Box{x, y, x, y};
        drawn->left = std::min(drawn->left, x);
        drawn->right = std::max(drawn->right, x);
        drawn->top = std::min(drawn->top, y);
        drawn->bottom = std::max(drawn->bottom, y);
      }
    }
    return drawn;
  }

  // Every row between the ink's first and last holds ink: a wrapped caption leaves a
  // blank row between its lines.
  void expectOneLine(const std::string& what, const ControlSpec& row, const Box& drawn) {
    for (int y = drawn.top; y <= drawn.bottom; ++y) {
      if (inkWithin(row, {drawn.left, y, drawn.right, y}, false)) continue;
      fail(what + " lies on more than one line: row " + std::to_string(y) +
           " is blank between its ink in rows " + std::to_string(drawn.top) + " and " +
           std::to_string(drawn.bottom));
      return;
    }
  }

  // A label's, check box's or option button's caption: on one line, inside its box's rows,
  // aligned in the box as the table says, clear of the next control.
  void checkCaption(const ControlSpec& row) {
    const Box b = boxOf(row, dpi_);
    const int height = b.bottom - b.top + 1;
    const int limit = growthLimit(row);
    const Box area{b.left, b.top - height / 2, limit - 1, b.bottom + height / 2};
    const std::string what = name(row) + ": the caption \"" + narrow(row.caption) + "\"";
    const std::optional<Box> drawn = inkWithin(row, area, false);
    if (!drawn) {
      fail(what + " is missing: no ink in " + at(area.left, area.top) + " to " +
           at(area.right, area.bottom));
      return;
    }
    if (drawn->top < b.top || drawn->bottom > b.bottom) {
      fail(what + " spans rows " + std::to_string(drawn->top) + " to " +
           std::to_string(drawn->bottom) + ", outside its box's rows " + std::to_string(b.top) +
           " to " + std::to_string(b.bottom));
    }
    if (drawn->right >= limit - 1) {
      fail(what + " runs on to column " + std::to_string(drawn->right) +
           ", into the next control at " + std::to_string(limit));
    }
    expectAligned(what, row, b, *drawn);
    expectOneLine(what, row, *drawn);
  }

  void expectAligned(const std::string& what, const ControlSpec& row, const Box& b,
                     const Box& drawn) {
    const int slack = scaled(4);
    const bool atLeft = drawn.left >= b.left && drawn.left - b.left <= slack;
    const bool grown = drawn.right > b.right;
    bool aligned = atLeft;
    const char* alignment = "left";
    if (row.kind == ControlKind::Label && row.alignment == Alignment::Right) {
      alignment = "right";
      aligned = grown ? atLeft : b.right - drawn.right <= slack;
    } else if (row.kind == ControlKind::Label && row.alignment == Alignment::Centre) {
      alignment = "centre";
      const int offCentre = (drawn.left + drawn.right) - (b.left + b.right);
      aligned = grown ? atLeft : std::abs(offCentre) <= 2 * slack;
    }
    if (!aligned) {
      fail(what + " spans columns " + std::to_string(drawn.left) + " to " +
           std::to_string(drawn.right) + ", not aligned " + alignment + " in its box's columns " +
           std::to_string(b.left) + " to " + std::to_string(b.right));
    }
  }

  const Image& image_;
  int dpi_;
  std::uint32_t background_;
  std::map<ControlId, int> topBorder_;
  std::map<ControlId, int> captionBandBottom_;
  std::vector<std::string> faults_;
};

}  // namespace

std::vector<std::string> checkDrawing(const Image& image, int dpi) {
  return Checker(image, dpi).run();
}

}  // namespace brask::screenshot
