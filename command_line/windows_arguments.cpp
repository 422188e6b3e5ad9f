#include "command_line/windows_arguments.h"

#include <algorithm>

#include "command_line/computer_arguments.h"
#include "command_line/switches.h"

namespace brask {
namespace {

constexpr const wchar_t* kForwardedEvents = L"ForwardedEvents";

std::wstring lowerCase(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

bool hasControlCharacter(const std::wstring& text) {
  return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x20 || c == 0x7F; });
}

}  // namespace

bool asksForRun(const std::vector<std::wstring>& arguments) {
  return std::any_of(arguments.begin(), arguments.end(), [](const std::wstring& argument) {
    return lowerCase(argument.substr(0, argument.find(L':'))) == L"/run";
  });
}

std::wstring windowsUsage() {
  return switchesUsage(L"brask.exe [\\\\NAME | NAME | @FILE]... [/forwarded[:CHANNEL]] [switches]", L"/", L":") +
         L"\n/? shows this, /version the version. Computers are named as \\\\NAME or NAME, or listed in\n"
         L"a file, one a line, as @FILE; /forwarded reports a Windows Event Collector's\n"
         L"ForwardedEvents log (or CHANNEL), one computer at a time.\n";
}

RunRequest windowsRequest(const std::vector<std::wstring>& arguments, const ReadTextFile& read) {
  RunRequest request;
  ComputerArguments computers(read);
  for (const std::wstring& argument : arguments) {
    // "\\NAME" names a computer; a single "/" starts a switch.
    if (!argument.starts_with(L'/')) {
      computers.add(argument);
      continue;
    }
    const std::size_t colon = argument.find(L':');
    const std::wstring name = lowerCase(argument.substr(1, colon - 1));
    const bool valued = colon != std::wstring::npos;
    const std::wstring value = valued ? argument.substr(colon + 1) : std::wstring();
    if (name == L"forwarded") {
      if (valued && (value.empty() || hasControlCharacter(value)))
        throw CommandLineError(L"\"" + argument + L"\" names no event log after \"/forwarded:\".");
      request.forwarded = valued ? value : kForwardedEvents;
    } else if (name == L"?" && !valued) {
      request.usage = true;
    } else if (name == L"version" && !valued) {
      request.version = true;
    } else {
      applySwitch(request, name, valued ? std::optional(value) : std::nullopt, argument);
    }
  }
  request.computers = computers.names();
  return request;
}

}  // namespace brask
