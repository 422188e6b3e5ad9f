// The command line in Windows' convention. Input: lines, the first ones arguments, the
// last one the text of the list @list.txt. Whatever is refused is refused with a message;
// whatever is taken names each computer once, each a computer name.
#include <set>

#include "command_line/windows_arguments.h"
#include "computers/computer_names.h"
#include "fuzz_check.h"
#include "fuzz_text.h"
#include "platform/run_time_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brask;
  std::vector<std::wstring> arguments = fuzz::everyLine(fuzz::wideText(data, size));
  const std::wstring list = arguments.empty() ? L"" : arguments.back();
  if (!arguments.empty()) arguments.back() = L"@list.txt";
  const ReadTextFile read = [&list](const std::wstring& path) {
    if (path != L"list.txt") throw RunTimeError(L"Reading " + path, 2, L"Not found");
    // The list's lines are the input's, split at "|".
    std::wstring text = list;
    for (wchar_t& c : text) {
      if (c == L'|') c = L'\n';
    }
    return text;
  };
  RunRequest request;
  try {
    request = windowsRequest(arguments, read);
  } catch (const CommandLineError& error) {
    FUZZ_CHECK(!error.prompt().empty());
    return 0;
  }
  std::set<std::wstring> seen;
  for (const std::wstring& name : request.computers) {
    FUZZ_CHECK(!whyNotAComputerName(name));
    FUZZ_CHECK(seen.insert(comparableName(name)).second);
  }
  if (request.form.option) {
    FUZZ_CHECK(*request.form.option == ControlId::optNumber || *request.form.option == ControlId::optDate);
  }
  return 0;
}
