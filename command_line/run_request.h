// What the command line asks of a run, read at each build's edge in its platform's own
// convention, and how it refuses what it cannot take.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/form.h"

namespace brask {

// What the switches put in the window's controls: check boxes checked, the option
// selected, the texts of text boxes. A control not named keeps its empty state.
struct FormValues {
  std::map<ControlId, bool> checked = {};
  std::optional<ControlId> option = std::nullopt;  // optNumber or optDate
  std::map<ControlId, std::wstring> texts = {};

  friend bool operator==(const FormValues&, const FormValues&) = default;
};

struct RunRequest {
  // The computers to report, each once, in the order first given, as given but for a
  // leading "\\"; none for this computer's logs alone.
  std::vector<std::wstring> computers = {};
  // A Windows Event Collector's log to report, by its channel: "ForwardedEvents", or a
  // subscription's own.
  std::optional<std::wstring> forwarded = std::nullopt;
  FormValues form = {};
  // Where the report goes, in place of \BRASK.txt on the system drive.
  std::optional<std::wstring> out = std::nullopt;
  // The bookmark file: only events new since the run that wrote it are listed, and it is
  // written anew after the report.
  std::optional<std::wstring> bookmark = std::nullopt;
  // The report without a window: no window, no message box, no viewer.
  bool run = false;
  // Only the usage, or only the version, is asked for.
  bool usage = false;
  bool version = false;

  friend bool operator==(const RunRequest&, const RunRequest&) = default;
};

// A command line refused before the window opens: the prompt of its message box says what
// was refused and why.
class CommandLineError : public std::runtime_error {
 public:
  explicit CommandLineError(std::wstring prompt)
      : std::runtime_error("command line refused"), prompt_(std::move(prompt)) {}
  const std::wstring& prompt() const { return prompt_; }

 private:
  std::wstring prompt_;
};

// The title of the message box of a refused command line.
inline constexpr const wchar_t* kCommandLineTitle = L"Please check the command line";

// The text of a file, as the platform reads a list of names; throws RunTimeError when the
// file cannot be read.
using ReadTextFile = std::function<std::wstring(const std::wstring& path)>;

}  // namespace brask
