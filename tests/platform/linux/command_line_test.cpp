// The Linux program's command lines and what they ask, or why they are refused.
#include <gtest/gtest.h>

#include "platform/linux/command_line.h"

namespace brask {
namespace {

using enum ControlId;

std::string joined(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) text += (text.empty() ? "" : " ") + argument;
  return text;
}

TEST(LinuxCommandLineTest, Arguments) {
  LinuxRequest run;
  run.run.run = true;
  run.run.out = L"/srv/reports/today.txt";
  run.run.form = {{{chkApplication, false}, {chkSystem, true}, {chkCritical, false}, {chkError, true},
                   {chkInformation, false}, {chkWarning, false}},
                  optNumber,
                  {{txtNumber, L"5"}}};
  LinuxRequest bookmarked = run;
  bookmarked.run.bookmark = L"/var/lib/brask/bookmark";
  LinuxRequest anyCase = run;
  anyCase.run.out = L"/Srv/Reports/Today.TXT";
  LinuxRequest named;
  named.run.computers = {L"ws1", L"db.example"};
  LinuxRequest lastWins;
  lastWins.run.form = {{{chkApplication, true}, {chkSystem, false}},
                       optDate,
                       {{txtNumber, L"3"}, {txtDayFrom, L"1"}, {txtMthFrom, L"2"}, {txtYrFrom, L"2026"}}};
  LinuxRequest dashedOut;
  dashedOut.run.out = L"--RUN";
  LinuxRequest help;
  help.run.usage = true;
  LinuxRequest journal;
  journal.folders = LogFolders{"/var/log/journal/Remote"};
  LinuxRequest evtx;
  evtx.run.run = true;
  evtx.folders = LogFolders{std::nullopt, "/srv/Logs"};
  const struct {
    std::vector<std::string> arguments;
    LinuxRequest request;
    std::wstring refusal;
    bool asksForRun;
  } cases[] = {
      {{"brask", "--run", "--log", "System", "--type", "error", "--last", "5", "--out", "/srv/reports/today.txt"}, run, L"", true},
      // Names in any letter case, values as given, with "=" or after a single dash too.
      {{"brask", "-Run", "--Log", "SYSTEM", "-TYPE", "Error", "--LAST=5", "--Out=/Srv/Reports/Today.TXT"}, anyCase, L"", true},
      {{"brask", "--run", "--log", "System", "--type", "error", "--last", "5", "--out", "/srv/reports/today.txt",
        "--BookMark", "/var/lib/brask/bookmark"},
       bookmarked, L"", true},
      {{"brask", "ws1", "WS1.", "db.example"}, named, L"", false},
      {{"brask", "--log", "System", "--last", "3", "--log", "application", "--from", "1/2/2026"}, lastWins, L"", false},
      // A value that looks like a switch is the value of the switch before it.
      {{"brask", "--out", "--RUN"}, dashedOut, L"", false},
      {{"brask", "--HELP"}, help, L"", false},
      {{"brask", "--Journal-Dir", "/var/log/journal/Remote"}, journal, L"", false},
      {{"brask", "--run", "--EVTX-DIR=/srv/Logs"}, evtx, L"", true},
      {{"brask", "--quiet"}, {}, L"Unknown option 'quiet'.", false},
      {{"brask", "--QUIET", "--run"}, {}, L"Unknown option 'quiet'.", true},
      {{"brask", "--last"}, {}, L"Missing value after '--last'.", false},
      {{"brask", "--type", "Errors"}, {}, L"\"--type Errors\": \"Errors\" is not a type. The types are Critical, Error, Information and Warning, separated by commas.", false},
      {{"brask", "/var/log/journal"}, {}, L"\"/var/log/journal\" is not a computer name: it is a path.", false},
      {{"brask", "--journal-dir", "/j", "--evtx-dir", "/e", "--run"}, {},
       L"\"--journal-dir\" and \"--evtx-dir\" cannot be given together: the event logs are read from one folder.", true},
      {{"brask", "--evtx-dir="}, {}, L"\"--evtx-dir\" needs a value.", false},
      {{"brask", "--run=yes"}, {}, L"Unexpected value after '--run'.", true},
      // After "--", nothing is a switch.
      {{"brask", "--", "--run"}, {}, L"\"--run\" is not a computer name: it starts with \"-\", as no computer name does.", false},
  };
  for (const auto& c : cases) {
    LinuxRequest request;
    std::wstring refusal;
    try {
      request = linuxRequest(c.arguments);
    } catch (const CommandLineError& error) {
      refusal = error.prompt();
    }
    EXPECT_TRUE(request == c.request) << joined(c.arguments);
    EXPECT_EQ(refusal, c.refusal) << joined(c.arguments);
    EXPECT_EQ(asksForRun(c.arguments), c.asksForRun) << joined(c.arguments);
  }
}

}  // namespace
}  // namespace brask
