// brask.exe: keeps DLLs to the system directory, makes COM ready (the main thread's
// apartment, the process's security), reads the command line (refusing in a message box
// what it cannot take), creates the Windows side of the platform and frmMain with the
// switches' values in its fields, runs Form_Load, shows the window and runs its messages
// through IsDialogMessage until the window is gone. With /run it writes the report without a
// window, every message on standard error, /? and /version on standard output, and exits with
// how the run went: nothing opens a window or a box, which nobody would be there to close.
// The event logs are read through the Event Log API where Windows has it and it works (Vista
// and later), else through WMI (XP and 2003), which has no collector logs: there a request
// for one is refused as a command line is. Either way the process ends once the threads
// that read other computers have ended, or at once where one cannot be waited for.
// A window that the system cannot make ends the program in the run-time error box.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "product_version.h"

#include "app/main_form.h"
#include "app/type_names_of_system.h"
#include "app/window_caption.h"
#include "command_line/field_switches.h"
#include "command_line/filled_form.h"
#include "command_line/windows_arguments.h"
#include "platform/win32/files/ansi_file.h"
#include "platform/win32/process/com_process.h"
#include "platform/win32/process/command_line_text.h"
#include "platform/win32/process/console_dialogs.h"
#include "platform/win32/process/process_end.h"
#include "platform/win32/process/standard_streams.h"
#include "platform/win32/process/win_threads.h"
#include "platform/win32/system/dll_search.h"
#include "platform/win32/system/kernel32_locale.h"
#include "platform/win32/system/kernel32_version.h"
#include "platform/win32/system/local_clock.h"
#include "platform/win32/system/win_process.h"
#include "platform/win32/wevtapi/wevtapi.h"
#include "platform/win32/window/dpi_awareness.h"
#include "platform/win32/window/main_window.h"
#include "platform/win32/window/message_boxes.h"
#include "platform/win32/windows_computers.h"
#include "platform/win32/windows_event_logs.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  using namespace brask;
  restrictDllSearch();
  const ComProcess com;

  // A run without a window says everything on standard error, from the command line on.
  const std::vector<std::wstring> arguments = commandLineArguments();
  const bool unattended = asksForRun(arguments);
  ConsoleDialogs console;
  MessageBoxes boxes;
  Dialogs& dialogs = unattended ? static_cast<Dialogs&>(console) : boxes;
  RunRequest request;
  try {
    request = windowsRequest(arguments, readTextFile);
  } catch (const CommandLineError& error) {
    dialogs.messageBox(error.prompt(), kCommandLineTitle);
    return 1;
  }
  if (request.usage || request.version) {
    const std::wstring text = request.usage ? windowsUsage() : L"brask " BRASK_VERSION_TEXT L"\n";
    // Without /run, a program started from a shortcut has nowhere else to say it.
    if (!writeStandard(STD_OUTPUT_HANDLE, text) && !unattended) boxes.messageBox(text, kProgramTitle);
    return 0;
  }
  // A collector's logs come with the Event Log API, which Windows XP and 2003 lack.
  if (request.forwarded && !loadWevtapi()) {
    dialogs.messageBox(L"\"/forwarded\" reads a Windows Event Collector's log, which Windows XP "
                       L"and Server 2003 do not have.",
                       kCommandLineTitle);
    return 1;
  }

  Kernel32Locale locale;
  Kernel32Version version;
  const EventTypeNames spelling = typeNamesOfSystem(locale, version);
  WindowsEventLogs events(spelling);
  LocalClock clock;
  WinProcess process;
  AnsiFile files;
  WindowsComputers computers(spelling, request.forwarded);
  WinThreads threads;
  if (request.run) {
    FilledForm form(request.form);
    Platform platform{form,  console, events, locale,    version,
                      clock, process, files,  computers, threads};
    MainForm run(platform, request);
    const RunEnd end = run.runUnattended(kWindowsSwitches);
    return endOnceThreadsEnd(threads, static_cast<int>(end));
  }

  becomeDpiAware();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const std::unique_ptr<MainWindow> opened = MainWindow::open(instance, screenDpi(), boxes);
  if (!opened) return 1;
  MainWindow& window = *opened;
  boxes.setOwner(window.handle());
  window.showCaption(windowCaption(request.forwarded ? std::vector{*request.forwarded}
                                                     : request.computers));
  window.fill(request.form);
  Platform platform{window, boxes,   events, locale,    version,
                    clock,  process, files,  computers, threads};
  MainForm form(platform, request);
  window.setHandlers(form);
  threads.handleMessagesOf(window.handle());

  form.Form_Load();
  window.show(showCommand);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window.handle(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return endOnceThreadsEnd(threads, static_cast<int>(message.wParam));
}
