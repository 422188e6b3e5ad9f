#include "platform/linux/system/posix_process.h"

#include <pwd.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "platform/linux/environment_variable.h"
#include "platform/linux/errno_text.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/linux/locale/wide_encoder.h"
#include "platform/run_time_error.h"

extern char** environ;

namespace brask {
namespace {

constexpr std::wstring_view kNotepad = L"notepad ";

std::string utf8(std::wstring_view text) { return WideEncoder("UTF-8")(text); }

std::wstring fromUtf8(std::string_view bytes) { return WideDecoder("UTF-8")(bytes); }

std::string homeDirectory() {
  if (std::optional<std::string> home = nonEmptyVariable("HOME")) return *home;
  const passwd* user = getpwuid(getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

}  // namespace

std::wstring PosixProcess::environmentVariable(const std::wstring& name) {
  if (const char* value = std::getenv(utf8(name).c_str())) return fromUtf8(value);
  if (name == L"SystemDrive") return fromUtf8(homeDirectory());
  return L"";
}

void PosixProcess::startProgram(const std::wstring& commandLine) {
  const std::wstring action = L"Starting \"" + commandLine + L"\"";
  if (commandLine.compare(0, kNotepad.size(), kNotepad) != 0) {
    throw RunTimeError(action, ENOENT, L"Only \"notepad <path>\" can be started here");
  }
  std::wstring path = commandLine.substr(kNotepad.size());
  for (wchar_t& c : path) {
    if (c == L'\\') c = L'/';
  }
  std::string program = "xdg-open";
  std::string argument = utf8(path);
  char* argv[] = {program.data(), argument.data(), nullptr};

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t child = 0;
  const int error = posix_spawnp(&child, program.c_str(), nullptr, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) throw RunTimeError(L"Starting xdg-open", error, errnoText(error));
}

}  // namespace brask
