// brask_bench: the run of the Run button on the Linux platform, without a window or a
// viewer, and without loading Qt. Usage:
//   brask_bench [--bookmark FILE] number N LOG... TYPE... | date DD/MM/YYYY DD/MM/YYYY LOG... TYPE...
// Reads what the program reads (BRASK_JOURNAL_DIR, SystemDrive, the locale, the emulated
// version) and writes the report; exits 1 when the run showed a message or an error.
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/type_names_of_system.h"
#include "bench/no_viewer_process.h"
#include "bench/quiet_dialogs.h"
#include "bench/scripted_form.h"
#include "platform/linux/system/linux_system.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  brask::RunRequest request;
  if (arguments.size() >= 2 && arguments[0] == "--bookmark") {
    request.bookmark = std::wstring(arguments[1].begin(), arguments[1].end());
    arguments.erase(arguments.begin(), arguments.begin() + 2);
  }
  try {
    brask::bench::ScriptedForm form(arguments);
    brask::bench::QuietDialogs dialogs;
    brask::PosixLocale locale;
    brask::EmulatedVersion version;
    brask::LinuxSystem system(brask::typeNamesOfSystem(locale, version));
    brask::bench::NoViewerProcess process(system.process());
    brask::Platform platform{form,           dialogs,           system.events(),
                             system.locale(), system.version(),  system.clock(),
                             process,         system.files(),    system.computers(),
                             system.threads()};
    brask::MainForm mainForm(platform, request);
    mainForm.cmdRun_Click();
    return form.ended() && !dialogs.shown() ? 0 : 1;
  } catch (const std::invalid_argument& error) {
    std::cerr << "brask_bench: " << error.what() << "\n";
    return 2;
  }
}
