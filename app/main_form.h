// The main window's logic: its form-level values and its handlers. The toolkit windows own
// one MainForm and call its handlers; it reaches the world only through the Platform.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/platform.h"
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
  explicit MainForm(Platform& platform) : platform_(platform) {}

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
  // Writes the banner of each selected section and has `list` list its events: logs in
  // the order Application, System; types Critical (newer Windows only), Error,
  // Information, Warning. The log name carries logSuffix.
  void forEachSection(ReportFile& report, const wchar_t* logSuffix,
                      const std::function<void(const std::wstring&)>& list);

  Platform& platform_;
  FormState state_;
};

}  // namespace brask
