// Command lines and what they ask, or why they are refused, in Windows' convention and
// through the list of names that both builds read.
#include <gtest/gtest.h>

#include <map>

#include "command_line/windows_arguments.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

using enum ControlId;

// A request, or the prompt that refuses the command line.
struct Outcome {
  RunRequest request = {};
  std::wstring refusal = L"";
};

Outcome outcomeOf(const std::vector<std::wstring>& arguments,
                  const std::map<std::wstring, std::wstring>& files) {
  const ReadTextFile read = [&files](const std::wstring& path) {
    const auto found = files.find(path);
    if (found == files.end()) throw RunTimeError(L"Reading " + path, 2, L"The system cannot find the file specified.");
    return found->second;
  };
  try {
    return {windowsRequest(arguments, read)};
  } catch (const CommandLineError& error) {
    return {{}, error.prompt()};
  }
}

RunRequest computers(std::vector<std::wstring> names) { return {std::move(names)}; }

RunRequest withForm(FormValues form, std::optional<std::wstring> out = std::nullopt, bool run = false,
                    std::optional<std::wstring> bookmark = std::nullopt) {
  RunRequest request;
  request.form = std::move(form);
  request.out = std::move(out);
  request.run = run;
  request.bookmark = std::move(bookmark);
  return request;
}

Outcome refused(std::wstring prompt) { return {{}, std::move(prompt)}; }

TEST(CommandLineTest, WindowsArguments) {
  const std::map<std::wstring, std::wstring> files = {
      {L"servers.txt", L"# web\r\nweb01\r\n\r\n  \\\\web02.corp.example.  \r\nWEB01\n#end"},
      {L"empty.txt", L""},
      {L"comments.txt", L"# none yet\r\n\r\n"},
      {L"bad.txt", L"ok1\r\nnot ok\r\n"},
  };
  RunRequest forwarded;
  forwarded.forwarded = L"ForwardedEvents";
  RunRequest subscription = computers({L"ws7"});
  subscription.forwarded = L"Microsoft-Windows-Forwarding/Operational";
  RunRequest usage;
  usage.usage = true;
  const struct {
    std::vector<std::wstring> arguments;
    Outcome outcome;
  } cases[] = {
      {{}, {}},
      // Computers.
      {{L"\\\\SRV01", L"srv02", L"10.1.2.3", L"fe80::1%12", L"::ffff:192.0.2.1", L"."},
       {computers({L"SRV01", L"srv02", L"10.1.2.3", L"fe80::1%12", L"::ffff:192.0.2.1", L"."})}},
      {{L"srv01", L"SRV01.", L"\\\\srv01"}, {computers({L"srv01"})}},
      {{L"@servers.txt", L"web02.corp.example", L"db"}, {computers({L"web01", L"web02.corp.example.", L"db"})}},
      {{L"/forwarded"}, {forwarded}},
      {{L"/FORWARDED:Microsoft-Windows-Forwarding/Operational", L"ws7"}, {subscription}},
      {{L"/?"}, {usage}},
      {{L"/forwarded:"}, refused(L"\"/forwarded:\" names no event log after \"/forwarded:\".")},
      {{L"\\\\SRV01\\share"}, refused(L"\"\\\\SRV01\\share\" is not a computer name: it is a path.")},
      {{L"C:\\logs"}, refused(L"\"C:\\logs\" is not a computer name: it is a path.")},
      {{L"my pc"}, refused(L"\"my pc\" is not a computer name: it holds a blank.")},
      {{L"pc\x01"}, refused(L"\"pc\x01\" is not a computer name: it holds a control character.")},
      {{L""}, refused(L"\"\" is not a computer name: it is empty.")},
      {{L"\\\\"}, refused(L"\"\\\\\" is not a computer name: it is empty.")},
      {{std::wstring(256, L'a')}, refused(L"\"" + std::wstring(256, L'a') + L"\" is not a computer name: it is longer than 255 characters.")},
      {{std::wstring(64, L'a') + L".com"}, refused(L"\"" + std::wstring(64, L'a') + L".com\" is not a computer name: a part of it between dots is longer than 63 characters.")},
      {{L"a..b"}, refused(L"\"a..b\" is not a computer name: it has an empty part between dots.")},
      {{L"fe80::1::2"}, refused(L"\"fe80::1::2\" is not a computer name: it is not an IPv6 address.")},
      {{L"fe80::1%"}, refused(L"\"fe80::1%\" is not a computer name: it is not an IPv6 address.")},
      {{L"srv*"}, refused(L"\"srv*\" is not a computer name: it holds the character \"*\".")},
      {{L"-run"}, refused(L"\"-run\" is not a computer name: it starts with \"-\", as no computer name does.")},
      {{L"@missing.txt"}, refused(L"The list of computers \"missing.txt\" cannot be read: The system cannot find the file specified.")},
      {{L"@empty.txt"}, refused(L"The list of computers \"empty.txt\" names no computer.")},
      {{L"@comments.txt"}, refused(L"The list of computers \"comments.txt\" names no computer.")},
      {{L"@bad.txt"}, refused(L"\"not ok\" (line 2 of \"bad.txt\") is not a computer name: it holds a blank.")},
      // Switches: the values go into the fields as they stand, for the window's checks.
      {{L"/run", L"/log:System", L"/type:Error", L"/last:5", L"/out:C:\\reports\\today.txt"},
       {withForm({{{chkApplication, false}, {chkSystem, true}, {chkCritical, false}, {chkError, true},
                   {chkInformation, false}, {chkWarning, false}},
                  optNumber, {{txtNumber, L"5"}}},
                 L"C:\\reports\\today.txt", true)}},
      {{L"/BookMark:C:\\reports\\bookmark.txt"}, {withForm({}, std::nullopt, false, L"C:\\reports\\bookmark.txt")}},
      {{L"/bookmark:"}, refused(L"\"/bookmark:\" needs a value.")},
      {{L"/LOG:application,SYSTEM", L"/Type:warning,critical,information,error"},
       {withForm({{{chkApplication, true}, {chkSystem, true}, {chkCritical, true}, {chkError, true},
                   {chkInformation, true}, {chkWarning, true}}})}},
      {{L"/log:Application", L"/log:System"}, {withForm({{{chkApplication, false}, {chkSystem, true}}})}},
      {{L"/last:0"}, {withForm({{}, optNumber, {{txtNumber, L"0"}}})}},
      {{L"/last:1e3"}, {withForm({{}, optNumber, {{txtNumber, L"1e3"}}})}},
      {{L"/from:01/12/2026", L"/to:9/12/2026"},
       {withForm({{}, optDate, {{txtDayFrom, L"01"}, {txtMthFrom, L"12"}, {txtYrFrom, L"2026"},
                                {txtDayTo, L"9"}, {txtMthTo, L"12"}, {txtYrTo, L"2026"}}})}},
      {{L"/from:2026/12/01"}, {withForm({{}, optDate, {{txtDayFrom, L"2026"}, {txtMthFrom, L"12"}, {txtYrFrom, L"01"}}})}},
      {{L"/last:5", L"/from:1/1/2026"},
       {withForm({{}, optDate, {{txtNumber, L"5"}, {txtDayFrom, L"1"}, {txtMthFrom, L"1"}, {txtYrFrom, L"2026"}}})}},
      {{L"/from:1/1/2026", L"/last:5"},
       {withForm({{}, optNumber, {{txtNumber, L"5"}, {txtDayFrom, L"1"}, {txtMthFrom, L"1"}, {txtYrFrom, L"2026"}}})}},
      {{L"/type:Critical,Error,Information,Warning", L"/log:"}, refused(L"\"/log:\" needs a value.")},
      {{L"/from:2026-12-01"}, refused(L"\"/from:2026-12-01\" is not a date as day/month/year, such as 31/12/2026.")},
      {{L"/log:Security"}, refused(L"\"/log:Security\": \"Security\" is not a log. The logs are Application and System, separated by commas.")},
      {{L"/type:Error,"}, refused(L"\"/type:Error,\": \"\" is not a type. The types are Critical, Error, Information and Warning, separated by commas.")},
      {{L"/last"}, refused(L"\"/last\" needs a value.")},
      {{L"/out:"}, refused(L"\"/out:\" needs a value.")},
      {{L"/run:now"}, refused(L"\"/run:now\" takes no value.")},
      {{L"/quiet"}, refused(L"\"/quiet\" is not a switch of this program.")},
  };
  for (const auto& c : cases) {
    std::wstring shown;
    for (const std::wstring& argument : c.arguments) shown += argument + L" ";
    const Outcome outcome = outcomeOf(c.arguments, files);
    EXPECT_TRUE(outcome.request == c.outcome.request) << shown;
    EXPECT_EQ(outcome.refusal, c.outcome.refusal) << shown;
  }
}

TEST(CommandLineTest, AMillionLinesAreReadOnceEach) {
  std::wstring list;
  for (int i = 0; i < 1'000'000; ++i) list += L"pc" + std::to_wstring(i % 1000) + L"\r\n";
  const Outcome outcome = outcomeOf({L"@big.txt"}, {{L"big.txt", list}});
  ASSERT_EQ(outcome.request.computers.size(), 1000u);
  EXPECT_EQ(outcome.request.computers.back(), L"pc999");
}

}  // namespace
}  // namespace brask
