#include "evtx_writer.h"

#include <zlib.h>

#include <fstream>
#include <functional>
#include <stdexcept>

#include "utc_time.h"

namespace brask::test {
namespace {

constexpr std::size_t kChunkHeaderSize = 512;

void put(std::string& out, std::size_t at, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i, value >>= 8) out[at + i] = static_cast<char>(value & 0xFF);
}

std::string little(std::uint64_t value, int count) {
  std::string bytes(static_cast<std::size_t>(count), '\0');
  put(bytes, 0, value, count);
  return bytes;
}

std::uint64_t get(const std::string& in, std::size_t at, int count) {
  std::uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(in[at + i]);
  return value;
}

std::uint32_t crc(const std::string& bytes, std::size_t at, std::size_t size,
                  std::uint32_t start = 0) {
  return static_cast<std::uint32_t>(
      crc32(start, reinterpret_cast<const Bytef*>(bytes.data() + at), static_cast<uInt>(size)));
}

// A substitution value: its type and its bytes, or what makes them from the chunk offset
// where they stand (binary XML, which refers to its own offsets). Null ones are optional.
struct Value {
  char type;
  std::string bytes;
  std::function<std::string(std::size_t)> at = nullptr;
};

Value text(const std::wstring& value) {
  std::string bytes;
  for (wchar_t c : value) bytes += little(static_cast<std::uint16_t>(c), 2);
  return {0x01, bytes};
}

// The binary XML of one record, written where it will stand in its chunk: a template
// instance whose template follows in place, every value substituted. Names are defined
// in place too, at the offset that refers to them.
class BinaryXml {
 public:
  explicit BinaryXml(std::size_t chunkOffset) : base_(chunkOffset) {}

  struct Attribute {
    std::wstring name;
    Value value;
  };

  // An element holding a value, or nothing.
  void element(const std::wstring& name, const std::optional<Value>& value,
               const std::vector<Attribute>& attributes = {}) {
    const std::size_t size = open(name, attributes);
    if (value) {
      bytes_ += '\x02';
      substitute(*value);
      bytes_ += '\x04';
    } else {
      bytes_ += '\x03';
    }
    close(size);
  }
  // The elements that `root` writes, substituted as a fragment of binary XML: a template
  // instance of its own, without the fragment header, as Windows writes an event's data.
  template <typename Root>
  void fragment(Root root) {
    substitute({0x21, {}, [root](std::size_t at) {
                  BinaryXml xml(at - 4);
                  return xml.document([&] { root(xml); }).substr(4);
                }});
  }
  // An element holding the elements that `children` writes.
  template <typename Children>
  void parent(const std::wstring& name, Children children) {
    const std::size_t size = open(name, {});
    bytes_ += '\x02';
    children();
    bytes_ += '\x04';
    close(size);
  }
  // The record's document: the template instance and its template, whose elements
  // `root` writes, then the values it substitutes.
  template <typename Root>
  std::string document(Root root) {
    bytes_ = std::string("\x0f\x01\x01\x00\x0c\x01", 6);
    bytes_ += little(base_ + bytes_.size() + 8, 4);  // template identifier
    bytes_ += little(base_ + bytes_.size() + 4, 4);  // the template follows here
    bytes_ += little(0, 4);
    bytes_ += little(base_ + bytes_.size(), 8) + little(0, 8);  // a GUID of its own
    const std::size_t size = bytes_.size();
    bytes_ += little(0, 4) + std::string("\x0f\x01\x01\x00", 4);
    root();
    bytes_ += '\0';
    put(bytes_, size, bytes_.size() - size - 4, 4);
    bytes_ += little(values_.size(), 4);
    std::size_t at = base_ + bytes_.size() + 4 * values_.size();
    for (Value& value : values_) {
      if (value.at) value.bytes = value.at(at);
      at += value.bytes.size();
    }
    for (const Value& value : values_) bytes_ += little(value.bytes.size(), 2) + value.type + '\0';
    for (const Value& value : values_) bytes_ += value.bytes;
    return bytes_ + '\0';  // the end of the document
  }

 private:
  void name(const std::wstring& name) {
    bytes_ += little(base_ + bytes_.size() + 4, 4);  // defined right here
    std::uint32_t hash = 0;
    for (wchar_t c : name) hash = hash * 65599 + static_cast<std::uint16_t>(c);
    bytes_ += little(0, 4) + little(hash & 0xFFFF, 2) + little(name.size(), 2);
    bytes_ += text(name).bytes + little(0, 2);
  }
  void substitute(const Value& value) {
    bytes_ += (value.type == 0 ? '\x0e' : '\x0d') + little(values_.size(), 2) + value.type;
    values_.push_back(value);
  }
  // Writes the start of an element up to its attributes; returns where its size goes.
  std::size_t open(const std::wstring& elementName, const std::vector<Attribute>& attributes) {
    bytes_ += attributes.empty() ? '\x01' : '\x41';
    bytes_ += little(0xFFFF, 2);  // dependency identifier: none
    const std::size_t size = bytes_.size();
    bytes_ += little(0, 4);
    name(elementName);
    if (!attributes.empty()) {
      const std::size_t listSize = bytes_.size();
      bytes_ += little(0, 4);
      for (std::size_t i = 0; i < attributes.size(); ++i) {
        bytes_ += i + 1 < attributes.size() ? '\x46' : '\x06';
        name(attributes[i].name);
        substitute(attributes[i].value);
      }
      put(bytes_, listSize, bytes_.size() - listSize - 4, 4);
    }
    return size;
  }
  void close(std::size_t size) { put(bytes_, size, bytes_.size() - size - 4, 4); }

  std::size_t base_;
  std::string bytes_;
  std::vector<Value> values_;
};

// The record of an event at an offset of its chunk.
std::string record(const EvtxEvent& event, std::uint64_t id, std::size_t offset) {
  BinaryXml xml(offset + 24);
  std::string body = xml.document([&] {
    xml.parent(L"Event", [&] {
      xml.parent(L"System", [&] {
        std::vector<BinaryXml::Attribute> provider{{L"Name", text(event.provider)}};
        if (event.eventSourceName)
          provider.push_back({L"EventSourceName", text(*event.eventSourceName)});
        xml.element(L"Provider", std::nullopt, provider);
        xml.element(L"EventID", Value{0x06, little(event.eventId, 2)});
        if (event.level) xml.element(L"Level", Value{0x04, little(*event.level, 1)});
        if (event.task) xml.element(L"Task", Value{0x06, little(*event.task, 2)});
        xml.element(L"Keywords", Value{0x15, little(event.keywords, 8)});
        if (!event.noTimeCreated) {
          xml.element(L"TimeCreated", std::nullopt,
                      {{L"SystemTime", {0x11, little(event.created.value_or(event.written), 8)}}});
        }
        xml.element(L"EventRecordID", Value{0x0a, little(id, 8)});
        xml.element(L"Channel", text(event.channel));
        xml.element(L"Computer", text(event.computer));
      });
      const auto data = [&](BinaryXml& xml) {
        xml.parent(L"EventData", [&] {
          for (const std::wstring& value : event.strings) xml.element(L"Data", text(value));
          for (const auto& [type, bytes] : event.values)
            xml.element(L"Data", Value{static_cast<char>(type), bytes});
          if (event.binary) xml.element(event.binaryData ? L"Data" : L"Binary", Value{0x0e, *event.binary});
        });
      };
      if (event.dataTemplate) {
        xml.fragment(data);
      } else {
        data(xml);
      }
    });
  });
  body.append((8 - (24 + body.size() + 4) % 8) % 8, '\0');
  const std::size_t size = 24 + body.size() + 4;
  return std::string("\x2a\x2a\x00\x00", 4) + little(size, 4) + little(id, 8) +
         little(event.written, 8) + body + little(size, 4);
}

// The checksums of the file header and of every chunk's header and records.
void sealEvtx(std::string& file) {
  put(file, 124, crc(file, 0, 120), 4);
  for (std::size_t at = kEvtxHeaderSize; at + kEvtxChunkSize <= file.size(); at += kEvtxChunkSize) {
    if (file.compare(at, 8, std::string("ElfChnk\0", 8)) != 0) continue;
    const std::size_t free = std::min<std::size_t>(get(file, at + 48, 4), kEvtxChunkSize);
    if (free >= kChunkHeaderSize) {
      put(file, at + 52, crc(file, at + kChunkHeaderSize, free - kChunkHeaderSize), 4);
    }
    put(file, at + 124, crc(file, at + 128, kChunkHeaderSize - 128, crc(file, at, 120)), 4);
  }
}

}  // namespace

std::string evtxFile(const std::vector<EvtxEvent>& events, std::uint64_t firstId,
                     std::size_t perChunk, std::size_t rotate) {
  std::vector<std::string> chunks;
  std::uint64_t id = firstId;
  for (std::size_t next = 0; next < events.size();) {
    std::string chunk(kChunkHeaderSize, '\0');
    chunk.replace(0, 8, std::string("ElfChnk\0", 8));
    const std::uint64_t first = id;
    std::size_t last = 0;
    for (std::size_t count = 0; next < events.size() && count < perChunk; ++count) {
      const std::string bytes = record(events[next], id, chunk.size());
      if (chunk.size() + bytes.size() > kEvtxChunkSize) break;
      last = chunk.size();
      chunk += bytes;
      ++next, ++id;
    }
    if (chunk.size() == kChunkHeaderSize)
      throw std::invalid_argument("an event larger than a chunk");
    put(chunk, 8, first, 8);
    put(chunk, 16, id - 1, 8);
    put(chunk, 24, first, 8);
    put(chunk, 32, id - 1, 8);
    put(chunk, 40, 128, 4);
    put(chunk, 44, last, 4);
    put(chunk, 48, chunk.size(), 4);
    chunk.resize(kEvtxChunkSize, '\0');
    chunks.push_back(std::move(chunk));
  }
  const std::size_t count = chunks.size();
  const std::size_t wrapped = count == 0 ? 0 : rotate % count;
  std::string file(kEvtxHeaderSize, '\0');
  file.replace(0, 8, std::string("ElfFile\0", 8));
  put(file, 8, wrapped, 8);
  put(file, 16, count == 0 ? 0 : (wrapped + count - 1) % count, 8);
  put(file, 24, id, 8);
  put(file, 32, 128, 4);
  put(file, 36, 1, 2);
  put(file, 38, 3, 2);
  put(file, 40, kEvtxHeaderSize, 2);
  put(file, 42, count, 2);
  for (std::size_t i = 0; i < count; ++i) file += chunks[(i + count - wrapped) % count];
  sealEvtx(file);
  return file;
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::uint64_t fileTime(int year, int month, int day, int hour, int minute, int second) {
  constexpr std::uint64_t k1601To1970 = 11644473600000000;  // microseconds
  return (utcMicroseconds(year, month, day, hour, minute, second) + k1601To1970) * 10;
}

}  // namespace brask::test
