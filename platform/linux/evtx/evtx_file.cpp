#include "platform/linux/evtx/evtx_file.h"

#include "platform/linux/evtx/record_xml.h"

namespace brask {
namespace {

// Calls a libevtx function with an error of its own and lets go of that error: a failure
// shows in the result alone (1 done, 0 not present, -1 failed).
template <typename Function>
int call(Function function) {
  libevtx_error_t* error = nullptr;
  const int result = function(&error);
  libevtx_error_free(&error);
  return result;
}

// A text read in two calls, its size (with the terminating NUL) and then its bytes.
template <typename Size, typename Fill>
std::optional<std::string> utf8(Size size, Fill fill) {
  std::size_t length = 0;
  if (call([&](libevtx_error_t** error) { return size(&length, error); }) != 1) return std::nullopt;
  if (length <= 1) return std::string();
  std::string text(length, '\0');
  if (call([&](libevtx_error_t** error) {
        return fill(reinterpret_cast<std::uint8_t*>(text.data()), length, error);
      }) != 1) {
    return std::nullopt;
  }
  text.resize(length - 1);
  return text;
}

}  // namespace

void EvtxRecord::Free::operator()(libevtx_record_t* record) const {
  call([&](libevtx_error_t** error) { return libevtx_record_free(&record, error); });
}

std::uint64_t EvtxRecord::identifier() const {
  std::uint64_t identifier = 0;
  call([&](libevtx_error_t** error) {
    return libevtx_record_get_identifier(record_.get(), &identifier, error);
  });
  return identifier;
}

std::uint64_t EvtxRecord::written() const {
  std::uint64_t written = 0;
  call([&](libevtx_error_t** error) {
    return libevtx_record_get_written_time(record_.get(), &written, error);
  });
  return written;
}

std::uint64_t EvtxRecord::eventTime() const {
  if (const std::optional<std::uint64_t> created = timeCreated(xml())) return *created;
  return written();
}

std::optional<int> EvtxRecord::level() const {
  std::uint8_t level = 0;
  if (call([&](libevtx_error_t** error) {
        return libevtx_record_get_event_level(record_.get(), &level, error);
      }) != 1)
    return std::nullopt;
  return level;
}

std::optional<std::uint32_t> EvtxRecord::eventIdentifier() const {
  std::uint32_t identifier = 0;
  if (call([&](libevtx_error_t** error) {
        return libevtx_record_get_event_identifier(record_.get(), &identifier, error);
      }) != 1) {
    return std::nullopt;
  }
  return identifier;
}

std::optional<std::string> EvtxRecord::sourceName() const {
  libevtx_record_t* record = record_.get();
  return utf8(
      [&](std::size_t* size, libevtx_error_t** error) {
        return libevtx_record_get_utf8_source_name_size(record, size, error);
      },
      [&](std::uint8_t* text, std::size_t size, libevtx_error_t** error) {
        return libevtx_record_get_utf8_source_name(record, text, size, error);
      });
}

std::optional<std::string> EvtxRecord::computerName() const {
  libevtx_record_t* record = record_.get();
  return utf8(
      [&](std::size_t* size, libevtx_error_t** error) {
        return libevtx_record_get_utf8_computer_name_size(record, size, error);
      },
      [&](std::uint8_t* text, std::size_t size, libevtx_error_t** error) {
        return libevtx_record_get_utf8_computer_name(record, text, size, error);
      });
}

std::vector<std::wstring> EvtxRecord::strings() const {
  if (auto strings = file_->chunks_.strings(identifier(), written())) return *strings;
  libevtx_record_t* record = record_.get();
  int count = 0;
  std::vector<std::wstring> strings;
  if (call([&](libevtx_error_t** error) {
        return libevtx_record_get_number_of_strings(record, &count, error);
      }) != 1)
    return strings;
  for (int index = 0; index < count; ++index) {
    const std::optional<std::string> text = utf8(
        [&](std::size_t* size, libevtx_error_t** error) {
          return libevtx_record_get_utf8_string_size(record, index, size, error);
        },
        [&](std::uint8_t* text, std::size_t size, libevtx_error_t** error) {
          return libevtx_record_get_utf8_string(record, index, text, size, error);
        });
    strings.push_back(file_->utf8_(text.value_or(std::string())));
  }
  return strings;
}

std::string EvtxRecord::xml() const {
  libevtx_record_t* record = record_.get();
  return utf8(
             [&](std::size_t* size, libevtx_error_t** error) {
               return libevtx_record_get_utf8_xml_string_size(record, size, error);
             },
             [&](std::uint8_t* text, std::size_t size, libevtx_error_t** error) {
               return libevtx_record_get_utf8_xml_string(record, text, size, error);
             })
      .value_or(std::string());
}

std::unique_ptr<EvtxFile> EvtxFile::open(const std::string& path) {
  libevtx_file_t* file = nullptr;
  if (call([&](libevtx_error_t** error) { return libevtx_file_initialize(&file, error); }) != 1)
    return nullptr;
  if (call([&](libevtx_error_t** error) {
        return libevtx_file_open(file, path.c_str(), LIBEVTX_OPEN_READ, error);
      }) != 1) {
    call([&](libevtx_error_t** error) { return libevtx_file_free(&file, error); });
    return nullptr;
  }
  return std::unique_ptr<EvtxFile>(new EvtxFile(file, path));
}

EvtxFile::EvtxFile(libevtx_file_t* file, const std::string& path) : file_(file), chunks_(path) {
  call([&](libevtx_error_t** error) {
    return libevtx_file_get_number_of_records(file_, &written_, error);
  });
  call([&](libevtx_error_t** error) {
    return libevtx_file_get_number_of_recovered_records(file_, &recovered_, error);
  });
}

EvtxFile::~EvtxFile() {
  call([&](libevtx_error_t** error) { return libevtx_file_close(file_, error); });
  call([&](libevtx_error_t** error) { return libevtx_file_free(&file_, error); });
}

std::optional<EvtxRecord> EvtxFile::record(RecordSet set, int index) const {
  libevtx_record_t* record = nullptr;
  const int result = call([&](libevtx_error_t** error) {
    return set == RecordSet::Written
               ? libevtx_file_get_record_by_index(file_, index, &record, error)
               : libevtx_file_get_recovered_record_by_index(file_, index, &record, error);
  });
  if (result != 1 || record == nullptr) return std::nullopt;
  return EvtxRecord(record, *this);
}

}  // namespace brask
