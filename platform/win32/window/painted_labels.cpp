#include "platform/win32/window/painted_labels.h"

#include "platform/win32/window/native_controls.h"

namespace brask {
namespace {

int captionWidth(HDC dc, const ControlSpec& row, HFONT font) {
  const HGDIOBJ previous = SelectObject(dc, font);
  RECT text{0, 0, 0, 0};
  DrawTextW(dc, row.caption, -1, &text, labelFormat(row) | DT_CALCRECT);
  SelectObject(dc, previous);
  return text.right - text.left;
}

COLORREF textColour(const ControlSpec& row) {
  if (!row.textColour) return GetSysColor(COLOR_BTNTEXT);
  return RGB(row.textColour->red, row.textColour->green, row.textColour->blue);
}

LRESULT CALLBACK drawNothing(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(control, &paint);
      EndPaint(control, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      return 0;
    default:
      break;
  }
  // Everything else, the text and the hit test among it, as the control's class does it.
  const auto classProcedure = reinterpret_cast<WNDPROC>(GetClassLongPtrW(control, GCLP_WNDPROC));
  return CallWindowProcW(classProcedure, control, message, wParam, lParam);
}

}  // namespace

std::vector<PaintedLabel> layOutLabels(int dpi, HFONT dialogFont, HFONT titleFont) {
  std::vector<PaintedLabel> labels;
  const HDC screen = GetDC(nullptr);
  for (const ControlSpec& row : controlTable()) {
    if (row.kind != ControlKind::Label) continue;
    const HFONT font = row.titleFont ? titleFont : dialogFont;
    labels.push_back(
        {&row, grownToTheRight(controlRect(row, dpi), captionWidth(screen, row, font)), font});
  }
  ReleaseDC(nullptr, screen);
  return labels;
}

void paintLabels(HDC dc, const std::vector<PaintedLabel>& labels) {
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF colour = GetTextColor(dc);
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  for (const PaintedLabel& label : labels) {
    SelectObject(dc, label.font);
    SetTextColor(dc, textColour(*label.row));
    RECT box{label.box.x, label.box.y, label.box.x + label.box.width,
             label.box.y + label.box.height};
    DrawTextW(dc, label.row->caption, -1, &box, labelFormat(*label.row));
  }
  SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, mode);
}

void showLabelsThrough(HWND control) {
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(drawNothing));
}

}  // namespace brask
