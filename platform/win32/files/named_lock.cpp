#include "platform/win32/files/named_lock.h"

#include <windows.h>

#include <aclapi.h>

#include <vector>

#include "platform/win32/system_error.h"

namespace brask {
namespace {

constexpr wchar_t kPrefix[] = L"Global\\brask-report-";

class MutexLock final : public FileLock {
 public:
  explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;
  ~MutexLock() override {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

// A security identifier as the system gives it, in a buffer of its own.
using Sid = std::vector<BYTE>;

Sid wellKnownSid(WELL_KNOWN_SID_TYPE type) {
  Sid sid(SECURITY_MAX_SID_SIZE);
  DWORD size = static_cast<DWORD>(sid.size());
  if (!CreateWellKnownSid(type, nullptr, sid.data(), &size)) return {};
  return sid;
}

// A SID of this process's token: its user (TokenUser), or the owner it gives what it makes
// (TokenOwner).
Sid tokenSid(TOKEN_INFORMATION_CLASS kind) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  GetTokenInformation(token, kind, nullptr, 0, &size);
  std::vector<BYTE> information(size);
  Sid sid;
  if (size > 0 && GetTokenInformation(token, kind, information.data(), size, &size)) {
    // TOKEN_USER and TOKEN_OWNER both begin with the SID's address.
    const PSID found = kind == TokenUser ? reinterpret_cast<TOKEN_USER*>(information.data())->User.Sid
                                         : reinterpret_cast<TOKEN_OWNER*>(information.data())->Owner;
    const BYTE* bytes = static_cast<const BYTE*>(found);
    sid.assign(bytes, bytes + GetLengthSid(found));
  }
  CloseHandle(token);
  return sid;
}

// Whether the mutex is one that a run of brask made: its owner is this process's user or
// token owner, SYSTEM, or the Administrators (an elevated run's owner). A kernel object
// without an owner is nobody else's either.
bool madeByARun(HANDLE mutex) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(mutex, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                      nullptr, &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  bool trusted = owner == nullptr;
  for (const Sid& sid : {tokenSid(TokenUser), tokenSid(TokenOwner), wellKnownSid(WinLocalSystemSid),
                         wellKnownSid(WinBuiltinAdministratorsSid)}) {
    if (!sid.empty() && owner && EqualSid(owner, const_cast<BYTE*>(sid.data()))) trusted = true;
  }
  LocalFree(descriptor);
  return trusted;
}

[[noreturn]] void refuseTaken(const std::wstring& given, const std::wstring& name) {
  throw RunTimeError(L"Writing \"" + given + L"\"", ERROR_ACCESS_DENIED,
                     L"Another user's program has taken the name of its lock, " + name);
}

}  // namespace

std::wstring lockName(const std::wstring& path) {
  std::wstring name = path;
  if (name.starts_with(L"\\\\?\\UNC\\")) {
    name.erase(2, 6);
  } else if (name.starts_with(L"\\\\?\\")) {
    name.erase(0, 4);
  }
  for (wchar_t& c : name) {
    if (c == L'\\') c = L'/';
  }
  if (!name.empty()) CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
  // Two long paths that end alike share a lock: one run waits for the other, no more.
  const std::size_t room = MAX_PATH - 1 - (std::size(kPrefix) - 1);
  if (name.size() > room) name.erase(0, name.size() - room);
  return kPrefix + name;
}

std::unique_ptr<FileLock> lockNamed(const std::wstring& path, const std::wstring& given) {
  const std::wstring name = lockName(path);
  const std::wstring action = L"Writing \"" + given + L"\"";
  HANDLE mutex = nullptr;
  bool made = false;
  for (int tries = 0;; ++tries) {
    // Opened asking for no more than a run needs (to wait, to let go, to see the owner): the
    // mutex of a run under SYSTEM, a scheduled task's, gives the Administrators no more.
    mutex = OpenMutexW(SYNCHRONIZE | READ_CONTROL, FALSE, name.c_str());
    if (mutex) break;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) {
      mutex = CreateMutexW(nullptr, FALSE, name.c_str());
      if (mutex) {
        made = GetLastError() != ERROR_ALREADY_EXISTS;
        break;
      }
      error = GetLastError();
      // Made meanwhile, by a run whose mutex this one may only open as above: once more.
      if (error == ERROR_ACCESS_DENIED && tries == 0) continue;
    }
    // Closed to this user, or a kernel object of another kind under the name.
    if (error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_HANDLE) refuseTaken(given, name);
    throw systemError(action, error);
  }
  if (!made && !madeByARun(mutex)) {
    CloseHandle(mutex);
    refuseTaken(given, name);
  }
  // A run that ended without letting go (WAIT_ABANDONED) leaves nothing to wait for.
  if (WaitForSingleObject(mutex, INFINITE) == WAIT_FAILED) {
    const DWORD error = GetLastError();
    CloseHandle(mutex);
    throw systemError(action, error);
  }
  return std::make_unique<MutexLock>(mutex);
}

}  // namespace brask
