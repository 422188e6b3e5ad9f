// brask, the Linux program. It reads the command line; with --run it writes the report
// without a window and without a display, its messages on standard error, and exits with how
// the run went; --help and --version print to standard output. Otherwise it becomes the
// window program, brask-window (beside it, else in ../libexec/brask), which loads Qt: a run
// without a window loads none of it. Without a display and without --run it says so on
// standard error, as it does a refused command line where no window can show it.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/type_names_of_system.h"
#include "command_line/field_switches.h"
#include "command_line/filled_form.h"
#include "platform/linux/command_line.h"
#include "platform/linux/environment_variable.h"
#include "platform/linux/errno_text.h"
#include "platform/linux/locale/user_locale.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/linux/locale/wide_encoder.h"
#include "platform/linux/system/linux_system.h"
#include "platform/linux/system/run_end.h"
#include "platform/linux/system/stderr_dialogs.h"
#include "platform/platform.h"

namespace {

// A display for the window: X11, Wayland, or a platform plugin named for Qt.
bool hasDisplay() {
  return brask::nonEmptyVariable("DISPLAY") || brask::nonEmptyVariable("WAYLAND_DISPLAY") ||
         brask::nonEmptyVariable("QT_QPA_PLATFORM");
}

// The report without a window.
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
  return brask::endOnceThreadsEnd(system.threads(), static_cast<int>(end));
}

// The window program: beside this one (a build), else where it is installed.
std::string windowProgram() {
  std::string self(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size());
  self.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  const std::string folder = self.empty() ? "." : self.substr(0, self.rfind('/'));
  for (const char* place : {"/brask-window", "/../libexec/brask/brask-window"}) {
    if (::access((folder + place).c_str(), X_OK) == 0) return folder + place;
  }
  return folder + "/../libexec/brask/brask-window";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv, argv + argc);
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
    std::fputs(brask::WideEncoder(brask::userCodeset())(text).c_str(), stdout);
    return 0;
  }
  if (!refused && request.run) {
    return runUnattended(request, asked.folders.value_or(brask::logFoldersOfEnvironment()));
  }
  if (!hasDisplay()) {
    brask::StderrDialogs().messageBox(
        L"There is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set): "
        L"give --run to write the report without a window.",
        brask::kProgramTitle);
    return 1;
  }
  // The window program reads the same command line, and refuses in a box what this refused.
  const std::string program = windowProgram();
  ::execv(program.c_str(), argv);
  const int error = errno;
  brask::StderrDialogs().runTimeErrorBox(brask::RunTimeError(
      L"Starting \"" + brask::WideDecoder("UTF-8")(program) + L"\"", error, brask::errnoText(error)));
  return 2;
}
