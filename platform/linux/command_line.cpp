#include "platform/linux/command_line.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "command_line/computer_arguments.h"
#include "command_line/switches.h"
#include "platform/linux/errno_text.h"
#include "platform/linux/locale/user_locale.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/linux/locale/wide_encoder.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

constexpr const char* kJournalDir = "journal-dir";
constexpr const char* kEvtxDir = "evtx-dir";

// Switches that take a value: those both builds take, then the folders of the event logs.
constexpr std::string_view kValued[] = {"log", "type", "last", "from", "to", "out", "bookmark", kJournalDir, kEvtxDir};
constexpr std::string_view kFlags[] = {"run", "help", "h", "version"};

bool isOneOf(std::string_view name, const auto& names) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

std::string lowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// One switch as given: its name in lower case, its value, and how it was written.
struct Given {
  std::string name;
  std::optional<std::string> value;
};

struct Parsed {
  std::vector<Given> switches;
  std::vector<std::string> positional;
};

// The switches and the other arguments, in the order given; throws CommandLineError for a
// switch it does not know, or one whose value is missing or unwanted.
Parsed parse(const std::vector<std::string>& arguments, WideDecoder& decode) {
  Parsed parsed;
  bool switches = true;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!switches || argument.size() < 2 || argument.front() != '-') {
      parsed.positional.push_back(argument);
      continue;
    }
    if (argument == "--") {
      switches = false;
      continue;
    }
    const std::size_t dashes = argument.starts_with("--") ? 2 : 1;
    const std::size_t equals = argument.find('=');
    const std::string written = lowerCase(argument.substr(0, equals));
    const std::string name = written.substr(dashes);
    if (isOneOf(name, kValued)) {
      if (equals != std::string::npos) {
        parsed.switches.push_back({name, argument.substr(equals + 1)});
      } else if (i + 1 < arguments.size()) {
        parsed.switches.push_back({name, arguments[++i]});
      } else {
        throw CommandLineError(L"Missing value after '" + decode(written) + L"'.");
      }
    } else if (isOneOf(name, kFlags)) {
      if (equals != std::string::npos) throw CommandLineError(L"Unexpected value after '" + decode(written) + L"'.");
      parsed.switches.push_back({name, std::nullopt});
    } else {
      throw CommandLineError(L"Unknown option '" + decode(name) + L"'.");
    }
  }
  return parsed;
}

// A list of names, in the locale's character set.
ReadTextFile textFileReader(const std::string& codeset) {
  return [codeset](const std::wstring& path) {
    const std::string name = WideEncoder("UTF-8")(path);
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      const int error = errno;
      throw RunTimeError(L"Reading " + path, error, errnoText(error));
    }
    std::string bytes;
    char chunk[4096];
    ssize_t read = 0;
    while ((read = ::read(fd, chunk, sizeof chunk)) > 0 || (read < 0 && errno == EINTR)) {
      if (read > 0) bytes.append(chunk, static_cast<std::size_t>(read));
    }
    const int error = errno;
    ::close(fd);
    if (read < 0) throw RunTimeError(L"Reading " + path, error, errnoText(error));
    return WideDecoder(codeset)(bytes);
  };
}

}  // namespace

bool asksForRun(const std::vector<std::string>& arguments) {
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") return false;
    if (argument.size() < 2 || argument.front() != '-') continue;
    const std::size_t dashes = argument.starts_with("--") ? 2 : 1;
    const std::size_t equals = argument.find('=');
    const std::string name = lowerCase(argument.substr(dashes, equals == std::string::npos ? equals : equals - dashes));
    if (name == "run") return true;
    if (equals == std::string::npos && isOneOf(name, kValued)) ++i;  // its value, whatever it reads
  }
  return false;
}

LinuxRequest linuxRequest(const std::vector<std::string>& arguments) {
  const std::string codeset = userCodeset();
  WideDecoder decode(codeset);
  const Parsed parsed = parse(arguments, decode);

  LinuxRequest asked;
  RunRequest& request = asked.run;
  std::optional<std::string> journalDir;
  std::optional<std::string> evtxDir;
  // In the order given, so that a later switch overrides an earlier one as on Windows.
  for (const Given& given : parsed.switches) {
    const std::wstring name = decode(given.name);
    if (given.name == "help" || given.name == "h") {
      request.usage = true;
    } else if (given.name == "version") {
      request.version = true;
    } else if (given.name == kJournalDir || given.name == kEvtxDir) {
      if (given.value->empty()) throw CommandLineError(L"\"--" + name + L"\" needs a value.");
      (given.name == kJournalDir ? journalDir : evtxDir) = *given.value;
    } else {
      const std::optional<std::wstring> value = given.value ? std::optional(decode(*given.value)) : std::nullopt;
      applySwitch(request, name, value, L"--" + name + (value ? L" " + *value : L""));
    }
  }
  if (journalDir && evtxDir) {
    throw CommandLineError(
        L"\"--journal-dir\" and \"--evtx-dir\" cannot be given together: the event logs are read from one folder.");
  }
  if (journalDir) asked.folders = LogFolders{journalDir};
  if (evtxDir) asked.folders = LogFolders{std::nullopt, evtxDir};

  ComputerArguments computers(textFileReader(codeset));
  for (const std::string& argument : parsed.positional) computers.add(decode(argument));
  request.computers = computers.names();
  return asked;
}

std::wstring linuxUsage() {
  return switchesUsage(L"brask [NAME | @FILE]... [switches]", L"--", L" ") +
         L"\n  --journal-dir DIR  the journal files of DIR, in place of BRASK_JOURNAL_DIR\n"
         L"  --evtx-dir DIR     the saved Windows event logs of DIR, in place of BRASK_EVTX_DIR\n"
         L"  --help, --version\n\n"
         L"Switch names are taken in any letter case. NAME or @FILE (a file of names, one a\n"
         L"line) chooses computers of a folder that gathers many.\n";
}

}  // namespace brask
