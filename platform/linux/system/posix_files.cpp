#include "platform/linux/system/posix_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string_view>

#include "platform/gathered_bytes.h"
#include "platform/linux/errno_text.h"
#include "platform/linux/locale/user_locale.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

namespace fs = std::filesystem;

// The run-time error of a file that is not one to replace or read.
constexpr long kFileAccessError = 75;

std::wstring wide(const std::string& path) { return WideDecoder("UTF-8")(path); }

[[noreturn]] void fail(const std::wstring& action, const std::string& path, int error) {
  throw RunTimeError(action + L" \"" + wide(path) + L"\"", error, errnoText(error));
}

// The path with slashes, in bytes.
std::string posixPath(const std::wstring& path) {
  std::wstring slashed = path;
  for (wchar_t& c : slashed) {
    if (c == L'\\') c = L'/';
  }
  return WideEncoder("UTF-8")(slashed);
}

const wchar_t* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return L"a folder";
  if (S_ISCHR(mode)) return L"a character device";
  if (S_ISBLK(mode)) return L"a block device";
  if (S_ISFIFO(mode)) return L"a FIFO";
  if (S_ISSOCK(mode)) return L"a socket";
  return L"not a regular file";
}

// The file a path names, through any symbolic links, and its status when it is there.
struct Target {
  std::string path;
  std::optional<struct stat> status;
};

Target targetOf(const std::string& given, const std::wstring& action) {
  std::string path = given;
  for (int links = 0;; ++links) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
      if (errno == ENOENT) return {path, std::nullopt};
      fail(action, path, errno);
    }
    if (!S_ISLNK(status.st_mode)) {
      if (!S_ISREG(status.st_mode)) {
        throw RunTimeError(action + L" \"" + wide(given) + L"\"", kFileAccessError,
                           L"\"" + wide(path) + L"\" is " + kindOf(status.st_mode) +
                               L", not a file");
      }
      return {path, status};
    }
    if (links == 40) fail(action, given, ELOOP);
    std::string named(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 4096) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), named.data(), named.size());
    if (length < 0) fail(action, path, errno);
    named.resize(static_cast<std::size_t>(length));
    path = named.starts_with('/') ? named : (fs::path(path).parent_path() / named).string();
  }
}

std::string folderOf(const std::string& path) {
  const std::string folder = fs::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

// A name for a new file beside the target that no other run, nor this one, chooses.
std::string uniqueName(const std::string& target) {
  unsigned char random[8];
  if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
    const auto now = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (std::size_t i = 0; i < sizeof random; ++i) random[i] = static_cast<unsigned char>(now >> (i * 8));
  }
  char hex[2 * sizeof random + 1];
  for (std::size_t i = 0; i < sizeof random; ++i) std::snprintf(hex + 2 * i, 3, "%02x", random[i]);
  const fs::path path(target);
  std::string name(1, '.');
  name.append(path.filename().string()).append(1, '.').append(hex).append(".new");
  return (path.parent_path() / name).string();
}

// Bytes written through one descriptor, gathered first.
class Descriptor {
 public:
  Descriptor(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }

  int fd() const { return fd_; }
  const std::string& path() const { return path_; }

  void write(std::string_view bytes) { gathered_.write(bytes); }
  void flush() { gathered_.flush(); }
  void close() {
    flush();
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) fail(L"Closing", path_, errno);
  }

 private:
  void writeAll(std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (written < 0) {
        if (errno == EINTR) continue;
        fail(L"Writing", path_, errno);
      }
      done += static_cast<std::size_t>(written);
    }
  }

  int fd_;
  std::string path_;
  GatheredBytes gathered_{[this](std::string_view bytes) { writeAll(bytes); }};
};

// Hands the file's bytes from its start to `take`, a block at a time.
void readWhole(const Descriptor& file, const std::function<void(std::string_view)>& take) {
  char chunk[GatheredBytes::kBlock];
  for (off_t offset = 0;;) {
    const ssize_t read = ::pread(file.fd(), chunk, sizeof chunk, offset);
    if (read < 0) {
      if (errno == EINTR) continue;
      fail(L"Reading", file.path(), errno);
    }
    if (read == 0) return;
    take(std::string_view(chunk, static_cast<std::size_t>(read)));
    offset += read;
  }
}

class PosixReplacement final : public Replacement {
 public:
  PosixReplacement(Target target, int fd, std::string aside, const std::string& codeset)
      : target_(std::move(target)), file_(fd, std::move(aside)), encoder_(codeset) {}
  ~PosixReplacement() override {
    if (!committed_) ::unlink(file_.path().c_str());
  }

  void write(std::wstring_view text) override { file_.write(encoder_(text)); }
  void writeBytes(std::string_view bytes) override { file_.write(bytes); }

  void commit() override {
    const std::wstring replacing = L"Replacing";
    if (target_.status) {
      // Windows refuses to replace a read-only file, even to an administrator; so does this.
      if (::access(target_.path.c_str(), W_OK) != 0) fail(replacing, target_.path, errno);
      if ((target_.status->st_mode & 0222) == 0) fail(replacing, target_.path, EACCES);
      // Only root may give a file away; anyone else's new file stays theirs.
      if (::fchown(file_.fd(), target_.status->st_uid, target_.status->st_gid) != 0 && errno != EPERM)
        fail(replacing, target_.path, errno);
      if (::fchmod(file_.fd(), target_.status->st_mode & 07777) != 0) fail(replacing, target_.path, errno);
    }
    file_.flush();
    // On disk before it takes the old file's name, lest a crash leave an empty file.
    if (::fsync(file_.fd()) != 0) fail(L"Writing", file_.path(), errno);
    file_.close();
    if (::rename(file_.path().c_str(), target_.path.c_str()) != 0) fail(replacing, target_.path, errno);
    committed_ = true;
    const std::string folder = folderOf(target_.path);
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0) fail(replacing, target_.path, errno);
    const int synced = ::fsync(directory);
    const int error = errno;
    ::close(directory);
    if (synced != 0) fail(replacing, target_.path, error);
  }

 private:
  Target target_;
  Descriptor file_;
  WideEncoder encoder_;
  bool committed_ = false;
};

class PosixSpool final : public Spool {
 public:
  PosixSpool(int fd, const std::string& codeset) : file_(fd, "(a spool)"), encoder_(codeset) {}

  void write(std::wstring_view text) override { file_.write(encoder_(text)); }

  void copyTo(Replacement& target) override {
    file_.flush();
    readWhole(file_, [&target](std::string_view bytes) { target.writeBytes(bytes); });
  }

 private:
  Descriptor file_;
  WideEncoder encoder_;
};

class FolderLock final : public FileLock {
 public:
  explicit FolderLock(int fd) : fd_(fd) {}
  ~FolderLock() override { ::close(fd_); }  // which lets go of the lock

 private:
  int fd_;
};

// One holder of a lock that this process may hold for more than one file of a folder.
class SharedLock final : public FileLock {
 public:
  explicit SharedLock(std::shared_ptr<FileLock> lock) : lock_(std::move(lock)) {}

 private:
  std::shared_ptr<FileLock> lock_;
};

}  // namespace

PosixFiles::PosixFiles() : reportCodeset_(userCodeset()) {}

std::unique_ptr<FileLock> PosixFiles::lock(const std::wstring& path) {
  const std::wstring action = L"Writing";
  const Target target = targetOf(posixPath(path), action);
  const std::string folder = folderOf(target.path);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) fail(action, target.path, errno);
  auto lock = std::make_unique<FolderLock>(fd);
  struct stat status {};
  if (::fstat(fd, &status) != 0) fail(action, target.path, errno);
  // A lock this process holds already is held once more, not waited for.
  const std::lock_guard guard(mutex_);
  std::weak_ptr<FileLock>& held = held_[{status.st_dev, status.st_ino}];
  std::shared_ptr<FileLock> shared = held.lock();
  if (!shared) {
    while (::flock(fd, LOCK_EX) != 0) {
      if (errno != EINTR) fail(action, target.path, errno);
    }
    shared = std::move(lock);
    held = shared;
  }
  return std::make_unique<SharedLock>(std::move(shared));
}

std::unique_ptr<Replacement> PosixFiles::replace(const std::wstring& path, Encoding encoding) {
  Target target = targetOf(posixPath(path), L"Writing");
  // A new file takes no access from the old one until it is whole; one with no file to
  // replace takes what the umask leaves.
  const mode_t mode = target.status ? 0600 : 0666;
  for (;;) {
    std::string aside = uniqueName(target.path);
    const int fd = ::open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0) {
      return std::make_unique<PosixReplacement>(std::move(target), fd, std::move(aside),
                                                encoding == Encoding::Utf8 ? "UTF-8" : reportCodeset_);
    }
    // A name taken, by chance or planted, is left as it is.
    if (errno != EEXIST) fail(L"Creating", aside, errno);
  }
}

std::unique_ptr<Spool> PosixFiles::spool(const std::wstring& beside) {
  const std::string folder = folderOf(targetOf(posixPath(beside), L"Spooling beside").path);
  int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    // A file system without unnamed files: an anonymous one among the temporary files.
    std::FILE* file = std::tmpfile();
    if (file == nullptr) fail(L"Spooling beside", folder, errno);
    fd = ::dup(::fileno(file));
    const int error = errno;
    std::fclose(file);
    if (fd < 0) fail(L"Spooling beside", folder, error);
  }
  return std::make_unique<PosixSpool>(fd, reportCodeset_);
}

std::optional<std::wstring> PosixFiles::readText(const std::wstring& path) {
  const std::string file = posixPath(path);
  // Not held up by a FIFO: only a regular file is read.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    fail(L"Reading", file, errno);
  }
  const Descriptor owned(fd, file);
  struct stat status {};
  if (::fstat(fd, &status) != 0) fail(L"Reading", file, errno);
  if (!S_ISREG(status.st_mode)) {
    throw RunTimeError(L"Reading \"" + wide(file) + L"\"", kFileAccessError,
                       L"It is " + std::wstring(kindOf(status.st_mode)) + L", not a file");
  }
  std::string bytes;
  readWhole(owned, [&bytes](std::string_view chunk) { bytes.append(chunk); });
  return WideDecoder("UTF-8")(bytes);
}

}  // namespace brask
