// The Linux program: the Qt window over the Linux platform, running the logic of the main
// window until Exit, the Close button or the end of a run, with the switches' values in its
// fields. A command line it cannot take is refused in a message box before the window
// opens. With --run it writes the report without a window, and without a display, its
// messages on standard error, and exits with how the run went.
#include <cstdio>
#include <optional>

#include <QApplication>
#include <QObject>

#include "app/main_form.h"
#include "app/type_names_of_system.h"
#include "app/window_caption.h"
#include "command_line/filled_form.h"
#include "platform/linux/system/linux_system.h"
#include "platform/linux/system/stderr_dialogs.h"
#include "platform/platform.h"
#include "platform/qt/command_line.h"
#include "platform/qt/frm_main.h"
#include "platform/qt/message_boxes.h"

namespace {

// The report without a window: no Qt application, so no display is needed.
int runUnattended(const brask::RunRequest& request) {
  brask::PosixLocale locale;
  brask::EmulatedVersion version;
  brask::LinuxSystem system(brask::typeNamesOfSystem(locale, version));
  brask::FilledForm form(request.form);
  brask::StderrDialogs dialogs;
  brask::Platform platform{form,             dialogs,          system.events(),
                           system.locale(),  system.version(), system.clock(),
                           system.process(), system.files(),   system.computers(),
                           system.threads()};
  return static_cast<int>(brask::MainForm(platform, request).runUnattended(brask::kLinuxSwitches));
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  brask::RunRequest request;
  std::optional<brask::CommandLineError> refused;
  try {
    request = brask::linuxRequest(arguments);
  } catch (const brask::CommandLineError& error) {
    refused = error;
  }
  if (refused && brask::asksForRun(arguments)) {
    brask::StderrDialogs().messageBox(refused->prompt(), brask::kCommandLineTitle);
    return 1;
  }
  if (!refused && (request.usage || request.version)) {
    const std::wstring text = request.usage ? brask::linuxUsage() : L"brask " BRASK_VERSION L"\n";
    std::fputs(QString::fromStdWString(text).toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (!refused && request.run) return runUnattended(request);

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
  return QApplication::exec();
}
