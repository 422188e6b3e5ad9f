#include "platform/linux/system/stderr_dialogs.h"

#include <unistd.h>

#include <cerrno>

#include "platform/linux/locale/user_locale.h"

namespace brask {

StderrDialogs::StderrDialogs() : encoder_(userCodeset()) {}

void StderrDialogs::messageBox(const std::wstring& prompt, const std::wstring& title) {
  writeLine(title + L": " + prompt);
}

void StderrDialogs::runTimeErrorBox(const RunTimeError& error) {
  writeLine(std::wstring(kProgramTitle) + L": " + runTimeErrorLine(error));
}

void StderrDialogs::writeLine(std::wstring_view line) {
  const std::string bytes = encoder_(std::wstring(line) + L"\n");
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t written = ::write(STDERR_FILENO, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    done += static_cast<std::size_t>(written);
  }
}

}  // namespace brask
