// Which Win32 control stands for each kind of control in the table, with which styles, and
// how the controls are stacked.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "app/control_table.h"

namespace brask {

struct NativeControl {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

// None for a label: a label is no window but text the main window draws on its surface.
std::optional<NativeControl> nativeControl(const ControlSpec& row);

// The static text control that names a text box for assistive technology: never shown,
// created just before its text box, holding the text box's accessible name. Windows'
// accessibility proxy for an edit control takes its name from the static text control
// that immediately precedes it in the Z order (here the order of creation), hidden or not.
// Hidden, it draws nothing, and Tab, the arrow keys and access keys pass it over. None for
// the other kinds of control.
std::optional<NativeControl> accessibleLabel(const ControlSpec& row);

// The static text control through which a screen reader reaches a label whose words no
// other control carries: a label with a tooltip (the version, the languages); the titles'
// words are in the window's caption, the other labels' in the text boxes' names. Shown, for
// oleacc reports a hidden window as invisible, and over the label's box, it holds the
// label's name and tooltip. No Tab stop, without an access key and alone in its group, it
// never takes the focus; without SS_NOTIFY it lets the mouse through to the window, which
// shows the label's tooltip. None for the other controls.
std::optional<NativeControl> readableLabel(const ControlSpec& row);

// DrawText's format for a label's caption: one line, aligned as the table says, and "&"
// shown as it is.
UINT labelFormat(const ControlSpec& row);

// Whether the control begins a dialog group (WS_GROUP). The option buttons of one group
// box form one group with whatever lies between them in the tab order, so that selecting
// one clears the other; every other control stands alone.
bool startsGroup(const ControlSpec& row);

// The controls that are windows, from the top of the Z order down. The dialog manager walks
// this order for Tab, so the controls that take the focus come in tab order; the group boxes
// lie beneath them, the upper box above the lower, whose caption reaches into the upper
// box's bottom border. A group box draws only where no window above it lies
// (WS_CLIPSIBLINGS).
std::vector<const ControlSpec*> windowsInZOrder();

// Child-window identifiers: clear of IDOK and IDCANCEL, which IsDialogMessage sends for
// Enter and Escape.
int controlIdentifier(ControlId id);

}  // namespace brask
