#include "platform/linux/system/posix_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/errno_text.h"
#include "platform/linux/locale/user_locale.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

[[noreturn]] void fail(const std::wstring& what, const std::wstring& path) {
  const int error = errno;
  throw RunTimeError(what + L" the report file " + path, error, errnoText(error));
}

}  // namespace

PosixFiles::PosixFiles() : encoder_(userCodeset()) {}

std::string PosixFiles::posixPath(const std::wstring& path) {
  if (path != path_) {
    path_ = path;
    slashed_ = path;
    for (wchar_t& c : slashed_) {
      if (c == L'\\') c = L'/';
    }
    posixPath_ = pathEncoder_(slashed_);
  }
  return posixPath_;
}

void PosixFiles::write(const std::wstring& path, OpenMode mode, std::wstring_view text) {
  posixPath(path);
  const std::string bytes = encoder_(text);
  const int flags =
      O_WRONLY | O_CREAT | O_CLOEXEC | (mode == OpenMode::Output ? O_TRUNC : O_APPEND);
  const int fd = ::open(posixPath_.c_str(), flags, 0666);
  if (fd < 0) fail(L"Opening", slashed_);
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      errno = error;
      fail(L"Writing", slashed_);
    }
    done += static_cast<std::size_t>(written);
  }
  if (::close(fd) != 0) fail(L"Closing", slashed_);
}

void PosixFiles::replace(const std::wstring& from, const std::wstring& to) {
  const std::string source = posixPath(from);
  // On disk before it takes the old report's name, lest a crash leave an empty report.
  const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 || ::fsync(fd) != 0) {
    const int error = errno;
    if (fd >= 0) ::close(fd);
    errno = error;
    fail(L"Writing", slashed_);
  }
  ::close(fd);
  const std::string target = posixPath(to);
  if ((::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) ||
      ::rename(source.c_str(), target.c_str()) != 0) {
    fail(L"Replacing", slashed_);
  }
}

void PosixFiles::remove(const std::wstring& path) { ::unlink(posixPath(path).c_str()); }

}  // namespace brask
