// Command lines and what they ask, or why they are refused, in Windows' convention and
// through the list of names that both builds read.
#include <gtest/gtest.h>

#include <map>

#include "command_line/windows_arguments.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

struct Outcome {
  std::vector<std::wstring> computers = {};
  std::optional<std::wstring> forwarded = std::nullopt;
  std::wstring refusal = L"";  // the prompt of the message box, when refused
};

Outcome outcomeOf(const std::vector<std::wstring>& arguments,
                  const std::map<std::wstring, std::wstring>& files) {
  const ReadTextFile read = [&files](const std::wstring& path) {
    const auto found = files.find(path);
    if (found == files.end()) throw RunTimeError(L"Reading " + path, 2, L"The system cannot find the file specified.");
    return found->second;
  };
  try {
    RunRequest request = windowsRequest(arguments, read);
    return {request.computers, request.forwarded, L""};
  } catch (const CommandLineError& error) {
    return {{}, std::nullopt, error.prompt()};
  }
}

TEST(CommandLineTest, WindowsArguments) {
  const std::map<std::wstring, std::wstring> files = {
      {L"servers.txt", L"# web\r\nweb01\r\n\r\n  \\\\web02.corp.example.  \r\nWEB01\n#end"},
      {L"empty.txt", L""},
      {L"comments.txt", L"# none yet\r\n\r\n"},
      {L"bad.txt", L"ok1\r\nnot ok\r\n"},
  };
  const struct {
    std::vector<std::wstring> arguments;
    Outcome outcome;
  } cases[] = {
      {{}, {}},
      {{L"\\\\SRV01", L"srv02", L"10.1.2.3", L"fe80::1%12", L"::ffff:192.0.2.1", L"."}, {{L"SRV01", L"srv02", L"10.1.2.3", L"fe80::1%12", L"::ffff:192.0.2.1", L"."}}},
      {{L"srv01", L"SRV01.", L"\\\\srv01"}, {{L"srv01"}}},
      {{L"@servers.txt", L"web02.corp.example", L"db"}, {{L"web01", L"web02.corp.example.", L"db"}}},
      {{L"/forwarded"}, {{}, L"ForwardedEvents"}},
      {{L"/FORWARDED:Microsoft-Windows-Forwarding/Operational", L"ws7"}, {{L"ws7"}, L"Microsoft-Windows-Forwarding/Operational"}},
      {{L"/forwarded:"}, {{}, {}, L"\"/forwarded:\" names no event log after \"/forwarded:\"."}},
      {{L"/out:C:\\r.txt"}, {{}, {}, L"\"/out:C:\\r.txt\" is not a switch of this program."}},
      {{L"\\\\SRV01\\share"}, {{}, {}, L"\"\\\\SRV01\\share\" is not a computer name: it is a path."}},
      {{L"C:\\logs"}, {{}, {}, L"\"C:\\logs\" is not a computer name: it is a path."}},
      {{L"my pc"}, {{}, {}, L"\"my pc\" is not a computer name: it holds a blank."}},
      {{L"pc\x01"}, {{}, {}, L"\"pc\x01\" is not a computer name: it holds a control character."}},
      {{L""}, {{}, {}, L"\"\" is not a computer name: it is empty."}},
      {{L"\\\\"}, {{}, {}, L"\"\\\\\" is not a computer name: it is empty."}},
      {{std::wstring(256, L'a')}, {{}, {}, L"\"" + std::wstring(256, L'a') + L"\" is not a computer name: it is longer than 255 characters."}},
      {{std::wstring(64, L'a') + L".com"}, {{}, {}, L"\"" + std::wstring(64, L'a') + L".com\" is not a computer name: a part of it between dots is longer than 63 characters."}},
      {{L"a..b"}, {{}, {}, L"\"a..b\" is not a computer name: it has an empty part between dots."}},
      {{L"fe80::1::2"}, {{}, {}, L"\"fe80::1::2\" is not a computer name: it is not an IPv6 address."}},
      {{L"fe80::1%"}, {{}, {}, L"\"fe80::1%\" is not a computer name: it is not an IPv6 address."}},
      {{L"srv*"}, {{}, {}, L"\"srv*\" is not a computer name: it holds the character \"*\"."}},
      {{L"-run"}, {{}, {}, L"\"-run\" is not a computer name: it starts with \"-\", as no computer name does."}},
      {{L"@missing.txt"}, {{}, {}, L"The list of computers \"missing.txt\" cannot be read: The system cannot find the file specified."}},
      {{L"@empty.txt"}, {{}, {}, L"The list of computers \"empty.txt\" names no computer."}},
      {{L"@comments.txt"}, {{}, {}, L"The list of computers \"comments.txt\" names no computer."}},
      {{L"@bad.txt"}, {{}, {}, L"\"not ok\" (line 2 of \"bad.txt\") is not a computer name: it holds a blank."}},
  };
  for (const auto& c : cases) {
    const Outcome outcome = outcomeOf(c.arguments, files);
    const std::wstring shown = c.arguments.empty() ? L"(none)" : c.arguments.front();
    EXPECT_EQ(outcome.computers, c.outcome.computers) << shown;
    EXPECT_EQ(outcome.forwarded, c.outcome.forwarded) << shown;
    EXPECT_EQ(outcome.refusal, c.outcome.refusal) << shown;
  }
}

TEST(CommandLineTest, AMillionLinesAreReadOnceEach) {
  std::wstring list;
  for (int i = 0; i < 1'000'000; ++i) list += L"pc" + std::to_wstring(i % 1000) + L"\r\n";
  const Outcome outcome = outcomeOf({L"@big.txt"}, {{L"big.txt", list}});
  ASSERT_EQ(outcome.computers.size(), 1000u);
  EXPECT_EQ(outcome.computers.back(), L"pc999");
}

}  // namespace
}  // namespace brask
