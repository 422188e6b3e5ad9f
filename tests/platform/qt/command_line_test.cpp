// The Linux program's command lines and what they ask, or why they are refused.
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/qt/command_line.h"

namespace brask {
namespace {

using enum ControlId;

TEST(LinuxCommandLineTest, Arguments) {
  RunRequest run;
  run.run = true;
  run.out = L"/srv/reports/today.txt";
  run.bookmark = L"/var/lib/brask/bookmark";
  run.form = {{{chkApplication, false}, {chkSystem, true}, {chkCritical, false}, {chkError, true},
               {chkInformation, false}, {chkWarning, false}},
              optNumber,
              {{txtNumber, L"5"}}};
  RunRequest named;
  named.computers = {L"ws1", L"db.example"};
  RunRequest lastWins;
  lastWins.form = {{{chkApplication, true}, {chkSystem, false}},
                   optDate,
                   {{txtNumber, L"3"}, {txtDayFrom, L"1"}, {txtMthFrom, L"2"}, {txtYrFrom, L"2026"}}};
  RunRequest help;
  help.usage = true;
  const struct {
    QStringList arguments;
    RunRequest request;
    std::wstring refusal;
  } cases[] = {
      {{"brask", "--run", "--log", "System", "--type", "error", "--last", "5", "--out", "/srv/reports/today.txt",
        "--bookmark", "/var/lib/brask/bookmark"},
       run, L""},
      {{"brask", "ws1", "WS1.", "db.example"}, named, L""},
      {{"brask", "--log", "System", "--last", "3", "--log", "application", "--from", "1/2/2026"}, lastWins, L""},
      {{"brask", "--help"}, help, L""},
      {{"brask", "--quiet"}, {}, L"Unknown option 'quiet'."},
      {{"brask", "--last"}, {}, L"Missing value after '--last'."},
      {{"brask", "--type", "Errors"}, {}, L"\"--type Errors\": \"Errors\" is not a type. The types are Critical, Error, Information and Warning, separated by commas."},
      {{"brask", "--from", "2026-02-01"}, {}, L"\"--from 2026-02-01\" is not a date as day/month/year, such as 31/12/2026."},
      {{"brask", "/var/log/journal"}, {}, L"\"/var/log/journal\" is not a computer name: it is a path."},
  };
  for (const auto& c : cases) {
    RunRequest request;
    std::wstring refusal;
    try {
      request = linuxRequest(c.arguments);
    } catch (const CommandLineError& error) {
      refusal = error.prompt();
    }
    EXPECT_TRUE(request == c.request) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(refusal, c.refusal) << c.arguments.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace brask
