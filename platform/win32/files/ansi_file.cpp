#include "platform/win32/files/ansi_file.h"

#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/gathered_bytes.h"
#include "platform/win32/files/code_page_text.h"
#include "platform/win32/files/file_handle.h"
#include "platform/win32/files/file_target.h"
#include "platform/win32/files/named_lock.h"
#include "platform/win32/system_error.h"

namespace brask {
namespace {

// Names drawn for a new file before the folder counts as full of others' names.
constexpr int kNameTries = 100;

std::wstring folderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// A new file made exclusively under the names that `name` draws: CREATE_NEW refuses any name
// that is there, and with FILE_FLAG_OPEN_REPARSE_POINT a link planted there is not followed
// either; such a name is passed over and left as it is. The handle, and the name it got; the
// system's error for `action` on `given` where no file can be made.
std::pair<HANDLE, std::wstring> createNew(const std::function<std::wstring()>& name, DWORD access, DWORD flags,
                                          const std::wstring& action, const std::wstring& given) {
  DWORD error = ERROR_FILE_EXISTS;
  for (int tries = 0; tries < kNameTries; ++tries) {
    std::wstring path = name();
    const HANDLE handle = CreateFileW(path.c_str(), access, 0, nullptr, CREATE_NEW,
                                      flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return {handle, std::move(path)};
    error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  throw systemError(action + L" \"" + given + L"\"", error);
}

// The bytes from the handle's position to its end, handed to `take` a block at a time; the
// system's error for reading `path` where a read fails.
void readBlocks(HANDLE file, const std::wstring& path, const std::function<void(std::string_view)>& take) {
  std::string block(GatheredBytes::kBlock, '\0');
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &read, nullptr)) {
      const DWORD error = GetLastError();
      throw systemError(L"Reading \"" + path + L"\"", error);
    }
    if (read == 0) return;
    take(std::string_view(block.data(), read));
  }
}

// Bytes written through one handle, gathered first.
class Writer {
 public:
  Writer(HANDLE handle, std::wstring path) : file_(handle), path_(std::move(path)) {}

  HANDLE handle() const { return file_.get(); }
  const std::wstring& path() const { return path_; }

  void write(std::string_view bytes) { gathered_.write(bytes); }
  void flush() { gathered_.flush(); }
  // Written out, flushed to the disk, closed.
  void finish() {
    flush();
    if (!FlushFileBuffers(file_.get())) fail();
    if (!file_.close()) fail();
  }
  // Closed as it is, whatever was not written.
  void abandon() {
    if (file_.valid()) file_.close();
  }

 private:
  [[noreturn]] void fail() {
    const DWORD error = GetLastError();
    throw systemError(L"Writing \"" + path_ + L"\"", error);
  }

  void writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr)) fail();
      bytes.remove_prefix(written);
    }
  }

  FileHandle file_;
  std::wstring path_;
  GatheredBytes gathered_{[this](std::string_view bytes) { writeAll(bytes); }};
};

class AnsiReplacement final : public Replacement {
 public:
  AnsiReplacement(std::wstring given, FileTarget target, std::pair<HANDLE, std::wstring> aside, UINT codePage)
      : given_(std::move(given)), target_(std::move(target)), file_(aside.first, std::move(aside.second)),
        codePage_(codePage) {}
  AnsiReplacement(const AnsiReplacement&) = delete;
  AnsiReplacement& operator=(const AnsiReplacement&) = delete;
  ~AnsiReplacement() override {
    if (committed_) return;
    // Only the file this run made goes: its name was free when it was made.
    file_.abandon();
    DeleteFileW(file_.path().c_str());
  }

  void write(std::wstring_view text) override { file_.write(toCodePage(text, codePage_)); }
  void writeBytes(std::string_view bytes) override { file_.write(bytes); }

  void commit() override {
    // On disk before it takes the old file's name, lest a crash leave an empty report.
    file_.finish();
    if (!putInPlace()) {
      const DWORD error = GetLastError();
      throw systemError(L"Replacing \"" + given_ + L"\"", error);
    }
    committed_ = true;
  }

 private:
  bool putInPlace() {
    const std::wstring& aside = file_.path();
    if (target_.exists) {
      if (ReplaceFileW(target_.path.c_str(), aside.c_str(), nullptr, 0, nullptr, nullptr)) return true;
      // Deleted since the run looked: the new report goes in as the first one.
      if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    }
    // Never over a file that came meanwhile: no MOVEFILE_REPLACE_EXISTING.
    return MoveFileExW(aside.c_str(), target_.path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  }

  std::wstring given_;
  FileTarget target_;
  Writer file_;
  UINT codePage_;
  bool committed_ = false;
};

class AnsiSpool final : public Spool {
 public:
  explicit AnsiSpool(std::pair<HANDLE, std::wstring> file) : file_(file.first, std::move(file.second)) {}

  void write(std::wstring_view text) override { file_.write(toCodePage(text, CP_ACP)); }

  void copyTo(Replacement& target) override {
    file_.flush();
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file_.handle(), start, nullptr, FILE_BEGIN)) {
      const DWORD error = GetLastError();
      throw systemError(L"Reading \"" + file_.path() + L"\"", error);
    }
    readBlocks(file_.handle(), file_.path(), [&target](std::string_view bytes) { target.writeBytes(bytes); });
  }

 private:
  Writer file_;  // its file deleted as it closes
};

}  // namespace

std::wstring randomNamePart() {
  GUID guid{};
  if (FAILED(CoCreateGuid(&guid))) {
    throw RunTimeError(L"Naming a new file", kInternalError, L"No GUID could be made");
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(&guid);
  std::wstring part;
  for (std::size_t i = 0; i < sizeof guid; ++i) {
    part += L"0123456789abcdef"[bytes[i] >> 4];
    part += L"0123456789abcdef"[bytes[i] & 15];
  }
  return part;
}

std::unique_ptr<FileLock> AnsiFile::lock(const std::wstring& path) {
  // One lock for one file, however the path reaches it.
  return lockNamed(fileTarget(path, L"Writing").path, path);
}

std::unique_ptr<Replacement> AnsiFile::replace(const std::wstring& path, Encoding encoding) {
  FileTarget target = fileTarget(path, L"Writing");
  auto aside = createNew([&] { return target.path + L"." + namePart_() + L".new"; }, GENERIC_WRITE,
                         FILE_ATTRIBUTE_NORMAL, L"Writing", path);
  return std::make_unique<AnsiReplacement>(path, std::move(target), std::move(aside),
                                           encoding == Encoding::Utf8 ? CP_UTF8 : CP_ACP);
}

std::unique_ptr<Spool> AnsiFile::spool(const std::wstring& beside) {
  const std::wstring folder = folderOf(fullPath(beside, L"Spooling"));
  const DWORD flags = FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE;
  const auto named = [this](const std::wstring& in) {
    return [this, in] { return in + L"\\brask-spool." + namePart_() + L".tmp"; };
  };
  try {
    return std::make_unique<AnsiSpool>(createNew(named(folder), GENERIC_READ | GENERIC_WRITE, flags, L"Spooling", beside));
  } catch (const RunTimeError&) {
    // A folder this program may not write spools in: the user's temporary folder.
    wchar_t temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    if (length == 0 || length > MAX_PATH) throw;
    const std::wstring other(temporary, length - 1);
    return std::make_unique<AnsiSpool>(createNew(named(other), GENERIC_READ | GENERIC_WRITE, flags, L"Spooling", other));
  }
}

std::optional<std::wstring> AnsiFile::readText(const std::wstring& path) {
  const FileTarget target = fileTarget(path, L"Reading");
  if (!target.exists) return std::nullopt;
  const FileHandle file(CreateFileW(target.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return std::nullopt;
    throw systemError(L"Reading \"" + path + L"\"", error);
  }
  std::string bytes;
  readBlocks(file.get(), path, [&bytes](std::string_view block) { bytes += block; });
  return fromCodePage(bytes, CP_UTF8);
}

}  // namespace brask
