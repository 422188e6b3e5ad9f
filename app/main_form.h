// The main window's logic: its form-level values and its handlers. The toolkit windows own
// one MainForm and call its handlers; it reaches the world only through the Platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bookmarks/bookmark.h"
#include "command_line/field_switches.h"
#include "command_line/run_request.h"
#include "computers/many_computers.h"
#include "computers/parallel_reads.h"
#include "platform/platform.h"
#include "report/listings.h"

namespace brask {

// The form-level values: empty (0) when the window is created, kept while it lives.
struct FormState {
  std::wstring strBRASKfile;  // full path of the report file
  std::wstring strLang1;      // English name of the system language
  std::wstring strVersion;    // Windows version name
  std::wstring strError;      // the type-name set
  std::wstring strInfo;
  std::wstring strWarn;
  std::wstring strCrit;
  std::wstring strLogName;     // quoted name of the log of the current section
  std::wstring storeOriginal;  // the user's own short-date format
  std::int32_t storeLocaleID = 0;
};

// How a run without a window ends, as its exit code.
enum class RunEnd : int {
  Written = 0,       // the report was written
  Refused = 1,       // the input was refused, with the window's message
  RunTimeError = 2,  // the run failed, and left no report
  SomeUnread = 3,    // the report was written, but some computers could not be read
};

class MainForm {
 public:
  // request: what the command line asks: the computers to report (none for this one's
  // logs alone) and where the report goes. limits: how many computers are read at once,
  // and how long one may take to answer.
  explicit MainForm(Platform& platform, RunRequest request = {}, ParallelReads limits = {})
      : platform_(platform), request_(std::move(request)), limits_(limits) {}

  // Runs once after the window is created; it does nothing.
  void Form_Load() {}
  // One whole run: validate, write the report, open it in the viewer and end. Closing the
  // window while it reads ends the program with the previous report as it was.
  void cmdRun_Click();
  // The same run without a window: no viewer, the lines of the computers that could not be
  // read said again on their own, and how it went. A message about a field first names the
  // switches that fill it, as `spelling` writes them.
  RunEnd runUnattended(const SwitchSpelling& spelling);
  // Unloads the window and ends the process.
  void cmdExit_Click();

  const FormState& state() const { return state_; }

 private:
  // The run up to the viewer, the short-date format forced for its length; Refused when it
  // stopped on a message. The report is written aside and put in place of the old one whole,
  // under its lock; then the bookmark, when there is one, the same way. unread: the lines of
  // the computers that could not be read.
  RunEnd writeReport(std::vector<std::wstring>& unread);
  // The header and the sections of the report, of this computer or of many, after the
  // bookmark's positions where there is one; the lines of the computers that could not be
  // read.
  std::vector<std::wstring> writeContents(Replacement& report, Bookmark* bookmark);
  bool prepareRun();
  // The selected sections: logs in the order Application, System; types Critical (newer
  // Windows only), Error, Information, Warning. The log name carries logSuffix.
  std::vector<Section> selectedSections(const wchar_t* logSuffix);
  // The logs of the selected sections.
  std::vector<LogName> selectedLogs();
  // Writes the selected sections, each listed by `list`: of this computer, or in a block
  // for each of many computers; the lines of the computers that could not be read. With a
  // bookmark, each computer's logs are listed after its saved positions, and the bookmark
  // is told where the logs of each computer read whole stood at `taken`.
  std::vector<std::wstring> writeSelectedSections(Replacement& report,
                                                  const std::optional<ManyComputers>& many,
                                                  const wchar_t* logSuffix, const ListSection& list,
                                                  Bookmark* bookmark, std::int64_t taken);

  Platform& platform_;
  RunRequest request_;
  ParallelReads limits_;
  FormState state_;
  const SwitchSpelling* switches_ = nullptr;  // in a run without a window
};

}  // namespace brask
