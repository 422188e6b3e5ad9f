// The files a run writes: the report and the bookmark, each replaced whole (written aside
// through one handle, flushed, then put in place with the old file's owner and access), under
// a lock that keeps two runs from mixing; and spools, in which parts of the report read ahead
// of their turn wait without being held in memory. Every failure is a RunTimeError naming
// the file.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brask {

// How a file's text is written.
enum class Encoding {
  SystemCodePage,  // the report: the system's 8-bit code page, '?' for what it cannot represent
  Utf8,            // the bookmark
};

// Text written through one open file.
class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void write(std::wstring_view text) = 0;
};

// A new file written aside, exclusively made in its target's folder, to take the target's
// place. Destroyed before commit(), it is removed and the target stays as it was.
class Replacement : public TextSink {
 public:
  // Bytes already in the file's encoding (a spool's), written as they are.
  virtual void writeBytes(std::string_view bytes) = 0;
  // Flushes the file to disk and puts it in place of the target in one step, with the old
  // target's owner, group and access (Windows: its ACL, attributes and streams); then the
  // folder is flushed. A read-only target is not replaced.
  virtual void commit() = 0;
};

// Text set aside in the report's encoding, in a temporary file that no name reaches and
// that goes with the spool.
class Spool : public TextSink {
 public:
  // Writes everything spooled so far into the replacement, from the start.
  virtual void copyTo(Replacement& target) = 0;
};

// Held by one run at a time; let go when destroyed.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

class FileApi {
 public:
  virtual ~FileApi() = default;
  // Waits until no other run holds the lock of the file at path, then holds it. No file is
  // made for it.
  virtual std::unique_ptr<FileLock> lock(const std::wstring& path) = 0;
  // A replacement for the file at path, which must be absent, a regular file, or a symbolic
  // link to one (whose target is replaced, the link staying); anything else (a device, a FIFO,
  // a socket, a folder) is refused with a RunTimeError that says what it is, before anything
  // is made. A name planted where the file written aside goes is never written through,
  // followed or removed.
  virtual std::unique_ptr<Replacement> replace(const std::wstring& path, Encoding encoding) = 0;
  // A spool for a part of the report at path, made in its folder (else among temporary files).
  virtual std::unique_ptr<Spool> spool(const std::wstring& beside) = 0;
  // The text of the UTF-8 file at path, or a link to one; nothing where no file is there.
  // Anything but a regular file is refused, without waiting on it.
  virtual std::optional<std::wstring> readText(const std::wstring& path) = 0;
};

}  // namespace brask
