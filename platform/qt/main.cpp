// brask-window, the Linux program's window, which brask becomes when a window is wanted: the
// Qt window over the Linux platform, running the logic of the main window until Exit, the
// Close button or the end of a run, with the switches' values in its fields. A command line
// it cannot take is refused in a message box before the window opens.
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QObject>

#include "app/main_form.h"
#include "app/type_names_of_system.h"
#include "app/window_caption.h"
#include "platform/linux/command_line.h"
#include "platform/linux/system/linux_system.h"
#include "platform/linux/system/run_end.h"
#include "platform/platform.h"
#include "platform/qt/frm_main.h"
#include "platform/qt/message_boxes.h"

int main(int argc, char** argv) {
  brask::LinuxRequest asked;
  std::optional<brask::CommandLineError> refused;
  try {
    asked = brask::linuxRequest(std::vector<std::string>(argv, argv + argc));
  } catch (const brask::CommandLineError& error) {
    refused = error;
  }
  const brask::RunRequest& request = asked.run;

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("brask"));
  QApplication::setDesktopFileName(QStringLiteral("brask"));

  // The journal spells event types as the event logs of this language and Windows
  // generation do.
  brask::PosixLocale locale;
  brask::EmulatedVersion version;
  brask::LinuxSystem system(brask::typeNamesOfSystem(locale, version),
                            asked.folders.value_or(brask::logFoldersOfEnvironment()));

  brask::FrmMain window;
  brask::MessageBoxes dialogs(window);
  if (refused) {
    dialogs.messageBox(refused->prompt(), brask::kCommandLineTitle);
    return 1;
  }
  window.showCaption(brask::windowCaption(request.computers));
  window.fill(request.form);
  brask::Platform platform{window,           dialogs,           system.events(),
                           system.locale(),  system.version(),  system.clock(),
                           system.process(), system.files(),    system.computers(),
                           system.threads()};
  brask::MainForm form(platform, request);
  QObject::connect(&window, &brask::FrmMain::runPressed, [&form] { form.cmdRun_Click(); });
  QObject::connect(&window, &brask::FrmMain::exitPressed, [&form] { form.cmdExit_Click(); });

  form.Form_Load();
  window.showCentred();
  return brask::endOnceThreadsEnd(system.threads(), QApplication::exec());
}
