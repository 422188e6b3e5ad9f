// Which Win32 control stands for each kind of control in the table, with which styles.
#pragma once

#include <windows.h>

#include "app/control_table.h"

namespace brask {

struct NativeControl {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

NativeControl nativeControl(const ControlSpec& row);

// Whether the control begins a dialog group (WS_GROUP). The option buttons of one group
// box form one group with whatever lies between them in the tab order, so that selecting
// one clears the other; every other control stands alone.
bool startsGroup(const ControlSpec& row);

// Child-window identifiers: clear of IDOK and IDCANCEL, which IsDialogMessage sends for
// Enter and Escape.
int controlIdentifier(ControlId id);

}  // namespace brask
