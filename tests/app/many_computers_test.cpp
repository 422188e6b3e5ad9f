// Runs that report many computers: blocks in the order named, what a computer that cannot
// be read leaves, and which computers a gathering folder or log gives.
#include <gtest/gtest.h>

#include "../report/report_test_support.h"
#include "app/main_form.h"

namespace brask::fakes {
namespace {

using enum ControlId;
constexpr const wchar_t* kReport = L"C:\\BRASK.txt";
constexpr const wchar_t* kHeader =
    L"Zelvo's Event Viewer v01c run on Windows 7 in English\r\n"
    L"Report run at 10/08/2009 21:02:23\r\n\r\n"
    L"Note: All dates below are in the format dd/mm/yyyy\r\n\r\n";
constexpr const wchar_t* kBanner =
    L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
    L"'System' Log - Error Type\r\n"
    L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n";

std::wstring computerBanner(const std::wstring& name) {
  return L"==================================\r\nComputer: " + name +
         L"\r\n==================================\r\n";
}

std::wstring record(const std::wstring& source) {
  return L"Log: 'System' Date/Time: 10/08/2009 21:00:00\r\nType: Error Category: 0\r\nEvent: 7 Source: " +
         source + L"\r\nSomething happened.\r\n\r\n";
}

struct ManyTest : ::testing::Test {
  FakePlatform fake;

  ManyTest() {
    fake.form.check({chkSystem, chkError});
    fake.form.options[optNumber] = true;
    fake.form.texts[txtNumber] = L"2";
  }
  void serve(const std::wstring& computer, std::size_t events) {
    fake.computers.logs[computer].logs[L"'System'"] =
        std::vector<Event>(events, event(L"Error", L"20090810210000.000000+060", L"Something happened.", 7, computer));
  }
  std::wstring run(std::vector<std::wstring> computers) {
    MainForm form(fake.platform, RunRequest{std::move(computers)});
    form.cmdRun_Click();
    EXPECT_EQ(fake.form.ended, 1);
    EXPECT_TRUE(fake.dialogs.errors.empty());
    return fake.files.files[kReport];
  }
};

TEST_F(ManyTest, BlocksInTheOrderNamedWithWhatUnreadComputersLeave) {
  serve(L"srv01", 3);
  serve(L"old-xp", 1);
  fake.computers.logs[L"old-xp"].computerError =
      ComputerError(L"Querying", 1722, L"The RPC server is unavailable.\r\n", Reach::Wmi);
  fake.computers.logs[L"old-xp"].failAtQuery = 0;
  serve(L"10.0.0.7", 2);
  fake.computers.logs[L"10.0.0.7"].computerError =
      ComputerError(L"Reading", 5, L"Access is denied.\r\n", Reach::EventLogApi);
  fake.computers.logs[L"10.0.0.7"].failAtStep = 1;

  EXPECT_EQ(run({L"srv01", L"old-xp", L"10.0.0.7"}),
            std::wstring(kHeader) + computerBanner(L"srv01") + kBanner + record(L"srv01") +
                record(L"srv01") + computerBanner(L"old-xp") +
                L"Computer old-xp could not be read: The RPC server is unavailable. (error 1722). "
                L"Check that the computer is on and that its firewall allows \"Windows Management "
                L"Instrumentation\".\r\n\r\n" +
                computerBanner(L"10.0.0.7") + kBanner + record(L"10.0.0.7") +
                L"Computer 10.0.0.7 could not be read: Access is denied. (error 5). Check that the "
                L"account is an administrator or a member of \"Event Log Readers\" on that "
                L"computer.\r\n\r\n");
  EXPECT_EQ(fake.computers.asked, (std::vector<std::wstring>{L"srv01", L"old-xp", L"10.0.0.7"}));
  // The threads of the fakes run each read as it starts; each is counted as it is seen to
  // have ended. The first computer's part went straight into the report, the third's waited
  // in a spool; the second failed before it answered, and nothing of it was kept.
  EXPECT_EQ(fake.form.captions,
            (std::vector<std::wstring>{L"BRASK - Zelvo's Event Viewer - 0 of 3 computers read",
                                       L"BRASK - Zelvo's Event Viewer - 1 of 3 computers read",
                                       L"BRASK - Zelvo's Event Viewer - 2 of 3 computers read",
                                       L"BRASK - Zelvo's Event Viewer - 3 of 3 computers read"}));
  EXPECT_EQ(fake.files.spools, 1);
  EXPECT_EQ(fake.events.connects, 0);
}

TEST_F(ManyTest, ReasonsAndChecksByCode) {
  const std::wstring wmiRights =
      L"Check that the account is an administrator on that computer, or has the \"Remote "
      L"Activation\" permission of DCOM and the \"Remote Enable\" permission of WMI (on "
      L"root\\cimv2) there.";
  const struct {
    long code;
    Reach reach;
    std::wstring line;
  } cases[] = {
      {1753, Reach::EventLogApi, L"T (error 1753). Check that the computer is on and that its firewall allows \"Remote Event Log Management\"."},
      {1717, Reach::EventLogApi, L"T (error 1717). Check that the computer is on and that its firewall allows \"Remote Event Log Management\"."},
      {1326, Reach::EventLogApi, L"T (error 1326). Check that this account can log on to that computer."},
      {87, Reach::Wmi, L"T (error 87)."},
      {1460, Reach::Wmi, L"T (error 1460). Check that the computer is on and that its firewall allows \"Remote Event Log Management\" (on Windows XP and 2003: \"Windows Management Instrumentation\")."},
      {1223, Reach::EventLogApi, L"T (error 1223). Check that the computer is on and that its firewall allows \"Remote Event Log Management\" (on Windows XP and 2003: \"Windows Management Instrumentation\")."},
      {static_cast<std::int32_t>(0x80041003), Reach::Wmi, L"T (error 0x80041003). " + wmiRights},
      {5, Reach::Wmi, L"T (error 5). " + wmiRights},
      // A folder's file: an error number, with no check of Windows' (5 is EIO there).
      {5, Reach::Folder, L"T (error 5)."},
      {13, Reach::Folder, L"T (error 13)."},
  };
  for (const auto& c : cases) {
    FakePlatform run;
    run.form.check({chkSystem, chkError});
    run.form.options[optNumber] = true;
    run.form.texts[txtNumber] = L"1";
    // Refused as it is asked for, or at its first connection: the same line.
    const ComputerError error(L"Querying", c.code, L"T", c.reach);
    if (c.code % 2 == 0) {
      run.computers.refused.emplace(L"pc", error);
    } else {
      run.computers.logs[L"pc"].computerError = error;
      run.computers.logs[L"pc"].failAtConnect = 0;
    }
    MainForm(run.platform, RunRequest{{L"pc"}}).cmdRun_Click();
    EXPECT_EQ(lines(run.files.files[kReport]).at(8), L"Computer pc could not be read: " + c.line) << c.code;
  }
}

// Logs read in part (a file of the folder that the user may not read): the sections read
// from the rest, then the computer's line. (A folder of one computer read in part is run
// end to end, as a user who may not read every file.)
TEST_F(ManyTest, LogsReadInPartHaveTheirSectionsThenTheirLine) {
  const ComputerError denied(L"Opening the journal in /j", 13, L"/j/remote-ws1.journal: Permission denied", Reach::Folder);
  const std::wstring line = L"could not be read: /j/remote-ws1.journal: Permission denied (error 13).";
  serve(L"ws1", 1);
  fake.computers.logs[L"ws1"].unread = denied;
  serve(L"db1", 1);
  EXPECT_EQ(run({L"ws1", L"db1"}), std::wstring(kHeader) + computerBanner(L"ws1") + kBanner + record(L"ws1") +
                                      L"Computer ws1 " + line + L"\r\n\r\n" + computerBanner(L"db1") +
                                      kBanner + record(L"db1"));
}

TEST_F(ManyTest, GatheredComputersAndTheNamesThatChooseAmongThem) {
  const struct {
    const char* name;
    std::optional<GatheredComputers> gathered;
    std::vector<std::wstring> named;
    std::vector<std::wstring> asked;
    std::vector<std::wstring> computerLines;  // "Computer: NAME" and unread lines, in order
  } cases[] = {
      {"one host, no names: this computer's report", GatheredComputers{{L"fedora"}, L"/j", false}, {}, {}, {}},
      {"no gathering, no names", std::nullopt, {}, {}, {}},
      {"a collector of one", GatheredComputers{{L"ws1"}, L"ForwardedEvents", true}, {}, {L"ws1"}, {L"Computer: ws1"}},
      {"hosts in name order", GatheredComputers{{L"a", L"B", L"(no host name)"}, L"/j", false}, {},
       {L"a", L"B", L"(no host name)"}, {L"Computer: a", L"Computer: B", L"Computer: (no host name)"}},
      {"names choose, as given, without regard to case or a trailing dot",
       GatheredComputers{{L"alpha", L"Beta"}, L"/var/log/journal/remote", false}, {L"BETA.", L"gamma"}, {L"Beta"},
       {L"Computer: BETA.", L"Computer: gamma",
        L"Computer gamma could not be read: it is not in /var/log/journal/remote."}},
  };
  for (const auto& c : cases) {
    FakePlatform run;
    run.form.check({chkSystem, chkError});
    run.form.options[optNumber] = true;
    run.form.texts[txtNumber] = L"1";
    run.computers.gathering = c.gathered;
    MainForm(run.platform, RunRequest{c.named}).cmdRun_Click();
    std::vector<std::wstring> computerLines;
    for (const std::wstring& line : lines(run.files.files[kReport])) {
      if (line.starts_with(L"Computer")) computerLines.push_back(line);
    }
    EXPECT_EQ(run.computers.asked, c.asked) << c.name;
    EXPECT_EQ(computerLines, c.computerLines) << c.name;
    EXPECT_EQ(run.events.connects, c.asked.empty() ? 1 : 0) << c.name;
  }
}

TEST_F(ManyTest, AFailureOfTheRunItselfEndsItInTheErrorBox) {
  serve(L"a", 1);
  serve(L"b", 1);
  fake.computers.logs[L"b"].failAtQuery = 0;  // this computer's own logs: no ComputerError
  MainForm form(fake.platform, RunRequest{{L"a", L"b"}});
  form.cmdRun_Click();
  EXPECT_EQ(fake.dialogs.errors,
            std::vector<std::wstring>{L"Run-time error '-2147217392 (80041010)':\n\nQuerying the event log: Invalid class"});
  // The blocks before the failure were written, and the report was left as it was.
  std::wstring written;
  for (const std::wstring& text : fake.files.texts) written += text;
  EXPECT_EQ(written, std::wstring(kHeader) + computerBanner(L"a") + kBanner + record(L"a") + computerBanner(L"b"));
  EXPECT_EQ(fake.files.files.count(kReport), 0u);
}

}  // namespace
}  // namespace brask::fakes
