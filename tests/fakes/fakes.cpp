#include "fakes/fakes.h"

#include <algorithm>

#include "platform/event_log/record_marks.h"

namespace brask::fakes {
namespace {

std::wstring widened(const std::string& bytes) {
  std::wstring text;
  for (char byte : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
  return text;
}

// The wall-clock time that a TimeWritten text states in its first 14 digits.
std::optional<DateTime> statedTime(const PropertyValue& value) {
  const auto* text = std::get_if<std::wstring>(&value);
  if (!text || text->size() < 14) return std::nullopt;
  int digits[14];
  for (int i = 0; i < 14; ++i) {
    const wchar_t c = (*text)[static_cast<std::size_t>(i)];
    if (c < L'0' || c > L'9') return std::nullopt;
    digits[i] = c - L'0';
  }
  const auto number = [&](int from, int count) {
    int value = 0;
    for (int i = from; i < from + count; ++i) value = value * 10 + digits[i];
    return value;
  };
  return makeDateTime(number(0, 4), number(4, 2), number(6, 2), number(8, 2), number(10, 2), number(12, 2));
}

// Whether a source must deliver the event: it is of the wanted type and not known to be
// written at or after the bound. An event whose time cannot be read must stay, since the
// listing has to stop on it.
bool isWanted(const Event& event, const EventsWanted& wanted) {
  const auto type = event.find(L"Type");
  if (wanted.type) {
    const auto* text = type == event.end() ? nullptr : std::get_if<std::wstring>(&type->second);
    if (!text || *text != *wanted.type) return false;
  }
  if (!wanted.writtenBefore) return true;
  const auto written = event.find(L"TimeWritten");
  const auto time = written == event.end() ? std::nullopt : statedTime(written->second);
  return !time || *time < *wanted.writtenBefore;
}

// An event's position: its RecordNumber.
std::optional<std::uint64_t> positionOf(const Event& event) {
  const auto found = event.find(L"RecordNumber");
  if (found == event.end()) return std::nullopt;
  const auto* number = std::get_if<std::int64_t>(&found->second);
  return number ? std::optional(static_cast<std::uint64_t>(*number)) : std::nullopt;
}

bool isDue(const std::optional<std::size_t>& failAt, std::size_t calls) { return failAt == calls; }

// Throws the log's computer error where it has one, else the event service's error.
[[noreturn]] void fail(const FakeEventLog& log, const std::wstring& action, long code,
                       const std::wstring& description) {
  if (log.computerError) throw *log.computerError;
  throw RunTimeError(action, code, description);
}

// Error codes of the event service: WBEM_E_ACCESS_DENIED, WBEM_E_INVALID_CLASS,
// WBEM_E_FAILED, WBEM_E_NOT_FOUND.
constexpr long kAccessDenied = static_cast<std::int32_t>(0x80041003);
constexpr long kInvalidClass = static_cast<std::int32_t>(0x80041010);
constexpr long kFailed = static_cast<std::int32_t>(0x80041001);
constexpr long kNotFound = static_cast<std::int32_t>(0x80041002);

// One walk over a copy of a log's events, recording the properties read.
class FakeObjects : public EventObjects {
 public:
  FakeObjects(std::vector<Event> events, FakeEventLog& log) : events_(std::move(events)), log_(log) {}

  bool next() override {
    if (isDue(log_.failAtStep, log_.steps)) {
      fail(log_, L"Reading the next event", kFailed, L"Generic failure");
    }
    ++log_.steps;
    if (log_.onStep) log_.onStep();
    return ++current_ < events_.size();
  }

  PropertyValue property(std::wstring_view name) override {
    if (isDue(log_.failAtRead, log_.reads.size())) {
      fail(log_, L"Reading the property " + std::wstring(name), kNotFound, L"Not found");
    }
    log_.reads.emplace_back(name);
    const Event& event = events_.at(current_);
    const auto found = event.find(std::wstring(name));
    return found == event.end() ? PropertyValue{} : found->second;
  }

 private:
  std::vector<Event> events_;
  FakeEventLog& log_;
  std::size_t current_ = static_cast<std::size_t>(-1);
};

// A log of FakeComputers, lent out as a computer's own source.
class LentLog : public EventSource {
 public:
  explicit LentLog(FakeEventLog& log) : log_(log) {}
  std::unique_ptr<EventService> connect() override { return log_.connect(); }
  std::optional<ComputerError> unreadPart() override { return log_.unreadPart(); }

 private:
  FakeEventLog& log_;
};

class FakeService : public EventService {
 public:
  explicit FakeService(FakeEventLog& log) : log_(log) {}
  ~FakeService() override { ++log_.released; }

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText, const EventsWanted& wanted) override {
    if (isDue(log_.failAtQuery, log_.queries.size())) {
      fail(log_, L"Querying the event log", kInvalidClass, L"Invalid class");
    }
    log_.queries.push_back(queryText);
    log_.wanted.push_back(wanted);
    const std::wstring prefix = L"Select * from Win32_NTLogEvent where Logfile = ";
    const auto found = queryText.rfind(prefix, 0) == 0 ? log_.logs.find(queryText.substr(prefix.size()))
                                                       : log_.logs.end();
    const std::optional<std::uint64_t> after = wanted.after ? recordOfPosition(*wanted.after) : std::nullopt;
    std::vector<Event> events;
    if (found != log_.logs.end()) {
      for (const Event& event : found->second) {
        if (after && positionOf(event).value_or(0) <= *after) continue;
        if (!log_.honourWanted || isWanted(event, wanted)) events.push_back(event);
      }
    }
    return std::make_unique<FakeObjects>(std::move(events), log_);
  }

  // Positions are the events' RecordNumbers, the newest first in the log, marked as the
  // Windows event logs mark them.
  LogMark mark(const std::wstring& queryText, const std::optional<LogPosition>& saved) override {
    const std::wstring prefix = L"Select * from Win32_NTLogEvent where Logfile = ";
    const auto found = log_.logs.find(queryText.substr(std::min(prefix.size(), queryText.size())));
    if (found == log_.logs.end() || found->second.empty()) return recordMark(std::nullopt, std::nullopt, saved);
    return recordMark(positionOf(found->second.front()), positionOf(found->second.back()), saved);
  }

 private:
  FakeEventLog& log_;
};

}  // namespace

void FakeForm::check(std::initializer_list<ControlId> boxes) {
  for (ControlId box : boxes) checks[box] = 1;
}

void FakeForm::fillDate(ControlId day, ControlId month, ControlId year, const DateTime& date) {
  texts[day] = std::to_wstring(date.day);
  texts[month] = std::to_wstring(date.month);
  texts[year] = std::to_wstring(date.year);
}

void RecordingDialogs::messageBox(const std::wstring& prompt, const std::wstring& title) {
  if (onShow) onShow();
  messages.push_back({prompt, title});
}

void RecordingDialogs::runTimeErrorBox(const RunTimeError& error) {
  if (onShow) onShow();
  errors.push_back(runTimeErrorText(error));
}

std::unique_ptr<EventService> FakeEventLog::connect() {
  if (isDue(failAtConnect, static_cast<std::size_t>(connects))) {
    fail(*this, L"Connecting to the event service", kAccessDenied, L"Access denied");
  }
  ++connects;
  return std::make_unique<FakeService>(*this);
}

std::unique_ptr<EventSource> FakeComputers::computer(const std::wstring& name) {
  asked.push_back(name);
  if (const auto found = refused.find(name); found != refused.end()) throw found->second;
  return std::make_unique<LentLog>(logs[name]);
}

FakeLocale::FakeLocale(const std::string& shortDate, const std::string& language) {
  info[{lcid, lctype::kShortDate}] = shortDate;
  info[{lcid, lctype::kEnglishLanguage}] = language;
  user = {{lctype::kLongTime, L"HH:mm:ss"}, {lctype::kDecimal, L"."}, {lctype::kThousand, L","},
          {lctype::kAm, L"AM"},             {lctype::kPm, L"PM"}};
  const wchar_t* days[] = {L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday", L"Sunday"};
  const wchar_t* months[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                             L"July",    L"August",   L"September", L"October", L"November", L"December"};
  for (int i = 0; i < 7; ++i) {
    user[lctype::kDayName1 + i] = days[i];
    user[lctype::kAbbrevDayName1 + i] = std::wstring(days[i]).substr(0, 3);
  }
  for (int i = 0; i < 12; ++i) {
    user[lctype::kMonthName1 + i] = months[i];
    user[lctype::kAbbrevMonthName1 + i] = std::wstring(months[i]).substr(0, 3);
  }
}

int FakeLocale::GetLocaleInfoA(std::int32_t locale, std::int32_t lcType, char* buffer, int size) {
  sizesAsked.push_back(size);
  const auto found = info.find({locale, lcType});
  if (found == info.end()) return 0;
  const int needed = static_cast<int>(found->second.size()) + 1;
  if (size == 0) return needed;
  if (failFill || size < needed) return 0;
  found->second.copy(buffer, found->second.size());
  buffer[needed - 1] = '\0';
  return needed;
}

void FakeLocale::SetLocaleInfoA(std::int32_t locale, std::int32_t lcType, const char* text) {
  const bool refused = isDue(refuseSetAt, sets.size());
  sets.emplace_back(lcType, text);
  if (!refused) info[{locale, lcType}] = text;
}

std::wstring FakeLocale::userLocaleText(std::int32_t lcType) {
  if (lcType == lctype::kShortDate) {
    const auto found = info.find({lcid, lcType});
    return found == info.end() ? std::wstring() : widened(found->second);
  }
  const auto found = user.find(lcType);
  return found == user.end() ? std::wstring() : found->second;
}

void FakeVersion::GetVersionExA(OsVersionInfoA& info) {
  prepared = info;
  if (fail) return;
  info.dwPlatformId = platformId;
  info.dwMajorVersion = major;
  info.dwMinorVersion = minor;
}

std::wstring FakeProcess::environmentVariable(const std::wstring& name) {
  const auto found = environment.find(name);
  return found == environment.end() ? std::wstring() : found->second;
}

void FakeProcess::startProgram(const std::wstring& commandLine) {
  if (failStart) throw *failStart;
  started.push_back(commandLine);
}

namespace {

class MemoryLock final : public FileLock {};

class MemoryReplacement final : public Replacement {
 public:
  MemoryReplacement(MemoryFiles& files, std::wstring path) : files_(files), path_(std::move(path)) {}

  void write(std::wstring_view text) override {
    if (files_.failAtWrite == files_.texts.size()) {
      throw RunTimeError(L"Writing the report file " + path_, 75, L"Path/File access error");
    }
    files_.texts.emplace_back(text);
    text_ += text;
  }
  void writeBytes(std::string_view bytes) override { write(widened(std::string(bytes))); }
  void commit() override {
    if (files_.refuseReplace) {
      throw RunTimeError(L"Replacing the report file " + path_, 75, L"Path/File access error");
    }
    files_.files[path_] = text_;
  }

 private:
  MemoryFiles& files_;
  std::wstring path_;
  std::wstring text_;
};

class MemorySpool final : public Spool {
 public:
  void write(std::wstring_view text) override { text_ += text; }
  void copyTo(Replacement& target) override { target.write(text_); }

 private:
  std::wstring text_;
};

}  // namespace

void MemoryText::write(std::wstring_view written) {
  if (failAtWrite == writes.size()) {
    throw RunTimeError(L"Writing the report file", 75, L"Path/File access error");
  }
  writes.emplace_back(written);
  text += written;
}

std::unique_ptr<FileLock> MemoryFiles::lock(const std::wstring& path) {
  locked.push_back(path);
  return std::make_unique<MemoryLock>();
}

std::unique_ptr<Replacement> MemoryFiles::replace(const std::wstring& path, Encoding) {
  replaced.push_back(path);
  return std::make_unique<MemoryReplacement>(*this, path);
}

std::unique_ptr<Spool> MemoryFiles::spool(const std::wstring&) {
  ++spools;
  return std::make_unique<MemorySpool>();
}

std::optional<std::wstring> MemoryFiles::readText(const std::wstring& path) {
  if (refuseRead) throw *refuseRead;
  const auto found = files.find(path);
  if (found == files.end()) return std::nullopt;
  return found->second;
}

}  // namespace brask::fakes
