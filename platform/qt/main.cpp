// The Linux program: the Qt window over the Linux platform, running the logic of the
// main window until Exit, the Close button or the end of a run. A command line it cannot
// take is refused in a message box before the window opens.
#include <QApplication>
#include <QObject>

#include "app/main_form.h"
#include "app/type_names_of_system.h"
#include "app/window_caption.h"
#include "platform/linux/system/linux_system.h"
#include "platform/platform.h"
#include "platform/qt/command_line.h"
#include "platform/qt/frm_main.h"
#include "platform/qt/message_boxes.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("brask"));
  QApplication::setDesktopFileName(QStringLiteral("brask"));

  // The journal spells event types as the event logs of this language and Windows
  // generation do.
  brask::PosixLocale locale;
  brask::EmulatedVersion version;
  brask::LinuxSystem system(brask::typeNamesOfSystem(locale, version));

  brask::FrmMain window;
  brask::MessageBoxes dialogs(window);
  brask::RunRequest request;
  try {
    request = brask::linuxRequest(QApplication::arguments());
  } catch (const brask::CommandLineError& error) {
    dialogs.messageBox(error.prompt(), brask::kCommandLineTitle);
    return 1;
  }
  window.showCaption(brask::windowCaption(request.computers));
  brask::Platform platform{window,           dialogs,           system.events(),
                           system.locale(),  system.version(),  system.clock(),
                           system.process(), system.files(),    system.computers(),
                           system.threads()};
  brask::MainForm form(platform, request.computers);
  QObject::connect(&window, &brask::FrmMain::runPressed, [&form] { form.cmdRun_Click(); });
  QObject::connect(&window, &brask::FrmMain::exitPressed, [&form] { form.cmdExit_Click(); });

  form.Form_Load();
  window.showCentred();
  return QApplication::exec();
}
