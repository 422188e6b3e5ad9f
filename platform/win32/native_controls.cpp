#include "platform/win32/native_controls.h"

#include <commctrl.h>

namespace brask {
namespace {

constexpr int kFirstIdentifier = 100;

DWORD labelAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Centre:
      return SS_CENTER;
    case Alignment::Right:
      return SS_RIGHT;
    case Alignment::Left:
      break;
  }
  return SS_LEFT;
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

NativeControl nativeControl(const ControlSpec& row) {
  DWORD style = WS_CHILD | WS_VISIBLE | (startsGroup(row) ? WS_GROUP : 0);
  switch (row.kind) {
    case ControlKind::Label:
      break;
    case ControlKind::GroupBox:
      return {WC_BUTTONW, style | BS_GROUPBOX, 0};
    case ControlKind::TextBox:
      return {WC_EDITW, style | WS_TABSTOP | ES_AUTOHSCROLL | textAlignment(row.alignment),
              WS_EX_CLIENTEDGE};
    case ControlKind::OptionButton:
      return {WC_BUTTONW, style | WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, style | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::PushButton:
      return {WC_BUTTONW, style | WS_TABSTOP | BS_PUSHBUTTON, 0};
  }
  // A label with a tooltip has to see the pointer.
  return {WC_STATICW, style | labelAlignment(row.alignment) | (row.tooltip ? SS_NOTIFY : 0), 0};
}

int controlIdentifier(ControlId id) { return kFirstIdentifier + static_cast<int>(id); }

}  // namespace brask
