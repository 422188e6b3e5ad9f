// The main window as the logic sees it: the controls it reads, its caption, and its end.
#pragma once

#include <string>

namespace brask {

// The 30 controls of the main window.
enum class ControlId {
  lblTitle1, lblTitle2, fraLog, fraType, cmdRun, cmdExit, fraEvents, Label1, lblLanguages,
  chkApplication, chkSystem, chkCritical, chkError, chkInformation, chkWarning,
  optNumber, txtNumber, lblNumber, optDate, lblFrom, txtDayFrom, txtMthFrom, txtYrFrom,
  lblDay, lblMonth, lblYear, lblTo, txtDayTo, txtMthTo, txtYrTo,
};

class Form {
 public:
  virtual ~Form() = default;
  // State of a check box: 0 unchecked, 1 checked, 2 grayed.
  virtual int checkState(ControlId checkBox) = 0;
  virtual bool optionSelected(ControlId optionButton) = 0;
  // The text of a text box as typed, nothing trimmed.
  virtual std::wstring text(ControlId textBox) = 0;
  // Shows the text as the window's caption at once, also while a run keeps the window busy.
  virtual void showCaption(const std::wstring& caption) = 0;
  // Unloads the window and ends the process; nothing of the program runs after the
  // handler that called it returns.
  virtual void unloadAndEnd() = 0;
};

}  // namespace brask
