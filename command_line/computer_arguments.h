// The computers named on the command line: "\\NAME" or "NAME", or "@FILE" for a file of
// names, one a line, where blank lines and lines starting with "#" are skipped.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "command_line/run_request.h"

namespace brask {

class ComputerArguments {
 public:
  explicit ComputerArguments(ReadTextFile read) : read_(std::move(read)) {}

  // Adds the computers an argument names, each once; throws CommandLineError for what is
  // not a computer name, and for a file that cannot be read or names none.
  void add(const std::wstring& argument);

  const std::vector<std::wstring>& names() const { return names_; }

 private:
  // Adds one name, with or without its leading "\\"; a name of a file stands on that line
  // of it, which the message that refuses it names.
  void addName(std::wstring_view name, const std::wstring* file, std::size_t line);

  ReadTextFile read_;
  std::vector<std::wstring> names_;
  std::unordered_set<std::wstring> comparable_;  // of the names added
};

}  // namespace brask
