#include "platform/win32/files/file_target.h"

#include <windows.h>

#include <cwctype>
#include <optional>
#include <string_view>

#include "platform/win32/module_function.h"
#include "platform/win32/files/file_handle.h"
#include "platform/win32/system_error.h"

namespace brask {
namespace {

// The run-time error of a path that names no file to replace or read.
constexpr long kFileAccessError = 75;

bool startsWith(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::towlower(text[i]) != std::towlower(prefix[i])) return false;
  }
  return true;
}

[[noreturn]] void refuse(const std::wstring& action, const std::wstring& given, const wchar_t* kind) {
  throw RunTimeError(action + L" \"" + given + L"\"", kFileAccessError,
                     L"\"" + given + L"\" is " + kind + L", not a file");
}

// A share's path, SERVER\SHARE\...: a pipe where the share is "pipe".
const wchar_t* shareKind(std::wstring_view share) {
  const std::size_t slash = share.find(L'\\');
  if (slash == std::wstring_view::npos) return nullptr;
  return startsWith(share.substr(slash + 1), L"pipe\\") ? L"a pipe" : nullptr;
}

// What a full path names by its form alone, before anything is opened: a pipe (\\.\pipe\,
// \\SERVER\pipe\), whose server would see a client connect; a device, any other name in the
// \\.\ namespace (NUL, CON and COM1 anywhere become \\.\NUL, \\.\CON, \\.\COM1); nothing
// said yet of the rest.
const wchar_t* kindByName(std::wstring_view path) {
  const bool devices = startsWith(path, L"\\\\.\\");
  if (devices || startsWith(path, L"\\\\?\\")) {
    const std::wstring_view rest = path.substr(4);
    if (startsWith(rest, L"pipe\\")) return L"a pipe";
    if (startsWith(rest, L"UNC\\")) return shareKind(rest.substr(4));
    const bool drive = rest.size() >= 3 && rest[1] == L':' && rest[2] == L'\\';
    return devices && !drive ? L"a device" : nullptr;
  }
  return startsWith(path, L"\\\\") ? shareKind(path.substr(2)) : nullptr;
}

// The path of the file open through the handle, links followed, through
// GetFinalPathNameByHandleW (Vista and later; Windows XP has no links to files). Written
// without its "\\?\" prefix where the path is short enough to go without it.
std::optional<std::wstring> finalPath(HANDLE file) {
  using GetFinalPath = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
  const auto getFinalPath =
      moduleFunction<GetFinalPath>(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW");
  if (!getFinalPath) return std::nullopt;
  const DWORD size = getFinalPath(file, nullptr, 0, 0);
  if (size == 0) return std::nullopt;
  std::wstring path(size, L'\0');
  const DWORD length = getFinalPath(file, path.data(), size, 0);
  if (length == 0 || length >= size) return std::nullopt;
  path.resize(length);
  std::wstring plain = path;
  if (startsWith(path, L"\\\\?\\UNC\\")) {
    plain = L"\\" + path.substr(7);
  } else if (startsWith(path, L"\\\\?\\") && path.size() > 6 && path[5] == L':') {
    plain = path.substr(4);
  }
  return plain.size() < MAX_PATH ? plain : path;
}

}  // namespace

std::wstring fullPath(const std::wstring& path, const std::wstring& action) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) {
    const DWORD error = GetLastError();
    throw systemError(action + L" \"" + path + L"\"", error);
  }
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) {
    const DWORD error = GetLastError();
    throw systemError(action + L" \"" + path + L"\"", error);
  }
  full.resize(length);
  return full;
}

FileTarget fileTarget(const std::wstring& given, const std::wstring& action) {
  const std::wstring path = fullPath(given, action);
  if (const wchar_t* kind = kindByName(path)) refuse(action, given, kind);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {path, false};
    // Some devices have no attributes to read: opened below, they say what they are.
  } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    // A link to a folder among them.
    refuse(action, given, L"a folder");
  }
  // Opened through any link for nothing but what it is: with no access asked, a device is
  // not used, and nobody's sharing is in the way.
  const FileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    const bool link = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (link && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) {
      refuse(action, given, L"a link to nothing");
    }
    throw systemError(action + L" \"" + given + L"\"", error);
  }
  switch (GetFileType(file.get())) {
    case FILE_TYPE_DISK:
      break;
    case FILE_TYPE_CHAR:
      refuse(action, given, L"a device");
    case FILE_TYPE_PIPE:
      refuse(action, given, L"a pipe");
    default:
      refuse(action, given, L"not a regular file");
  }
  BY_HANDLE_FILE_INFORMATION information;
  if (GetFileInformationByHandle(file.get(), &information) &&
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    refuse(action, given, L"a folder");
  }
  return {finalPath(file.get()).value_or(path), true};
}

}  // namespace brask
