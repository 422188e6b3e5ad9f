#include "platform/linux/journal/journal_field_count.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace brask {
namespace {

// Where the journal file format keeps what is counted: in the header, and in the objects
// that the field hash table leads to. Every number is little endian.
constexpr char kSignature[] = "LPKSHHRH";
constexpr std::size_t kHeaderRead = 160;  // up to the entry count
constexpr std::size_t kFieldTableOffset = 120;
constexpr std::size_t kFieldTableSize = 128;
constexpr std::size_t kObjectCount = 144;
constexpr std::size_t kEntryCount = 152;
// An object: its type, its size; a field object: the next of its hash chain, its first
// value, its name; a value (data) object: the next of its field, its entry count.
constexpr std::uint8_t kDataObject = 1;
constexpr std::uint8_t kFieldObject = 2;
constexpr std::size_t kObjectSize = 8;
constexpr std::size_t kNextInChain = 24;
constexpr std::size_t kFirstValue = 32;
constexpr std::size_t kFieldName = 40;
constexpr std::size_t kNextValue = 32;
constexpr std::size_t kValueEntries = 56;
constexpr std::size_t kHashItem = 16;  // the head and tail of a chain
constexpr std::uint64_t kSmallestObject = 16;

std::uint64_t le64(const unsigned char* bytes) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

// The file's bytes, each read checked against its size and the objects' alignment.
class FileBytes {
 public:
  explicit FileBytes(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat status {};
    if (fd_ >= 0 && fstat(fd_, &status) == 0) size_ = static_cast<std::uint64_t>(status.st_size);
  }
  ~FileBytes() {
    if (fd_ >= 0) close(fd_);
  }
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  std::uint64_t size() const { return size_; }
  bool read(std::uint64_t offset, unsigned char* into, std::size_t count) const {
    if (offset % 8 != 0 || offset > size_ || count > size_ - offset) return false;
    return pread(fd_, into, count, static_cast<off_t>(offset)) == static_cast<ssize_t>(count);
  }
  // An object of the type at the offset: its first `count` bytes.
  bool object(std::uint64_t offset, std::uint8_t type, unsigned char* into, std::size_t count) const {
    return offset != 0 && read(offset, into, count) && into[0] == type && le64(into + kObjectSize) >= count;
  }

 private:
  int fd_;
  std::uint64_t size_ = 0;
};

}  // namespace

std::optional<std::uint64_t> entriesWithout(const std::string& path, std::string_view field) {
  const FileBytes file(path);
  unsigned char header[kHeaderRead];
  if (!file.read(0, header, kHeaderRead) || std::memcmp(header, kSignature, 8) != 0) return std::nullopt;
  const std::uint64_t entries = le64(header + kEntryCount);
  // A chain longer than the file's objects, or than the objects it could hold, loops.
  const std::uint64_t objects = std::min(le64(header + kObjectCount), file.size() / kSmallestObject);

  // The field object of that name, through every chain of the field hash table.
  const std::uint64_t tableSize = le64(header + kFieldTableSize);
  if (tableSize % kHashItem != 0 || tableSize > (1U << 20)) return std::nullopt;
  std::string table(tableSize, '\0');
  auto* items = reinterpret_cast<unsigned char*>(table.data());
  if (!file.read(le64(header + kFieldTableOffset), items, table.size())) return std::nullopt;
  unsigned char fieldObject[kFieldName];
  std::string name(field.size(), '\0');
  std::uint64_t firstValue = 0;
  for (std::size_t item = 0; item < table.size() && firstValue == 0; item += kHashItem) {
    std::uint64_t steps = 0;
    for (std::uint64_t at = le64(items + item); at != 0; at = le64(fieldObject + kNextInChain)) {
      if (++steps > objects || !file.object(at, kFieldObject, fieldObject, kFieldName)) return std::nullopt;
      if (le64(fieldObject + kObjectSize) != kFieldName + field.size()) continue;
      if (!file.read(at + kFieldName, reinterpret_cast<unsigned char*>(name.data()), name.size()))
        return std::nullopt;
      if (name == field) {
        firstValue = le64(fieldObject + kFirstValue);
        break;
      }
    }
  }

  // Its values, each counting the entries that hold it.
  std::uint64_t holding = 0;
  std::uint64_t steps = 0;
  unsigned char value[kValueEntries + 8];
  for (std::uint64_t at = firstValue; at != 0; at = le64(value + kNextValue)) {
    if (++steps > objects || !file.object(at, kDataObject, value, sizeof value)) return std::nullopt;
    holding += le64(value + kValueEntries);
  }
  return holding < entries ? entries - holding : 0;
}

}  // namespace brask
