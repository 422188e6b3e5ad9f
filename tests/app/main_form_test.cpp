#include "app/main_form.h"

#include <gtest/gtest.h>

#include "../report/report_test_support.h"
#include "command_line/filled_form.h"
#include "command_line/windows_arguments.h"

namespace brask::fakes {
namespace {

using enum ControlId;
constexpr const wchar_t* kReport = L"C:\\BRASK.txt";

struct RunTest : ::testing::Test {
  FakePlatform fake;
  MainForm form{fake.platform};

  RunTest() {
    fake.clock.at = {2009, 8, 10, 21, 2, 23};
    fake.locale.info[{fake.locale.lcid, lctype::kShortDate}] = "M/d/yyyy";
  }
  void numberMode(const std::wstring& number) {
    fake.form.options[optNumber] = true;
    fake.form.texts[txtNumber] = number;
  }
  void dateMode(const DateTime& from, const DateTime& to) {
    fake.form.options[optDate] = true;
    fake.form.fillDate(txtDayFrom, txtMthFrom, txtYrFrom, from);
    fake.form.fillDate(txtDayTo, txtMthTo, txtYrTo, to);
  }
  void windows(std::uint32_t major, std::uint32_t minor) {
    fake.version.major = major;
    fake.version.minor = minor;
  }
  void language(const std::string& name) { fake.locale.info[{fake.locale.lcid, lctype::kEnglishLanguage}] = name; }
  std::wstring report() { return fake.files.files[kReport]; }
  std::vector<std::wstring> banners() {
    std::vector<std::wstring> found;
    for (const auto& line : lines(report())) {
      if (line.find(L" Log - ") != std::wstring::npos) found.push_back(line);
    }
    return found;
  }
};

TEST_F(RunTest, NumberModeReportBytes) {
  fake.form.check({chkSystem, chkError, chkCritical});
  numberMode(L"2");
  Event nullMessage = event(L"Error", L"20090810205959.000000+060", L"", 7, L"disk");
  nullMessage.erase(L"Message");
  fake.events.logs[L"'System'"] = {
      event(L"Critical", L"20090810210000.500000+060", L"Power lost.\r\nRebooted.\r\n", 41, L"Kernel-Power"),
      event(L"Warning", L"20090810205000.000000+060"),
      nullMessage,
      event(L"Error", L"20090809010203.000000+060", L"", 15, L"atapi"),
      event(L"Error", L"20090808010203.000000+060"),
  };

  form.cmdRun_Click();

  EXPECT_EQ(report(),
            L"Zelvo's Event Viewer v01c run on Windows 7 in English\r\n"
            L"Report run at 10/08/2009 21:02:23\r\n\r\n"
            L"Note: All dates below are in the format dd/mm/yyyy\r\n\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"'System' Log - Critical Type\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"Log: 'System' Date/Time: 10/08/2009 21:00:00\r\n"
            L"Type: Critical Category: 0\r\n"
            L"Event: 41 Source: Kernel-Power\r\n"
            L"Power lost. Rebooted. \r\n\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"'System' Log - Error Type\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"Log: 'System' Date/Time: 10/08/2009 20:59:59\r\n"
            L"Type: Error Category: 0\r\n"
            L"Event: 7 Source: disk\r\n"
            L"The event description cannot be found.\r\n\r\n"
            L"Log: 'System' Date/Time: 09/08/2009 01:02:03\r\n"
            L"Type: Error Category: 0\r\n"
            L"Event: 15 Source: atapi\r\n"
            L"\r\n\r\n");
  EXPECT_EQ(fake.process.started, std::vector<std::wstring>{L"notepad C:\\BRASK.txt"});
  EXPECT_EQ(fake.form.ended, 1);
  EXPECT_EQ(fake.shortDateInForce(), L"M/d/yyyy");
}

TEST_F(RunTest, DateModeReportBytes) {
  fake.form.check({chkApplication, chkSystem, chkWarning});
  dateMode({2009, 8, 1}, {2009, 8, 9});
  fake.events.logs[L"'Application' "] = {
      event(L"Warning", L"20090810000000.000000+060"),
      event(L"Warning", L"20090809235959.000000+060", L"Low disk.", 2013, L"srv"),
      event(L"Warning", L"20090731120000.000000+060"),
  };
  fake.events.logs[L"'System' "] = {event(L"Warning", L"20090701000000.000000+060")};

  form.cmdRun_Click();

  EXPECT_EQ(report(),
            L"Zelvo's Event Viewer v01c run on Windows 7 in English\r\n"
            L"Report run at 10/08/2009 21:02:23\r\n\r\n"
            L"Note: All dates below are in the format dd/mm/yyyy\r\n\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"'Application'  Log - Warning Type\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"Log: 'Application'  Date/Time: 09/08/2009 23:59:59\r\n"
            L"Type: Warning Category: 0\r\n"
            L"Event: 2013 Source: srv\r\n"
            L"Low disk.\r\n\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"'System'  Log - Warning Type\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"No 'System' log Warning events found from 01/08/2009 to 09/08/2009\r\n\r\n");
  EXPECT_EQ(fake.events.queries,
            (std::vector<std::wstring>{L"Select * from Win32_NTLogEvent where Logfile = 'Application' ",
                                       L"Select * from Win32_NTLogEvent where Logfile = 'System' "}));
}

TEST_F(RunTest, SectionsComeInLogThenTypeOrder) {
  fake.form.check({chkApplication, chkSystem, chkWarning, chkInformation, chkError, chkCritical});
  numberMode(L"1");
  form.cmdRun_Click();
  EXPECT_EQ(banners(), (std::vector<std::wstring>{
                           L"'Application' Log - Critical Type", L"'Application' Log - Error Type",
                           L"'Application' Log - Information Type", L"'Application' Log - Warning Type",
                           L"'System' Log - Critical Type", L"'System' Log - Error Type",
                           L"'System' Log - Information Type", L"'System' Log - Warning Type"}));
  EXPECT_EQ(fake.events.connects, 8);
}

TEST_F(RunTest, TypeNamesByLanguageAndGeneration) {
  struct Case {
    std::string language;
    std::uint32_t minor;  // of Windows 5.x (older) or 6.x (newer)
    bool newer;
    std::vector<std::wstring> banners;
  } cases[] = {
      {"Dutch", 1, false, {L"Fout", L"Informatie", L"Waarschuwing"}},
      {"Dutch", 0, true, {L"Kritiek", L"Fout", L"Informatie", L"Waarschuwing"}},
      {"English", 2, false, {L"error", L"information", L"warning"}},
      {"English", 1, true, {L"Critical", L"Error", L"Information", L"Warning"}},
      {"German", 0, false, {L"Fehler", L"Informationen", L"Warnung"}},
      {"German", 2, true, {L"Kritisch", L"Fehler", L"Informationen", L"Warnung"}},
      {"French", 1, false, {L"Erreur", L"Informations", L"Avertissement"}},
      {"French", 2, true, {L"Critique", L"Erreur", L"Informations", L"Avertissement"}},
      {"Italian", 1, false, {L"Errore", L"Informazioni", L"Avvertimento"}},
      {"Italian", 2, true, {L"Critico", L"Errore", L"Informazioni", L"Avvertimento"}},
  };
  for (const Case& c : cases) {
    FakePlatform run;
    MainForm window(run.platform);
    run.locale.info[{run.locale.lcid, lctype::kEnglishLanguage}] = c.language;
    run.version.major = c.newer ? 6 : 5;
    run.version.minor = c.minor;
    run.form.check({chkSystem, chkCritical, chkError, chkInformation, chkWarning});
    run.form.options[optNumber] = true;
    run.form.texts[txtNumber] = L"5";
    window.cmdRun_Click();

    std::vector<std::wstring> expected;
    for (const auto& name : c.banners) expected.push_back(L"'System' Log - " + name + L" Type");
    std::vector<std::wstring> found;
    for (const auto& line : lines(run.files.files[kReport])) {
      if (line.find(L" Log - ") != std::wstring::npos) found.push_back(line);
    }
    EXPECT_EQ(found, expected) << c.language.c_str() << (c.newer ? " newer" : " older");
    EXPECT_EQ(window.state().strCrit, c.newer ? c.banners.front() : L"") << c.language.c_str();
  }
}

TEST_F(RunTest, OlderWindowsWithOnlyCriticalWritesTheHeaderAlone) {
  windows(5, 1);
  fake.form.check({chkApplication, chkCritical});
  numberMode(L"20");
  form.cmdRun_Click();
  EXPECT_EQ(lines(report()).size(), 5u);
  EXPECT_EQ(lines(report()).front(), L"Zelvo's Event Viewer v01c run on Windows XP in English");
  EXPECT_EQ(fake.events.connects, 0);
  EXPECT_EQ(fake.form.ended, 1);
}

TEST_F(RunTest, UnsupportedSystemsAreRefusedBeforeTheReportIsTouched) {
  struct Case {
    std::string language;
    std::uint32_t platformId, major, minor;
    Message message;
  } cases[] = {
      {"Spanish", 2, 6, 2, {L"BRASK has not been coded for your language (Spanish)", L"Please contact the author."}},
      {"", 2, 6, 2, {L"BRASK has not been coded for your language ()", L"Please contact the author."}},
      {"english", 2, 6, 2, {L"BRASK has not been coded for your language (english)", L"Please contact the author."}},
      {"Spanish", 1, 4, 10, {L"BRASK has not been coded for your language (Spanish)", L"Please contact the author."}},
      {"German", 1, 4, 10, {L"BRASK has not been coded for this version of Windows (Windows 98)", L"Please contact the author."}},
      {"Dutch", 0, 0, 0, {L"BRASK has not been coded for this version of Windows (Failed)", L"Please contact the author."}},
      {"English", 2, 6, 3, {L"BRASK has not been coded for this version of Windows ()", L"Please contact the author."}},
      {"Italian", 2, 4, 0, {L"BRASK has not been coded for this version of Windows (Windows NT 4.0)", L"Please contact the author."}},
  };
  for (const Case& c : cases) {
    FakePlatform run;
    MainForm window(run.platform);
    run.files.files[kReport] = L"earlier report";
    run.locale.info[{run.locale.lcid, lctype::kEnglishLanguage}] = c.language;
    run.version.platformId = c.platformId;
    run.version.major = c.major;
    run.version.minor = c.minor;
    run.form.check({chkSystem, chkError});
    run.form.options[optNumber] = true;
    run.form.texts[txtNumber] = L"5";
    std::wstring formatDuringMessage;
    run.dialogs.onShow = [&] { formatDuringMessage = run.shortDateInForce(); };

    window.cmdRun_Click();

    EXPECT_EQ(run.dialogs.messages, std::vector<Message>{c.message}) << c.language.c_str();
    EXPECT_EQ(run.files.files[kReport], L"earlier report");
    EXPECT_TRUE(run.files.replaced.empty());
    EXPECT_EQ(run.form.ended, 0);
    EXPECT_EQ(formatDuringMessage, L"dd/MM/yyyy");
    EXPECT_EQ(run.shortDateInForce(), L"M/d/yyyy");
  }
}

TEST_F(RunTest, CountIsRoundedHalfToEven) {
  struct Case {
    const wchar_t* number;
    std::size_t records;
  } cases[] = {{L"2.5", 2}, {L"3.5", 4}, {L" 7 ", 7}, {L"20", 20}, {L"1.4", 1}, {L"19.6", 20}};
  for (const Case& c : cases) {
    FakePlatform run;
    MainForm window(run.platform);
    run.form.check({chkApplication, chkError});
    run.form.options[optNumber] = true;
    run.form.texts[txtNumber] = c.number;
    run.events.logs[L"'Application'"] =
        std::vector<Event>(25, event(L"Error", L"20090810210223.000000+060"));
    window.cmdRun_Click();
    EXPECT_EQ(run.files.texts.size(), 2 + c.records) << c.number;  // header, banner, records
  }
}

TEST_F(RunTest, ValidationStopLeavesWindowOpenAndRestoresFormat) {
  fake.form.check({chkSystem, chkError});  // no option selected
  std::wstring formatDuringMessage;
  fake.dialogs.onShow = [&] { formatDuringMessage = fake.shortDateInForce(); };

  form.cmdRun_Click();

  EXPECT_EQ(fake.dialogs.messages.size(), 1u);
  EXPECT_EQ(formatDuringMessage, L"dd/MM/yyyy");
  EXPECT_EQ(fake.shortDateInForce(), L"M/d/yyyy");
  EXPECT_TRUE(fake.files.files.empty());
  EXPECT_EQ(fake.form.ended, 0);

  // A second run in the same window saves the user's own format again.
  numberMode(L"3");
  form.cmdRun_Click();
  EXPECT_EQ(form.state().storeOriginal, L"M/d/yyyy");
  EXPECT_EQ(fake.shortDateInForce(), L"M/d/yyyy");
  EXPECT_EQ(fake.form.ended, 1);
}

TEST_F(RunTest, RunTimeErrorsRestoreTheFormatShowOneBoxAndEnd) {
  struct Case {
    const char* name;
    std::function<void(FakePlatform&)> breakIt;
    std::size_t writesKept;
    std::wstring boxStart;
  } cases[] = {
      {"report file", [](FakePlatform& p) { p.files.failAtWrite = 3; }, 3,
       L"Run-time error '75':\n\nWriting the report file C:\\BRASK.txt: Path/File access error"},
      {"event query", [](FakePlatform& p) { p.events.failAtQuery = 0; },
       2, L"Run-time error '-2147217392 (80041010)':\n\nQuerying the event log: Invalid class"},
      {"notepad", [](FakePlatform& p) { p.process.failStart = RunTimeError(L"Starting notepad", 2, L"File not found"); },
       4, L"Run-time error '2':\n\nStarting notepad: File not found"},
      {"event time",
       [](FakePlatform& p) { p.events.logs[L"'System'"].insert(p.events.logs[L"'System'"].begin() + 1, event(L"Error", L"garbage")); },
       3, L"Run-time error '13':\n\nReading the time of an event \"garbage\": Type mismatch"},
  };
  for (const Case& c : cases) {
    FakePlatform run;
    MainForm window(run.platform);
    run.form.check({chkSystem, chkError});
    run.form.options[optNumber] = true;
    run.form.texts[txtNumber] = L"2";
    run.events.logs[L"'System'"] = std::vector<Event>(2, event(L"Error", L"20090810210223.000000+060"));
    c.breakIt(run);
    std::wstring formatDuringBox;
    run.dialogs.onShow = [&] { formatDuringBox = run.shortDateInForce(); };

    window.cmdRun_Click();

    EXPECT_EQ(run.dialogs.errors, std::vector<std::wstring>{c.boxStart}) << c.name;
    EXPECT_EQ(formatDuringBox, L"M/d/yyyy") << c.name;
    EXPECT_EQ(run.files.texts.size(), c.writesKept) << c.name;
    EXPECT_EQ(run.form.ended, 1) << c.name;
  }
}

TEST_F(RunTest, ReportPathComesFromSystemDrive) {
  fake.process.environment.clear();
  fake.form.check({chkSystem, chkError});
  numberMode(L"1");
  form.cmdRun_Click();
  EXPECT_EQ(form.state().strBRASKfile, L"\\BRASK.txt");
  EXPECT_EQ(fake.process.started, std::vector<std::wstring>{L"notepad \\BRASK.txt"});
}

TEST_F(RunTest, NumberModeIgnoresDateFieldsAndDateModeIgnoresTheNumber) {
  fake.form.check({chkSystem, chkError});
  numberMode(L"1");
  fake.form.texts[txtDayFrom] = L"nonsense";
  form.cmdRun_Click();
  EXPECT_TRUE(fake.dialogs.messages.empty());
  EXPECT_EQ(fake.form.ended, 1);
}

TEST_F(RunTest, UnattendedRunsReplaceTheReportWholeAndSayHowTheyWent) {
  constexpr const wchar_t* kOut = L"D:\\reports\\today.txt";
  constexpr const wchar_t* kOld = L"yesterday's report";
  constexpr const wchar_t* kBookmark = L"D:\\reports\\bookmark.txt";
  const struct {
    const char* name;
    std::function<void(FakePlatform&)> set;
    RunEnd end;
    bool replaced;
  } cases[] = {
      {"written", [](FakePlatform&) {}, RunEnd::Written, true},
      {"refused by the window's checks", [](FakePlatform& p) { p.form.options.clear(); }, RunEnd::Refused, false},
      {"refused language", [](FakePlatform& p) { p.locale.info[{p.locale.lcid, lctype::kEnglishLanguage}] = "Spanish"; },
       RunEnd::Refused, false},
      {"the report's folder full", [](FakePlatform& p) { p.files.failAtWrite = 1; }, RunEnd::RunTimeError, false},
      {"a read-only report", [](FakePlatform& p) { p.files.refuseReplace = true; }, RunEnd::RunTimeError, false},
      {"a bookmark not in its form",
       [](FakePlatform& p) { p.files.files[L"D:\\reports\\bookmark.txt"] = L"brask bookmark 1\r\nSRV01 System 7"; },
       RunEnd::Refused, false},
      {"a computer unread",
       [](FakePlatform& p) {
         p.computers.logs[L"pc"].computerError = ComputerError(L"Querying", 1722, L"Unavailable.", Reach::EventLogApi);
         p.computers.logs[L"pc"].failAtQuery = 0;
       },
       RunEnd::SomeUnread, true},
  };
  for (const auto& c : cases) {
    FakePlatform run;
    run.files.files[kOut] = kOld;
    run.files.files[kBookmark] = L"brask bookmark 1\r\n.\tApplication\t7\t2009-08-09T07:00:00Z\r\n";
    run.form.check({chkSystem, chkError});
    run.form.options[optNumber] = true;
    run.form.texts[txtNumber] = L"1";
    c.set(run);
    RunRequest request;
    request.out = kOut;
    request.bookmark = kBookmark;
    const std::wstring oldBookmark = run.files.files[kBookmark];
    if (c.end == RunEnd::SomeUnread) request.computers = {L"pc"};
    MainForm window(run.platform, request);

    EXPECT_EQ(window.runUnattended(kWindowsSwitches), c.end) << c.name;
    EXPECT_EQ(run.files.files[kOut] != kOld, c.replaced) << c.name;
    // The bookmark is written after the report, or left as it was.
    EXPECT_EQ(std::count(run.files.replaced.begin(), run.files.replaced.end(), kBookmark), c.replaced ? 1 : 0)
        << c.name;
    if (!c.replaced) {
      EXPECT_EQ(run.files.files[kBookmark], oldBookmark) << c.name;
    }
    EXPECT_EQ(run.files.files.count(std::wstring(kOut) + L".new"), 0u) << c.name;
    // Every end but a whole report says one line: a refusal, an error, the computer unread.
    EXPECT_EQ(run.dialogs.messages.size() + run.dialogs.errors.size(), c.end == RunEnd::Written ? 0u : 1u)
        << c.name;
    EXPECT_TRUE(run.process.started.empty()) << c.name;
    EXPECT_EQ(run.form.ended, 0) << c.name;
    EXPECT_EQ(run.shortDateInForce(), L"M/d/yyyy") << c.name;
  }
}

// Without a window, a message about a field names first the switches that fill it, as the
// platform writes them, with the values they gave; the window's run names none.
TEST_F(RunTest, UnattendedMessagesNameTheSwitchesOfTheirField) {
  const struct {
    std::vector<std::wstring> arguments;  // in Windows' spelling
    std::wstring linux, windows;          // what comes before the window's message
    std::wstring message;
  } cases[] = {
      {{L"/type:Error", L"/last:5"}, L"--log", L"/log", L"You must select at least one log to query or you won't get any results!"},
      {{L"/log:system", L"/last:5"}, L"--type", L"/type", L"You must select at least one type to list or you won't get any results!"},
      {{L"/log:System", L"/type:Error"}, L"--last or --from", L"/last or /from", L"You must select either 'Number of events' or 'Date of events'.  Your choice."},
      {{L"/log:System", L"/type:error,WARNING", L"/last:21"}, L"--last 21", L"/last:21", L"Err... the number of events must be from 1 to 20."},
      {{L"/log:System", L"/type:Error", L"/from:1/1/2009", L"/to:32/01/2009"}, L"--to 32/01/2009", L"/to:32/01/2009", L"The 'To:' day is invalid."},
      {{L"/log:System", L"/type:Error", L"/to:1/1/2009"}, L"--from", L"/from", L"The 'From:' day is invalid."},
      {{L"/log:System", L"/type:Error", L"/from:2/1/2009", L"/to:1/1/2009"}, L"--from 2/1/2009 --to 1/1/2009", L"/from:2/1/2009 /to:1/1/2009", L"The 'From:' date must not be after the 'To:' date."},
  };
  for (const auto& c : cases) {
    const RunRequest request = windowsRequest(c.arguments, {});
    for (const auto& [spelling, named] : {std::pair(&kLinuxSwitches, c.linux), std::pair(&kWindowsSwitches, c.windows),
                                          std::pair<const SwitchSpelling*, std::wstring>(nullptr, L"")}) {
      FakePlatform run;
      FilledForm filled(request.form);
      Platform platform{filled, run.dialogs, run.events, run.locale, run.version, run.clock,
                        run.process, run.files, run.computers, run.threads};
      MainForm window(platform, request);
      if (spelling) {
        EXPECT_EQ(window.runUnattended(*spelling), RunEnd::Refused) << named;
      } else {
        window.cmdRun_Click();
      }
      ASSERT_EQ(run.dialogs.messages.size(), 1u) << named;
      EXPECT_EQ(run.dialogs.messages[0].prompt, named.empty() ? c.message : named + L": " + c.message);
    }
  }
}

TEST_F(RunTest, ExitEndsWithoutWriting) {
  form.Form_Load();
  form.cmdExit_Click();
  EXPECT_EQ(fake.form.ended, 1);
  EXPECT_TRUE(fake.files.replaced.empty());
  EXPECT_TRUE(fake.locale.sets.empty());
}

}  // namespace
}  // namespace brask::fakes
