// The Linux program: the Qt window over the Linux platform, running the logic of the main
// window until Exit, the Close button or the end of a run, with the switches' values in its
// fields. A command line it cannot take is refused in a message box before the window
// opens. With --run it writes the report without a window, and without a display, its
// messages on standard error, and exits with how the run went. Without a display and
// without --run, it says so on standard error before Qt is touched.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <optional>

#include <QApplication>
#include <QObject>

#include "app/main_form.h"
#include "app/type_names_of_system.h"
#include "app/window_caption.h"
#include "command_line/field_switches.h"
#include "command_line/filled_form.h"
#include "platform/linux/environment_variable.h"
#include "platform/linux/system/linux_system.h"
#include "platform/linux/system/stderr_dialogs.h"
#include "platform/platform.h"
#include "platform/qt/command_line.h"
#include "platform/qt/frm_main.h"
#include "platform/qt/message_boxes.h"

namespace {

// How long the end of a run waits for the threads it started: a read given up may still run.
constexpr std::chrono::seconds kThreadsEnd{5};

// The exit code, once every thread started has ended. Where one still runs, the process ends
// at once, its output flushed, so that nothing the thread uses is destroyed under it.
int endOfRun(brask::Threads& threads, int code) {
  if (!threads.join(kThreadsEnd)) {
    std::fflush(nullptr);
    ::_exit(code);
  }
  return code;
}

// A display for the window: X11, Wayland, or a platform plugin named for Qt.
bool hasDisplay() {
  return brask::nonEmptyVariable("DISPLAY") || brask::nonEmptyVariable("WAYLAND_DISPLAY") ||
         brask::nonEmptyVariable("QT_QPA_PLATFORM");
}

// The report without a window: no Qt application, so no display is needed.
int runUnattended(const brask::RunRequest& request, const brask::LogFolders& folders) {
  brask::PosixLocale locale;
  brask::EmulatedVersion version;
  brask::LinuxSystem system(brask::typeNamesOfSystem(locale, version), folders);
  brask::FilledForm form(request.form);
  brask::StderrDialogs dialogs;
  brask::Platform platform{form,             dialogs,          system.events(),
                           system.locale(),  system.version(), system.clock(),
                           system.process(), system.files(),   system.computers(),
                           system.threads()};
  const brask::RunEnd end = brask::MainForm(platform, request).runUnattended(brask::kLinuxSwitches);
  return endOfRun(system.threads(), static_cast<int>(end));
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  brask::LinuxRequest asked;
  std::optional<brask::CommandLineError> refused;
  try {
    asked = brask::linuxRequest(arguments);
  } catch (const brask::CommandLineError& error) {
    refused = error;
  }
  const brask::RunRequest& request = asked.run;
  // Without a window to show it in, a refusal goes to standard error.
  if (refused && (brask::asksForRun(arguments) || !hasDisplay())) {
    brask::StderrDialogs().messageBox(refused->prompt(), brask::kCommandLineTitle);
    return 1;
  }
  if (!refused && (request.usage || request.version)) {
    const std::wstring text = request.usage ? brask::linuxUsage() : L"brask " BRASK_VERSION L"\n";
    std::fputs(QString::fromStdWString(text).toLocal8Bit().constData(), stdout);
    return 0;
  }
  const brask::LogFolders folders = asked.folders.value_or(brask::logFoldersOfEnvironment());
  if (!refused && request.run) return runUnattended(request, folders);
  if (!hasDisplay()) {
    brask::StderrDialogs().messageBox(
        L"There is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set): "
        L"give --run to write the report without a window.",
        brask::kProgramTitle);
    return 1;
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("brask"));
  QApplication::setDesktopFileName(QStringLiteral("brask"));

  // The journal spells event types as the event logs of this language and Windows
  // generation do.
  brask::PosixLocale locale;
  brask::EmulatedVersion version;
  brask::LinuxSystem system(brask::typeNamesOfSystem(locale, version), folders);

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
  return endOfRun(system.threads(), QApplication::exec());
}
