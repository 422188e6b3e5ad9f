// What the user sees of the window's controls, as text, for comparing before and after.
#pragma once

#include <QStringList>

#include "platform/qt/frm_main.h"

// One line per check box, option button and text box ("chkSystem=1", "optDate=false",
// "txtNumber='5'"), then the control that has the focus.
QStringList controlStates(const brask::FrmMain& window);
