#include "platform/win32/system/ansi_file.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <utility>

#include "platform/win32/module_function.h"
#include "platform/win32/system_error.h"

namespace brask {
namespace {

// The run-time error of a file that is not one to replace or read.
constexpr long kFileAccessError = 75;
// Bytes gathered before they are written.
constexpr std::size_t kBuffer = 64 * 1024;

// Closes the handle however the work ends.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  // Closes it now, so that a failing close can be reported.
  bool close() { return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

 private:
  HANDLE handle_;
};

[[noreturn]] void fail(const std::wstring& action, const std::wstring& path) {
  const DWORD error = GetLastError();
  throw systemError(action + L" \"" + path + L"\"", error);
}

std::wstring fullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) fail(L"Writing", path);
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) fail(L"Writing", path);
  full.resize(length);
  return full;
}

std::wstring folderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// The path a link's target has, through GetFinalPathNameByHandleW (Vista and later; XP has
// no links to files). Its "\\?\" prefix stays: every call here takes it.
std::wstring finalPath(HANDLE file, const std::wstring& path) {
  using GetFinalPath = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
  const auto getFinalPath =
      moduleFunction<GetFinalPath>(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW");
  if (!getFinalPath) return path;
  const DWORD size = getFinalPath(file, nullptr, 0, 0);
  if (size == 0) return path;
  std::wstring final(size, L'\0');
  const DWORD length = getFinalPath(file, final.data(), size, 0);
  if (length == 0 || length >= size) return path;
  final.resize(length);
  return final;
}

[[noreturn]] void refuse(const std::wstring& given, const wchar_t* kind) {
  throw RunTimeError(L"Writing \"" + given + L"\"", kFileAccessError,
                     L"\"" + given + L"\" is " + kind + L", not a file");
}

// The file a path names, through any link, and whether it is there.
struct Target {
  std::wstring path;
  bool exists = false;
};

Target targetOf(const std::wstring& given) {
  const std::wstring path = fullPath(given);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {path, false};
    // A device (NUL, CON, COM1) has no attributes to read on some systems: it is opened below.
    if (error != ERROR_INVALID_PARAMETER && error != ERROR_INVALID_NAME && error != ERROR_ACCESS_DENIED &&
        error != ERROR_SHARING_VIOLATION) {
      throw systemError(L"Writing \"" + given + L"\"", error);
    }
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) refuse(given, L"a folder");
  // Opened for nothing but what it is: a link is followed to its target.
  const FileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    // A link to nothing: the file it names is made.
    if (error == ERROR_FILE_NOT_FOUND && attributes != INVALID_FILE_ATTRIBUTES) return {path, false};
    throw systemError(L"Writing \"" + given + L"\"", error);
  }
  switch (GetFileType(file.get())) {
    case FILE_TYPE_CHAR:
      refuse(given, L"a device");
    case FILE_TYPE_PIPE:
      refuse(given, L"a pipe");
    case FILE_TYPE_DISK:
      break;
    default:
      refuse(given, L"not a regular file");
  }
  BY_HANDLE_FILE_INFORMATION information;
  if (GetFileInformationByHandle(file.get(), &information) &&
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    refuse(given, L"a folder");
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return {finalPath(file.get(), path), true};
  return {path, true};
}

// A name beside the target that no other run, nor this one, chooses.
std::wstring uniqueName(const std::wstring& target) {
  static LONG counter = 0;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  wchar_t suffix[64];
  std::swprintf(suffix, 64, L".%08lx%08lx%04lx.new", GetCurrentProcessId(),
                static_cast<unsigned long>(now.QuadPart), static_cast<unsigned long>(InterlockedIncrement(&counter)));
  return target + suffix;
}

// Bytes written through one handle, gathered first.
class Writer {
 public:
  Writer(HANDLE handle, std::wstring path) : file_(handle), path_(std::move(path)) {}

  HANDLE handle() const { return file_.get(); }
  const std::wstring& path() const { return path_; }

  void write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBuffer) flush();
    if (bytes.size() >= kBuffer) {
      writeAll(bytes);
    } else {
      buffer_ += bytes;
    }
  }
  void flush() {
    writeAll(buffer_);
    buffer_.clear();
  }
  void close() {
    flush();
    if (!file_.close()) fail(L"Closing", path_);
  }

 private:
  void writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr)) fail(L"Writing", path_);
      bytes.remove_prefix(written);
    }
  }

  FileHandle file_;
  std::wstring path_;
  std::string buffer_;
};

class AnsiReplacement final : public Replacement {
 public:
  AnsiReplacement(Target target, HANDLE handle, std::wstring aside, UINT codePage)
      : target_(std::move(target)), file_(handle, std::move(aside)), codePage_(codePage) {}
  ~AnsiReplacement() override {
    if (committed_) return;
    if (file_.handle() != INVALID_HANDLE_VALUE) CloseHandle(file_.handle());
    DeleteFileW(file_.path().c_str());
  }
  AnsiReplacement(const AnsiReplacement&) = delete;
  AnsiReplacement& operator=(const AnsiReplacement&) = delete;

  void write(std::wstring_view text) override { file_.write(toCodePage(text, codePage_)); }
  void writeBytes(std::string_view bytes) override { file_.write(bytes); }

  void commit() override {
    file_.flush();
    // On disk before it takes the old file's name, lest a crash leave an empty file.
    if (!FlushFileBuffers(file_.handle())) fail(L"Writing", file_.path());
    file_.close();
    const std::wstring& aside = file_.path();
    const bool moved =
        target_.exists
            ? ReplaceFileW(target_.path.c_str(), aside.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr,
                           nullptr) != 0
            : MoveFileExW(aside.c_str(), target_.path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    if (!moved) {
      const DWORD error = GetLastError();
      DeleteFileW(aside.c_str());
      committed_ = true;
      throw systemError(L"Replacing \"" + target_.path + L"\"", error);
    }
    committed_ = true;
  }

 private:
  Target target_;
  Writer file_;
  UINT codePage_;
  bool committed_ = false;
};

class AnsiSpool final : public Spool {
 public:
  AnsiSpool(HANDLE handle, std::wstring path) : file_(handle, std::move(path)) {}
  ~AnsiSpool() override { CloseHandle(file_.handle()); }
  AnsiSpool(const AnsiSpool&) = delete;
  AnsiSpool& operator=(const AnsiSpool&) = delete;

  void write(std::wstring_view text) override { file_.write(toAnsiCodePage(text)); }

  void copyTo(Replacement& target) override {
    file_.flush();
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file_.handle(), start, nullptr, FILE_BEGIN)) fail(L"Reading", file_.path());
    std::string chunk(kBuffer, '\0');
    for (;;) {
      DWORD read = 0;
      if (!ReadFile(file_.handle(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr))
        fail(L"Reading", file_.path());
      if (read == 0) break;
      target.writeBytes(std::string_view(chunk.data(), read));
    }
    LARGE_INTEGER end{};
    SetFilePointerEx(file_.handle(), end, nullptr, FILE_END);
  }

 private:
  Writer file_;
};

class MutexLock final : public FileLock {
 public:
  explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
  ~MutexLock() override {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

}  // namespace

std::string toCodePage(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  if (text.size() > INT_MAX)
    throw RunTimeError(L"Converting the report text", kOutOfMemory, L"Out of memory");
  const int length = static_cast<int>(text.size());
  // UTF-8, which current Windows can make the ANSI one, takes no default character; it
  // represents every character anyway.
  const bool utf8 = codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8);
  const char* defaultChar = utf8 ? nullptr : "?";
  const int size = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, defaultChar, nullptr);
  if (size == 0) {
    const DWORD error = GetLastError();
    throw systemError(L"Converting the report text", error);
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), size, defaultChar, nullptr) == 0) {
    const DWORD error = GetLastError();
    throw systemError(L"Converting the report text", error);
  }
  return bytes;
}

std::string toAnsiCodePage(std::wstring_view text) { return toCodePage(text, CP_ACP); }

std::unique_ptr<FileLock> AnsiFile::lock(const std::wstring& path) {
  // One name for one file, however it is spelled: its full path in upper case, without the
  // backslashes that a kernel object's name reserves.
  std::wstring name = L"Global\\brask-report-" + fullPath(path);
  for (std::size_t i = 20; i < name.size(); ++i) {
    if (name[i] == L'\\') name[i] = L'/';
  }
  CharUpperBuffW(name.data() + 20, static_cast<DWORD>(name.size() - 20));
  if (name.size() >= MAX_PATH) name.resize(MAX_PATH - 1);
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (!mutex) fail(L"Writing", path);
  // A run that ended without letting go (WAIT_ABANDONED) leaves nothing to wait for.
  if (WaitForSingleObject(mutex, INFINITE) == WAIT_FAILED) {
    const DWORD error = GetLastError();
    CloseHandle(mutex);
    throw systemError(L"Writing \"" + path + L"\"", error);
  }
  return std::make_unique<MutexLock>(mutex);
}

std::unique_ptr<Replacement> AnsiFile::replace(const std::wstring& path, Encoding encoding) {
  Target target = targetOf(path);
  for (;;) {
    std::wstring aside = uniqueName(target.path);
    // CREATE_NEW refuses any name that is there, a planted link among them.
    const HANDLE handle = CreateFileW(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      return std::make_unique<AnsiReplacement>(std::move(target), handle, std::move(aside),
                                               encoding == Encoding::Utf8 ? CP_UTF8 : CP_ACP);
    }
    if (GetLastError() != ERROR_FILE_EXISTS) fail(L"Creating", aside);
  }
}

std::unique_ptr<Spool> AnsiFile::spool(const std::wstring& beside) {
  std::wstring folder = folderOf(fullPath(beside));
  for (int tries = 0;; ++tries) {
    const std::wstring path = uniqueName(folder + L"\\brask-spool");
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return std::make_unique<AnsiSpool>(handle, path);
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS) continue;
    // A folder this program may not write spools in: the user's temporary folder.
    wchar_t temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    if (tries > 0 || length == 0 || length > MAX_PATH) throw systemError(L"Spooling \"" + path + L"\"", error);
    folder.assign(temporary, length - 1);
  }
}

std::optional<std::wstring> AnsiFile::readText(const std::wstring& path) {
  const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return std::nullopt;
    throw systemError(L"Reading \"" + path + L"\"", error);
  }
  if (GetFileType(file.get()) != FILE_TYPE_DISK) {
    throw RunTimeError(L"Reading \"" + path + L"\"", kFileAccessError, L"It is not a file");
  }
  std::string bytes;
  std::string chunk(kBuffer, '\0');
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) fail(L"Reading", path);
    if (read == 0) break;
    bytes.append(chunk.data(), read);
  }
  if (bytes.empty()) return std::wstring();
  const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

}  // namespace brask
