#include "platform/win32/window/native_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <tuple>

namespace brask {
namespace {

constexpr int kFirstIdentifier = 100;

UINT drawTextAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Centre:
      return DT_CENTER;
    case Alignment::Right:
      return DT_RIGHT;
    case Alignment::Left:
      break;
  }
  return DT_LEFT;
}

DWORD textAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Centre:
      return ES_CENTER;
    case Alignment::Right:
      return ES_RIGHT;
    case Alignment::Left:
      break;
  }
  return ES_LEFT;
}

}  // namespace

bool startsGroup(const ControlSpec& row) {
  int firstOption = -1;
  int lastOption = -1;
  for (const ControlSpec& other : controlTable()) {
    if (other.kind != ControlKind::OptionButton || other.container != row.container) continue;
    if (firstOption < 0 || other.tabIndex < firstOption) firstOption = other.tabIndex;
    if (other.tabIndex > lastOption) lastOption = other.tabIndex;
  }
  const bool continuesOptions =
      firstOption >= 0 && row.tabIndex > firstOption && row.tabIndex <= lastOption;
  return !continuesOptions;
}

std::optional<NativeControl> nativeControl(const ControlSpec& row) {
  const DWORD style = WS_CHILD | WS_VISIBLE | (startsGroup(row) ? WS_GROUP : 0);
  switch (row.kind) {
    case ControlKind::Label:
      break;
    case ControlKind::GroupBox:
      return NativeControl{WC_BUTTONW, style | WS_CLIPSIBLINGS | BS_GROUPBOX, 0};
    case ControlKind::TextBox:
      return NativeControl{WC_EDITW,
                           style | WS_TABSTOP | ES_AUTOHSCROLL | textAlignment(row.alignment),
                           WS_EX_CLIENTEDGE};
    case ControlKind::OptionButton:
      return NativeControl{WC_BUTTONW, style | WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case ControlKind::CheckBox:
      return NativeControl{WC_BUTTONW, style | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::PushButton:
      return NativeControl{WC_BUTTONW, style | WS_TABSTOP | BS_PUSHBUTTON, 0};
  }
  return std::nullopt;
}

std::optional<NativeControl> accessibleLabel(const ControlSpec& row) {
  if (row.kind != ControlKind::TextBox) return std::nullopt;
  return NativeControl{WC_STATICW, WS_CHILD | SS_LEFT, 0};
}

std::optional<NativeControl> readableLabel(const ControlSpec& row) {
  if (row.kind != ControlKind::Label || !row.tooltip) return std::nullopt;
  return NativeControl{WC_STATICW, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX, 0};
}

UINT labelFormat(const ControlSpec& row) {
  return DT_SINGLELINE | DT_NOPREFIX | DT_TOP | drawTextAlignment(row.alignment);
}

std::vector<const ControlSpec*> windowsInZOrder() {
  std::vector<const ControlSpec*> rows;
  for (const ControlSpec& row : controlTable()) {
    if (row.kind != ControlKind::Label) rows.push_back(&row);
  }
  const auto rank = [](const ControlSpec* row) {
    const bool groupBox = row->kind == ControlKind::GroupBox;
    return std::tuple(groupBox, groupBox ? windowTop(*row) : 0, row->tabIndex);
  };
  std::sort(rows.begin(), rows.end(),
            [&](const ControlSpec* a, const ControlSpec* b) { return rank(a) < rank(b); });
  return rows;
}

int controlIdentifier(ControlId id) { return kFirstIdentifier + static_cast<int>(id); }

}  // namespace brask
