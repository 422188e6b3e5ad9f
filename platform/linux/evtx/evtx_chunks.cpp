#include "platform/linux/evtx/evtx_chunks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

#include "platform/linux/evtx/record_strings.h"

namespace brask {
namespace {

constexpr std::size_t kFileHeaderSize = 4096;
constexpr std::size_t kChunkSize = 65536;
constexpr std::size_t kChunkHeaderSize = 512;
constexpr std::size_t kRecordHeaderSize = 24;

std::uint64_t little(std::string_view bytes, std::size_t at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = count; i-- > 0;)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

EvtxChunks::EvtxChunks(const std::string& path)
    : descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}

EvtxChunks::~EvtxChunks() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

std::optional<std::vector<std::wstring>> EvtxChunks::strings(std::uint64_t identifier,
                                                             std::uint64_t written) {
  if (descriptor_ < 0) return std::nullopt;
  if (!firsts_) readFirstIdentifiers();
  std::size_t holder = SIZE_MAX;
  for (std::size_t i = 0; i < firsts_->size(); ++i) {
    const std::uint64_t first = (*firsts_)[i];
    if (first <= identifier && (holder == SIZE_MAX || first > (*firsts_)[holder])) holder = i;
  }
  if (holder == SIZE_MAX || !load(holder)) return std::nullopt;
  const std::string_view chunk = chunk_;
  for (std::size_t at = kChunkHeaderSize; chunk.size() - at >= kRecordHeaderSize;) {
    const std::uint64_t size = little(chunk, at + 4, 4);
    if (chunk.compare(at, 4, std::string_view("**\0\0", 4)) != 0 || size < kRecordHeaderSize + 4 ||
        size > chunk.size() - at) {
      break;
    }
    if (little(chunk, at + 8, 8) == identifier && little(chunk, at + 16, 8) == written)
      return recordStrings(chunk, at, ansi_);
    at += size;
  }
  return std::nullopt;
}

void EvtxChunks::readFirstIdentifiers() {
  firsts_.emplace();
  struct stat status;
  if (::fstat(descriptor_, &status) != 0 || status.st_size <= static_cast<off_t>(kFileHeaderSize))
    return;
  const auto size = static_cast<std::size_t>(status.st_size);
  for (std::size_t at = kFileHeaderSize; at < size; at += kChunkSize) {
    char header[32];
    const bool chunk =
        ::pread(descriptor_, header, sizeof header, static_cast<off_t>(at)) == sizeof header &&
        std::string_view(header, 8) == std::string_view("ElfChnk\0", 8);
    firsts_->push_back(chunk ? little(std::string_view(header, sizeof header), 24, 8) : UINT64_MAX);
  }
}

bool EvtxChunks::load(std::size_t chunk) {
  if (chunk == loaded_) return true;
  loaded_ = SIZE_MAX;
  chunk_.resize(kChunkSize);
  const ssize_t read = ::pread(descriptor_, chunk_.data(), kChunkSize,
                               static_cast<off_t>(kFileHeaderSize + chunk * kChunkSize));
  if (read <= static_cast<ssize_t>(kChunkHeaderSize)) return false;
  chunk_.resize(static_cast<std::size_t>(read));
  loaded_ = chunk;
  return true;
}

}  // namespace brask
