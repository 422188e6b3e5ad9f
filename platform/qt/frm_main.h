// frmMain in Qt Widgets: the window built from the control table, read by the logic
// through Form. Run and Exit are reported as signals; the executable connects them to the
// handlers of MainForm. The wait cursor shows while runPressed is handled.
#pragma once

#include <array>
#include <memory>
#include <string>

#include <QButtonGroup>
#include <QStyle>
#include <QWidget>

#include "app/control_table.h"
#include "command_line/run_request.h"
#include "platform/form.h"

namespace brask {

class FrmMain : public QWidget, public Form {
  Q_OBJECT

 public:
  FrmMain();
  ~FrmMain() override;

  // The widget of a control.
  QWidget* control(ControlId id) const;

  // Shows the window centred on its screen, with the focus on the first control.
  void showCentred();
  // Puts the command line's values in the controls, before the window is shown.
  void fill(const FormValues& values);

  int checkState(ControlId checkBox) override;
  bool optionSelected(ControlId optionButton) override;
  std::wstring text(ControlId textBox) override;
  void showCaption(const std::wstring& caption) override;
  void unloadAndEnd() override;

 signals:
  void runPressed();
  void exitPressed();

 private:
  template <class Widget>
  Widget& controlAs(ControlId id) const;

  // The classic look: group box captions set into the top border, sunken fields.
  std::unique_ptr<QStyle> style_;
  std::array<QWidget*, 30> controls_{};
  QButtonGroup options_;
};

}  // namespace brask
