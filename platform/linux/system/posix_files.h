// The report and bookmark files on POSIX. Backslashes in a path become slashes; the report
// is written in the character set of the user's LC_CTYPE locale ('?' for what it cannot
// represent), the bookmark in UTF-8.
// A file is replaced through a new one, made with O_EXCL and O_NOFOLLOW under a name of its
// own in the folder of the file it replaces (the target of a link), written through one
// descriptor, given the old file's owner, group and mode, fsync'ed, renamed into place, and
// its folder fsync'ed. A run's lock is flock() on the folder itself, so that nothing but the
// file is ever left beside it. Spools are unnamed files (O_TMPFILE) in that folder, else in
// the temporary folder. Every failure is a RunTimeError naming the file.
#pragma once

#include <sys/types.h>

#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/file_api.h"
#include "platform/linux/locale/wide_encoder.h"

namespace brask {

class PosixFiles : public FileApi {
 public:
  // Reads the user's LC_CTYPE locale from the environment now.
  PosixFiles();

  // Locks of one folder taken twice by this process are one lock.
  std::unique_ptr<FileLock> lock(const std::wstring& path) override;
  std::unique_ptr<Replacement> replace(const std::wstring& path, Encoding encoding) override;
  std::unique_ptr<Spool> spool(const std::wstring& beside) override;
  std::optional<std::wstring> readText(const std::wstring& path) override;

 private:
  std::string reportCodeset_;
  std::mutex mutex_;
  // The folders this process holds locked, by device and inode.
  std::map<std::pair<dev_t, ino_t>, std::weak_ptr<FileLock>> held_;
};

}  // namespace brask
