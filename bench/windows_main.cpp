// brask_bench.exe: the run of the Run button on the Windows platform, without a window or
// Notepad, of the computers named before the form's values.
// Usage: brask_bench.exe [\\NAME...] number N LOG... TYPE...
//        brask_bench.exe [\\NAME...] date DD/MM/YYYY DD/MM/YYYY LOG... TYPE...
// Writes the report to %SystemDrive%\BRASK.txt; exits 1 when the run showed a message or
// an error.
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/type_names_of_system.h"
#include "bench/no_viewer_process.h"
#include "bench/quiet_dialogs.h"
#include "bench/scripted_form.h"
#include "platform/platform.h"
#include "platform/win32/system/ansi_file.h"
#include "platform/win32/system/kernel32_locale.h"
#include "platform/win32/system/kernel32_version.h"
#include "platform/win32/system/local_clock.h"
#include "platform/win32/system/win_process.h"
#include "platform/win32/system/win_threads.h"
#include "platform/win32/windows_computers.h"
#include "platform/win32/windows_event_logs.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::vector<std::wstring> computers;
  while (!arguments.empty() && arguments.front().starts_with("\\\\")) {
    computers.emplace_back(arguments.front().begin() + 2, arguments.front().end());
    arguments.erase(arguments.begin());
  }
  try {
    brask::bench::ScriptedForm form(arguments);
    brask::bench::QuietDialogs dialogs;
    brask::Kernel32Locale locale;
    brask::Kernel32Version version;
    const brask::EventTypeNames spelling = brask::typeNamesOfSystem(locale, version);
    brask::WindowsEventLogs events(spelling);
    brask::LocalClock clock;
    brask::WinProcess system;
    brask::bench::NoViewerProcess process(system);
    brask::AnsiFile files;
    brask::WindowsComputers others(spelling, std::nullopt);
    brask::WinThreads threads;
    brask::Platform platform{form,  dialogs, events, locale, version,
                             clock, process, files,  others, threads};
    brask::MainForm mainForm(platform, computers);
    mainForm.cmdRun_Click();
    return form.ended() && !dialogs.shown() ? 0 : 1;
  } catch (const std::invalid_argument& error) {
    std::cerr << "brask_bench: " << error.what() << "\n";
    return 2;
  }
}
