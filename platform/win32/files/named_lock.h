// A run's lock of a file: a named mutex in the Global namespace, so that runs in every session
// (a user's, a scheduled task's in session 0) meet on it, named after the file's full path.
// No file is made for it, and it goes with the last process that holds it open.
#pragma once

#include <memory>
#include <string>

#include "platform/file_api.h"

namespace brask {

// Waits until no other run holds the lock of the file at `path` (its full path, through any
// links), then holds it; `given`, the path as the run was given it, names it in errors. A
// mutex of that name that another user made (anyone but this user, SYSTEM or the
// Administrators, under whom brask's runs go) is not waited on: the run is refused with a
// RunTimeError, as it is where that user's mutex cannot be opened.
std::unique_ptr<FileLock> lockNamed(const std::wstring& path, const std::wstring& given);

// The mutex's name for the file at `path`: "Global\brask-report-" and the path in upper case,
// its backslashes (which a kernel object's name keeps for itself) as slashes, without a
// "\\?\" prefix; of a path too long for a name, its end.
std::wstring lockName(const std::wstring& path);

}  // namespace brask
