// frmMain as a native window: the controls of the control table as Win32 controls laid out
// at the screen's DPI, the labels drawn on the window's surface beneath them, Tab and
// access keys through IsDialogMessage, each text box named for screen readers by a hidden
// static text control before it, the labels with a tooltip readable through static text
// controls over them that draw nothing, and the form the logic reads. Run and Exit call the
// MainForm's handlers; a run shows the wait cursor over the window. Closed during a run
// (whose waits keep handling its messages), the window stays until the run's handler has
// returned: it posts WM_QUIT, which ends the run's wait with RunCancelled.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "app/main_form.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/win32/window/painted_labels.h"

namespace brask {

class MainWindow final : public Form {
 public:
  // The window; when the system cannot register its class or create it, the run-time error
  // box with the system's words for why, and no window.
  static std::unique_ptr<MainWindow> open(HINSTANCE instance, int dpi, Dialogs& dialogs);

  // A RunTimeError when the class cannot be registered or the window created.
  MainWindow(HINSTANCE instance, int dpi);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  void setHandlers(MainForm& handlers) { handlers_ = &handlers; }
  // Puts the command line's values in the controls, before the window is shown.
  void fill(const FormValues& values);
  HWND handle() const { return window_; }
  // Shows the window centred on the screen, the focus on the first control that takes it.
  void show(int showCommand);

  int checkState(ControlId checkBox) override;
  bool optionSelected(ControlId optionButton) override;
  std::wstring text(ControlId textBox) override;
  void showCaption(const std::wstring& caption) override;
  // DestroyWindow, whose WM_DESTROY ends the message loop: WinMain then ends the process.
  void unloadAndEnd() override;

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void createControls(HINSTANCE instance);
  void addTooltip(HINSTANCE instance, const PaintedLabel& label);
  HWND control(ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }

  HINSTANCE instance_;
  int dpi_;
  HWND window_ = nullptr;
  std::array<HWND, 30> controls_{};  // none for the labels
  std::vector<PaintedLabel> labels_;
  HFONT dialogFont_ = nullptr;
  HFONT titleFont_ = nullptr;
  HWND tooltips_ = nullptr;
  HWND focus_ = nullptr;
  MainForm* handlers_ = nullptr;
  bool running_ = false;  // Run's handler is at work
};

}  // namespace brask
