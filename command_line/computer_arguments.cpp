#include "command_line/computer_arguments.h"

#include <algorithm>

#include "computers/computer_names.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

std::wstring_view trimmed(std::wstring_view line) {
  const std::size_t first = line.find_first_not_of(L" \t\r");
  if (first == std::wstring_view::npos) return {};
  return line.substr(first, line.find_last_not_of(L" \t\r") - first + 1);
}

}  // namespace

void ComputerArguments::add(const std::wstring& argument) {
  if (!argument.starts_with(L'@')) {
    addName(argument, nullptr, 0);
    return;
  }
  const std::wstring path = argument.substr(1);
  std::wstring text;
  try {
    text = read_(path);
  } catch (const RunTimeError& error) {
    throw CommandLineError(L"The list of computers \"" + path + L"\" cannot be read: " +
                           error.description());
  }
  const std::wstring_view lines(text);
  std::size_t named = 0;
  std::size_t number = 0;
  for (std::size_t start = 0; start <= lines.size(); ++number) {
    const std::size_t end = std::min(lines.find(L'\n', start), lines.size());
    const std::wstring_view line = trimmed(lines.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == L'#') continue;
    addName(line, &path, number + 1);
    ++named;
  }
  if (named == 0) throw CommandLineError(L"The list of computers \"" + path + L"\" names no computer.");
}

void ComputerArguments::addName(std::wstring_view name, const std::wstring* file, std::size_t line) {
  const std::wstring_view given = name.starts_with(L"\\\\") ? name.substr(2) : name;
  if (const std::optional<std::wstring> why = whyNotAComputerName(given)) {
    const std::wstring from =
        file ? L" (line " + std::to_wstring(line) + L" of \"" + *file + L"\")" : L"";
    throw CommandLineError(L"\"" + std::wstring(name) + L"\"" + from +
                           L" is not a computer name: " + *why + L".");
  }
  if (comparable_.insert(comparableName(given)).second) names_.emplace_back(given);
}

}  // namespace brask
