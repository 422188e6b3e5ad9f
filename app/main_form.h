// The main window's logic: its form-level values and its handlers. The toolkit windows own
// one MainForm and call its handlers; it reaches the world only through the Platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "computers/many_computers.h"
#include "computers/parallel_reads.h"
#include "platform/platform.h"
#include "report/listings.h"
#include "report/report_file.h"

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

class MainForm {
 public:
  // computers: the computers to report, as named on the command line; none for this one's
  // logs alone. limits: how many are read at once, and how long one may take to answer.
  explicit MainForm(Platform& platform, std::vector<std::wstring> computers = {},
                    ParallelReads limits = {})
      : platform_(platform), computers_(std::move(computers)), limits_(limits) {}

  // Runs once after the window is created; it does nothing.
  void Form_Load() {}
  // One whole run: validate, write the report, open it in the viewer and end.
  void cmdRun_Click();
  // Unloads the window and ends the process.
  void cmdExit_Click();

  const FormState& state() const { return state_; }

 private:
  // The run up to the viewer, the short-date format forced for its length; false when it
  // stopped on a message.
  bool writeReport();
  bool prepareRun();
  // The selected sections: logs in the order Application, System; types Critical (newer
  // Windows only), Error, Information, Warning. The log name carries logSuffix.
  std::vector<Section> selectedSections(const wchar_t* logSuffix);
  // Writes the selected sections, each listed by `list`: of this computer, or in a block
  // for each of many computers.
  void writeSelectedSections(ReportFile& report, const std::optional<ManyComputers>& many,
                             const wchar_t* logSuffix, const ListSection& list);

  Platform& platform_;
  std::vector<std::wstring> computers_;
  ParallelReads limits_;
  FormState state_;
};

}  // namespace brask
