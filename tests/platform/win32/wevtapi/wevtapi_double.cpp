// A wevtapi.dll for the tests, installed over Wine's stub in a test prefix's system
// directory: the Windows Event Log API as Microsoft documents it, over events that each
// test writes.
//
// BRASK_EVT_DOUBLE_EVENTS names a UTF-8 file, read anew by every EvtQuery and
// EvtOpenSession. Each line is an event of its log, oldest first, as tab-separated
// key=value fields: channel, level, task, keywords, id, provider, source (the provider's
// EventSourceName), time (SystemTime text), record (EventRecordID; its line's number among
// the events unless given), message (what EvtFormatMessage gives in every language,
// message@LANGID=TEXT in one; message!=CODE fails with CODE, message~=TEXT gives TEXT with
// unresolved inserts), string (one a value of the user data, in order) and binary
// (hexadecimal digits: a classic event's trailing Binary). A value may name its kind, as in
// level=str:high or string=u32:7 (bool u8 u16 u32 u64 i8 i16 i32 i64 hex32 hex64 sizet f32
// f64 str ansi ft st guid sid bin null), an array with [] and its elements between commas,
// as in string=i16[]:-1,2. In text, \r \n \t \\ and \uXXXX stand for themselves. Lines
// starting with "!" direct the double: "!fail FUNCTION N CODE" makes the Nth call since the
// query fail with CODE (of EvtQuery and EvtOpenSession, the Nth since the file last
// changed); "!publisher NAME CODE" makes the provider's metadata fail to open;
// "!languages LANGID..." has the messages exist in those languages alone; "!batch N" has
// EvtNext return at most N events a call; "!stale N" has every result go stale once it has
// delivered N events; "!cleared N" has the first result of a log to deliver N events go
// stale, and the log cleared under it: until the file changes, the log holds one new
// event, numbered 1, as a clear does; "!stub" makes the DLL Wine's: its EvtQuery and
// EvtOpenSession fail without an error code, and EvtCreateRenderContext ends the process.
// EvtClose, as a real call may, leaves no error code behind.
// Other computers: EvtOpenSession opens a session on any computer, as the current user (a
// login with a user, domain or password fails with ERROR_INVALID_PARAMETER), without
// reaching it; its queries do. "!computer NAME FILE" has the computer NAME (in any letter
// case) hold the events of FILE, in the format above, its "!" lines left unread;
// "!computer NAME CODE" has its every query fail with CODE (1722: out of reach, 5: access
// denied, 1326: a logon failure, 1753 or 1717: Windows XP or 2003, which do not serve the
// API's remote protocol); a computer not named is out of reach. "!delay NAME MS" has the
// computer answer its first query after MS milliseconds. "!hang NAME FUNCTION [N]" has the
// computer stop answering FUNCTION (EvtQuery, EvtNext, EvtRender, EvtOpenPublisherMetadata
// or EvtFormatMessage) from its Nth call on (the first by default), counted since the file
// last changed, NAME "." being this computer: such a call waits until EvtCancel reaches it,
// as Microsoft documents: an EvtNext on its result, any other on its session (NULL for this
// computer's), and then fails with ERROR_CANCELLED; EvtNext fails with ERROR_TIMEOUT once its
// timeout has passed. The
// bookmark's test, EventRecordID>N, is one the XPath reads. A message is formatted by the
// metadata of its own computer's providers alone (a session's for the events of its
// queries): other metadata does not find it.
// Collector logs: an event's log= names the log that holds it (by default its channel),
// channel= its System/Channel and computer= its System/Computer; rendered=TEXT is the
// message of its RenderingInfo, which EvtFormatMessage gives without publisher metadata.
// The XPath compares Computer and Channel without regard to case, as Unicode folds it,
// unless "!exact" has it compare exactly. Every function may be called from any thread.
// BRASK_EVT_DOUBLE_LOG names a file to which the double adds a line for what it did:
// "loaded PATH", "session NAME", "query CHANNEL XPATH" (with "@NAME " before CHANNEL on a
// session), "next COUNT" (with "@NAME " before COUNT on a session), "open PROVIDER LCID",
// "hang NAME FUNCTION", "cancel WHAT" (a session's NAME, "." or "results"); each line after
// the milliseconds of GetTickCount and a blank where BRASK_EVT_DOUBLE_CLOCK is set.
#include <windows.h>

#pragma push_macro("_WIN32_WINNT")
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <winevt.h>
#pragma pop_macro("_WIN32_WINNT")

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/event_log/file_time.h"
#include "platform/win32/critical_section.h"

namespace {

struct Value {
  DWORD type = EvtVarTypeNull;
  std::wstring text;         // strings
  std::uint64_t number = 0;  // numbers, the bits of floating ones, FILETIMEs
  std::string bytes;         // GUID, SID, binary, SYSTEMTIME, ANSI text with its null
  std::vector<Value> elements;  // of an array
  std::size_t size = 8;         // of the value in an array
};

struct Event {
  std::map<std::wstring, Value> fields;
  std::vector<Value> strings;
  std::optional<std::wstring> binary;  // in hexadecimal
  std::map<LANGID, std::wstring> messages;  // 0: every language
  DWORD messageError = 0;  // ERROR_EVT_UNRESOLVED_VALUE_INSERT with a message, else a failure
  std::optional<std::wstring> rendered;     // of its RenderingInfo
};

using Log = std::vector<Event>;

struct Handle {
  enum Kind { Results, EventOf, Context, Metadata, Session };
  explicit Handle(Kind of) : kind(of) {}

  Kind kind;
  std::wstring computer;             // of a session, and of what it gives; empty for this one
  std::shared_ptr<const Log> log;    // of the query, kept while a handle needs it
  std::wstring channel;              // Results
  std::vector<std::size_t> left;     // Results: the events still to deliver, in order
  std::size_t delivered = 0;         // Results: how many
  LANGID language = 0;               // Metadata
  std::size_t event = 0;             // EventOf
  std::vector<std::wstring> paths;   // Context of values; none for user data
  bool user = false;
  bool answered = false;             // Session: its first query has been answered
  const Handle* session = nullptr;   // of what a session's query gives; null for this computer

  const Event& the() const { return (*log)[event]; }
};

std::shared_ptr<Log> events;
std::map<std::wstring, DWORD> failures;    // "FUNCTION N" -> error
std::map<std::wstring, DWORD> publishers;  // provider -> error
std::set<LANGID> languages;                // of the messages; empty: every one
std::optional<std::size_t> batch;
std::optional<std::size_t> staleAfter;
std::optional<std::size_t> clearedAfter;
std::vector<std::wstring> cleared;  // the channels cleared since the file last changed
bool stub = false;
bool exact = false;                       // the XPath compares strings exactly
std::map<std::wstring, std::wstring> computers;  // name in lower case -> events file or code
std::map<std::wstring, DWORD> delays;            // name in lower case -> milliseconds
std::map<std::wstring, std::size_t> hangs;       // "name FUNCTION" -> the first call that hangs
std::map<std::wstring, std::size_t> hangCalls;   // "name FUNCTION" -> calls since the file changed
std::map<const Handle*, unsigned> cancels;       // EvtCancel calls on each handle, null included
std::map<std::wstring, int> calls;
std::string written;  // the events file as last read
std::set<Handle*> handles;

// One call at a time, as threads call in; let go while a call waits, which other threads'
// calls must not.
brask::CriticalSection section;

struct Lock : std::unique_lock<brask::CriticalSection> {
  Lock() : unique_lock(section) {}
};

std::wstring variable(const wchar_t* name) {
  wchar_t value[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

std::string utf8(const std::wstring& text) {
  std::string bytes(text.size() * 3 + 1, '\0');
  bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(
      CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
      static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

void log(const std::wstring& line) {
  const std::wstring path = variable(L"BRASK_EVT_DOUBLE_LOG");
  if (path.empty()) return;
  const std::wstring clock =
      variable(L"BRASK_EVT_DOUBLE_CLOCK").empty() ? L"" : std::to_wstring(GetTickCount()) + L" ";
  std::ofstream(path.c_str(), std::ios::app | std::ios::binary) << utf8(clock + line) << '\n';
}

// A failure the test asked for at this call of the function: set and true.
bool fails(const wchar_t* function) {
  const std::wstring key = std::wstring(function) + L" " + std::to_wstring(++calls[function]);
  const auto found = failures.find(key);
  if (found == failures.end()) return false;
  SetLastError(found->second);
  return true;
}

std::wstring unescaped(const std::wstring& text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const wchar_t c = text[++i];
    if (c == L'r') out += L'\r';
    else if (c == L'n') out += L'\n';
    else if (c == L't') out += L'\t';
    else if (c == L'u' && i + 4 < text.size()) {
      out += static_cast<wchar_t>(std::stoul(text.substr(i + 1, 4), nullptr, 16));
      i += 4;
    } else out += c;
  }
  return out;
}

std::string hexBytes(const std::wstring& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

Value valueOf(const std::wstring& text, const std::wstring& kind) {
  std::wstring type = kind;
  std::wstring rest = text;
  if (const std::size_t colon = text.find(L':'); colon != std::wstring::npos && colon <= 7) {
    type = text.substr(0, colon);
    rest = text.substr(colon + 1);
  }
  Value value;
  if (text == L"null") return value;
  if (type.size() > 2 && type.ends_with(L"[]")) {
    type.resize(type.size() - 2);
    std::wstringstream split(rest);
    for (std::wstring element; std::getline(split, element, L',');)
      value.elements.push_back(valueOf(type + L":" + element, type));
    value.type = (value.elements.empty() ? DWORD{EvtVarTypeString} : value.elements[0].type) |
                 EVT_VARIANT_TYPE_ARRAY;
    return value;
  }
  // Each kind, and the size of its value in an array.
  static const std::map<std::wstring, std::pair<DWORD, std::size_t>> kKinds{
      {L"bool", {EvtVarTypeBoolean, 4}}, {L"u8", {EvtVarTypeByte, 1}}, {L"u16", {EvtVarTypeUInt16, 2}},
      {L"u32", {EvtVarTypeUInt32, 4}}, {L"u64", {EvtVarTypeUInt64, 8}}, {L"i8", {EvtVarTypeSByte, 1}},
      {L"i16", {EvtVarTypeInt16, 2}}, {L"i32", {EvtVarTypeInt32, 4}}, {L"i64", {EvtVarTypeInt64, 8}},
      {L"hex32", {EvtVarTypeHexInt32, 4}}, {L"hex64", {EvtVarTypeHexInt64, 8}},
      {L"sizet", {EvtVarTypeSizeT, sizeof(std::size_t)}}, {L"f32", {EvtVarTypeSingle, 4}},
      {L"f64", {EvtVarTypeDouble, 8}}, {L"str", {EvtVarTypeString, sizeof(void*)}},
      {L"ansi", {EvtVarTypeAnsiString, sizeof(void*)}}, {L"ft", {EvtVarTypeFileTime, 8}},
      {L"st", {EvtVarTypeSysTime, 16}}, {L"guid", {EvtVarTypeGuid, 16}}, {L"sid", {EvtVarTypeSid, 0}},
      {L"bin", {EvtVarTypeBinary, 0}}};
  const auto found = kKinds.find(type);
  if (found == kKinds.end()) {
    value.type = EvtVarTypeString;
    value.text = unescaped(text);
    return value;
  }
  std::tie(value.type, value.size) = found->second;
  switch (value.type) {
    case EvtVarTypeString: value.text = unescaped(rest); break;
    case EvtVarTypeAnsiString: value.bytes = utf8(unescaped(rest)) + '\0'; break;
    case EvtVarTypeFileTime:
    case EvtVarTypeSysTime: {
      value.number = brask::fileTimeOfSystemTime(utf8(rest)).value_or(0);
      const FILETIME time{static_cast<DWORD>(value.number), static_cast<DWORD>(value.number >> 32)};
      SYSTEMTIME system;
      FileTimeToSystemTime(&time, &system);
      if (value.type == EvtVarTypeSysTime) value.bytes.assign(reinterpret_cast<char*>(&system), sizeof system);
      break;
    }
    case EvtVarTypeGuid:
    case EvtVarTypeSid:
    case EvtVarTypeBinary: value.bytes = hexBytes(rest); break;
    case EvtVarTypeSingle: {
      const float single = std::stof(rest);
      std::memcpy(&value.number, &single, sizeof single);
      break;
    }
    case EvtVarTypeDouble: {
      const double real = std::stod(rest);
      std::memcpy(&value.number, &real, sizeof real);
      break;
    }
    case EvtVarTypeSByte:
    case EvtVarTypeInt16:
    case EvtVarTypeInt32:
    case EvtVarTypeInt64: value.number = static_cast<std::uint64_t>(std::stoll(rest)); break;
    case EvtVarTypeBoolean: value.number = rest == L"true"; break;
    default: value.number = std::stoull(rest, nullptr, 0); break;
  }
  return value;
}

bool sameName(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(),
                                                static_cast<int>(a.size()), b.data(),
                                                static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::wstring textOf(const Event& event, const wchar_t* key) {
  const auto value = event.fields.find(key);
  return value == event.fields.end() ? std::wstring() : value->second.text;
}

std::wstring channelOf(const Event& event) { return textOf(event, L"channel"); }

// The log that holds the event: its own channel unless it was forwarded to another.
std::wstring logOf(const Event& event) {
  return event.fields.count(L"log") ? textOf(event, L"log") : channelOf(event);
}

std::wstring lowerCase(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

// A line of a file, split at its tabs.
std::vector<std::wstring> fieldsOf(const std::string& bytes) {
  std::wstring line(bytes.size(), L'\0');
  line.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), line.data(),
      static_cast<int>(line.size()))));
  std::vector<std::wstring> fields;
  std::wstringstream split(line);
  for (std::wstring field; std::getline(split, field, L'\t');) fields.push_back(field);
  return fields;
}

// The event of a line's fields, numbered as the log's `number`th unless it says otherwise.
Event eventOf(const std::vector<std::wstring>& fields, std::size_t number) {
  static const std::map<std::wstring, std::wstring> kDefault{
      {L"level", L"u8"}, {L"task", L"u16"}, {L"keywords", L"hex64"}, {L"id", L"u16"},
      {L"time", L"ft"}, {L"record", L"u64"}};
  Event event;
  event.fields[L"record"] = valueOf(std::to_wstring(number), L"u64");
  for (const std::wstring& field : fields) {
    const std::size_t equals = field.find(L'=');
    if (equals == std::wstring::npos || equals == 0) continue;
    const wchar_t mark = field[equals - 1];
    std::wstring key = field.substr(0, mark == L'!' || mark == L'~' ? equals - 1 : equals);
    const std::wstring text = field.substr(equals + 1);
    LANGID language = 0;
    if (const std::size_t at = key.find(L'@'); at != std::wstring::npos) {
      language = static_cast<LANGID>(std::stoul(key.substr(at + 1)));
      key.resize(at);
    }
    if (key == L"message") {
      if (mark == L'!') event.messageError = std::stoul(text);
      else event.messages[language] = unescaped(text);
      if (mark == L'~') event.messageError = ERROR_EVT_UNRESOLVED_VALUE_INSERT;
    } else if (key == L"binary") {
      event.binary = text;
    } else if (key == L"string") {
      event.strings.push_back(valueOf(text, L"str"));
    } else if (key == L"rendered") {
      event.rendered = unescaped(text);
    } else {
      const auto kind = kDefault.find(key);
      event.fields[key] = valueOf(text, kind == kDefault.end() ? L"str" : kind->second);
    }
  }
  return event;
}

// The events of another computer's file, its "!" lines left unread.
std::shared_ptr<Log> eventsOfFile(const std::wstring& path) {
  auto log = std::make_shared<Log>();
  std::ifstream file(path.c_str(), std::ios::binary);
  for (std::string bytes; std::getline(file, bytes);) {
    const std::vector<std::wstring> fields = fieldsOf(bytes);
    if (!fields.empty() && fields[0][0] != L'!') log->push_back(eventOf(fields, log->size() + 1));
  }
  return log;
}

void load() {
  std::ifstream file(variable(L"BRASK_EVT_DOUBLE_EVENTS").c_str(), std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(file)), {});
  // The queries and sessions are counted, and the logs stay cleared, until the file changes.
  const bool changed = content != written;
  const int queries = changed ? 0 : calls[L"EvtQuery"];
  const int sessions = changed ? 0 : calls[L"EvtOpenSession"];
  if (changed) {
    cleared.clear();
    hangCalls.clear();
  }
  written = content;
  events = std::make_shared<Log>();
  failures.clear();
  publishers.clear();
  languages.clear();
  batch.reset();
  staleAfter.reset();
  clearedAfter.reset();
  stub = false;
  exact = false;
  computers.clear();
  delays.clear();
  hangs.clear();
  calls.clear();
  calls[L"EvtQuery"] = queries;
  calls[L"EvtOpenSession"] = sessions;
  std::istringstream in(content);
  std::string bytes;
  while (std::getline(in, bytes)) {
    const std::vector<std::wstring> fields = fieldsOf(bytes);
    if (fields.empty()) continue;
    if (fields[0] == L"!fail" && fields.size() == 4) {
      failures[fields[1] + L" " + fields[2]] = std::stoul(fields[3]);
      continue;
    }
    if (fields[0] == L"!publisher" && fields.size() == 3) {
      publishers[fields[1]] = std::stoul(fields[2]);
      continue;
    }
    if (fields[0] == L"!languages") {
      for (std::size_t i = 1; i < fields.size(); ++i) languages.insert(static_cast<LANGID>(std::stoul(fields[i])));
      continue;
    }
    if (fields[0] == L"!batch" && fields.size() == 2) batch = std::stoul(fields[1]);
    if (fields[0] == L"!stale" && fields.size() == 2) staleAfter = std::stoul(fields[1]);
    if (fields[0] == L"!cleared" && fields.size() == 2) clearedAfter = std::stoul(fields[1]);
    if (fields[0] == L"!stub") stub = true;
    if (fields[0] == L"!exact") exact = true;
    if (fields[0] == L"!computer" && fields.size() == 3) computers[lowerCase(fields[1])] = fields[2];
    if (fields[0] == L"!delay" && fields.size() == 3)
      delays[lowerCase(fields[1])] = std::stoul(fields[2]);
    if (fields[0] == L"!hang" && (fields.size() == 3 || fields.size() == 4))
      hangs[lowerCase(fields[1]) + L" " + fields[2]] = fields.size() == 4 ? std::stoul(fields[3]) : 1;
    if (fields[0][0] == L'!') continue;
    events->push_back(eventOf(fields, events->size() + 1));
  }
  for (const std::wstring& channel : cleared) {
    std::erase_if(*events, [&](const Event& e) { return sameName(logOf(e), channel); });
    // What the System log writes when it is cleared, numbered 1 as its log begins anew.
    Event event;
    event.fields[L"channel"] = valueOf(channel, L"str");
    event.fields[L"record"] = valueOf(L"1", L"u64");
    event.fields[L"provider"] = valueOf(L"Microsoft-Windows-Eventlog", L"str");
    event.fields[L"id"] = valueOf(L"104", L"u16");
    event.fields[L"level"] = valueOf(L"4", L"u8");
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    event.fields[L"time"].type = EvtVarTypeFileTime;
    event.fields[L"time"].number = std::uint64_t{now.dwHighDateTime} << 32 | now.dwLowDateTime;
    events->push_back(event);
  }
}

// The XPath of a query: "*", or "*[System[...]]" over Level, EventRecordID and
// TimeCreated/@SystemTime with = != < <= > >=, Computer and Channel with = and a quoted
// text, and, or and parentheses, as the event service reads them: a test of a value the
// event lacks is false.
class XPath {
 public:
  explicit XPath(std::wstring text) : text_(std::move(text)) {}

  // Whether the event matches; nothing when the text is no query of this form.
  std::optional<bool> matches(const Event& event) {
    event_ = &event;
    at_ = 0;
    if (take(L"*") && at_ == text_.size()) return true;
    at_ = 0;
    if (!take(L"*[System[")) return std::nullopt;
    const std::optional<bool> result = any();
    if (!result || !take(L"]]") || at_ != text_.size()) return std::nullopt;
    return result;
  }

 private:
  bool take(const std::wstring& token) {
    while (at_ < text_.size() && text_[at_] == L' ') ++at_;
    if (text_.compare(at_, token.size(), token) != 0) return false;
    at_ += token.size();
    return true;
  }

  std::optional<bool> any() {
    std::optional<bool> result = all();
    while (result && take(L"or")) {
      const std::optional<bool> next = all();
      if (!next) return std::nullopt;
      result = *result || *next;
    }
    return result;
  }

  std::optional<bool> all() {
    std::optional<bool> result = one();
    while (result && take(L"and")) {
      const std::optional<bool> next = one();
      if (!next) return std::nullopt;
      result = *result && *next;
    }
    return result;
  }

  std::optional<int> comparison() {
    for (const auto& [token, order] :
         {std::pair<const wchar_t*, int>{L"!=", 0}, {L"<=", 1}, {L">=", 2}, {L"=", 3}, {L"<", 4}, {L">", 5}}) {
      if (take(token)) return order;
    }
    return std::nullopt;
  }

  static bool compare(std::uint64_t a, int order, std::uint64_t b) {
    switch (order) {
      case 0: return a != b;
      case 1: return a <= b;
      case 2: return a >= b;
      case 3: return a == b;
      case 4: return a < b;
      default: return a > b;
    }
  }

  // Computer='...' or Channel="...".
  std::optional<bool> text(const wchar_t* field) {
    if (!take(L"=")) return std::nullopt;
    const wchar_t quote = at_ < text_.size() ? text_[at_] : L'\0';
    if (quote != L'\'' && quote != L'"') return std::nullopt;
    const std::size_t end = text_.find(quote, at_ + 1);
    if (end == std::wstring::npos) return std::nullopt;
    const std::wstring operand = text_.substr(at_ + 1, end - at_ - 1);
    at_ = end + 1;
    const std::wstring value = textOf(*event_, field);
    if (!event_->fields.count(field)) return false;
    return exact ? value == operand : sameName(value, operand);
  }

  std::optional<bool> one() {
    if (take(L"(")) {
      const std::optional<bool> result = any();
      return result && take(L")") ? result : std::nullopt;
    }
    if (take(L"Computer")) return text(L"computer");
    if (take(L"Channel")) return text(L"channel");
    const wchar_t* field = take(L"Level")                     ? L"level"
                           : take(L"EventRecordID")             ? L"record"
                           : take(L"TimeCreated[@SystemTime") ? L"time"
                                                                : nullptr;
    if (!field) return std::nullopt;
    const bool number = field != std::wstring(L"time");
    const std::optional<int> order = comparison();
    if (!order) return std::nullopt;
    std::uint64_t operand = 0;
    if (number) {
      const std::size_t start = at_;
      while (at_ < text_.size() && iswdigit(text_[at_])) ++at_;
      if (at_ == start) return std::nullopt;
      operand = std::stoull(text_.substr(start, at_ - start));
    } else {
      if (!take(L"'")) return std::nullopt;
      const std::size_t end = text_.find(L'\'', at_);
      if (end == std::wstring::npos) return std::nullopt;
      const auto time = brask::fileTimeOfSystemTime(utf8(text_.substr(at_, end - at_)));
      at_ = end + 1;
      if (!time || !take(L"]")) return std::nullopt;
      operand = *time;
    }
    const auto value = event_->fields.find(field);
    if (value == event_->fields.end() || value->second.type == EvtVarTypeNull ||
        value->second.type == EvtVarTypeString) {
      return false;
    }
    return compare(value->second.number, *order, operand);
  }

  std::wstring text_;
  std::size_t at_ = 0;
  const Event* event_ = nullptr;
};

EVT_HANDLE made(Handle* handle) {
  handles.insert(handle);
  return handle;
}

Handle* handleOf(EVT_HANDLE handle, Handle::Kind kind) {
  Handle* found = static_cast<Handle*>(handle);
  return handles.count(found) && found->kind == kind ? found : nullptr;
}

// Whether this call of the function, of the session's computer (null: this one's), is one
// that never answers: it has then waited, without the lock, for EvtCancel on the handle that
// cancels it (the session, or the result of an EvtNext), or for its timeout, and set the
// error it fails with.
bool hung(Lock& lock, const wchar_t* function, const Handle* session, const Handle* cancelledBy,
          DWORD timeout = INFINITE) {
  const std::wstring key = (session ? lowerCase(session->computer) : L".") + L" " + function;
  const auto found = hangs.find(key);
  if (found == hangs.end() || ++hangCalls[key] < found->second) return false;
  log(L"hang " + key);
  const unsigned before = cancels[cancelledBy];
  const DWORD start = GetTickCount();
  for (;;) {
    if (cancels[cancelledBy] != before) {
      SetLastError(ERROR_CANCELLED);
      return true;
    }
    if (timeout != INFINITE && GetTickCount() - start >= timeout) {
      SetLastError(ERROR_TIMEOUT);
      return true;
    }
    lock.unlock();
    Sleep(2);
    lock.lock();
  }
}

// The value an XPath of a values context selects.
Value valueAt(const Event& event, const std::wstring& path) {
  static const std::map<std::wstring, std::wstring> kPaths{
      {L"Event/System/Level", L"level"},
      {L"Event/System/Keywords", L"keywords"},
      {L"Event/System/Task", L"task"},
      {L"Event/System/EventID", L"id"},
      {L"Event/System/Provider/@Name", L"provider"},
      {L"Event/System/Provider/@EventSourceName", L"source"},
      {L"Event/System/TimeCreated/@SystemTime", L"time"},
      {L"Event/System/EventRecordID", L"record"},
      {L"Event/System/Computer", L"computer"},
      {L"Event/System/Channel", L"channel"}};
  const auto key = kPaths.find(path);
  if (key == kPaths.end()) return {};
  const auto value = event.fields.find(key->second);
  return value == event.fields.end() ? Value{} : value->second;
}

std::size_t aligned(std::size_t size) { return (size + 7) / 8 * 8; }

// Rendered values laid out in a buffer, or only measured where it has none: the variants,
// then what they point at.
class Layout {
 public:
  Layout(char* buffer, std::size_t variants) : base_(buffer), at_(aligned(variants * sizeof(EVT_VARIANT))) {}

  std::size_t size() const { return at_; }

  // Where the bytes went; null while measuring.
  void* put(const void* bytes, std::size_t size) {
    void* place = base_ ? base_ + at_ : nullptr;
    if (base_ && size > 0) std::memcpy(place, bytes, size);
    at_ = aligned(at_ + size);
    return place;
  }

  EVT_VARIANT variant(const Value& value) {
    EVT_VARIANT variant;
    std::memset(&variant, 0, sizeof variant);
    variant.Type = value.type;
    if (value.type & EVT_VARIANT_TYPE_ARRAY) {
      std::string items;
      for (const Value& element : value.elements) items += inlined(element);
      variant.BinaryVal = static_cast<PBYTE>(put(items.data(), items.size()));
      variant.Count = static_cast<DWORD>(value.elements.size());
    } else if (value.type == EvtVarTypeString) {
      variant.StringVal = static_cast<LPCWSTR>(put(value.text.c_str(), (value.text.size() + 1) * sizeof(wchar_t)));
    } else if (!value.bytes.empty()) {
      variant.BinaryVal = static_cast<PBYTE>(put(value.bytes.data(), value.bytes.size()));
      variant.Count = static_cast<DWORD>(value.bytes.size());
    } else if (value.type != EvtVarTypeBinary) {
      variant.UInt64Val = value.number;
    }
    return variant;
  }

 private:
  // An element as an array holds it: a number in its own size, a GUID or SYSTEMTIME whole,
  // a pointer to a string.
  std::string inlined(const Value& element) {
    const DWORD type = element.type & EVT_VARIANT_TYPE_MASK;
    if (type == EvtVarTypeGuid || type == EvtVarTypeSysTime) return element.bytes;
    const std::size_t size = element.size;
    std::uint64_t bits = element.number;
    if (type == EvtVarTypeString || type == EvtVarTypeAnsiString) {
      const void* place = type == EvtVarTypeString
                              ? put(element.text.c_str(), (element.text.size() + 1) * sizeof(wchar_t))
                              : put(element.bytes.data(), element.bytes.size());
      bits = reinterpret_cast<std::uintptr_t>(place);
    }
    return std::string(reinterpret_cast<const char*>(&bits), size);
  }

  char* base_;
  std::size_t at_;
};

// The event as its XML, as far as the program reads it: the EventData with its Data and a
// classic event's Binary.
std::wstring xmlOf(const Event& event) {
  std::wstring xml = L"<Event xmlns='http://schemas.microsoft.com/win/2004/08/events/event'>"
                     L"<System/>\r\n  <EventData>";
  for (std::size_t i = 0; i < event.strings.size(); ++i) xml += L"\r\n    <Data>" + std::to_wstring(i) + L"</Data>";
  if (event.binary) xml += L"\r\n    <Binary>" + *event.binary + L"</Binary>";
  return xml + L"\r\n  </EventData>\r\n</Event>";
}

}  // namespace

// The events a session's query reads: its computer's; null, with the error set, when the
// computer fails its queries.
std::shared_ptr<Log> eventsOf(const Handle& session) {
  const auto named = computers.find(lowerCase(session.computer));
  const std::wstring what = named == computers.end() ? L"1722" : named->second;
  if (!what.empty() && std::all_of(what.begin(), what.end(), iswdigit)) {
    SetLastError(std::stoul(what));
    return nullptr;
  }
  return eventsOfFile(what);
}

extern "C" {

__declspec(dllexport) EVT_HANDLE WINAPI EvtOpenSession(EVT_LOGIN_CLASS loginClass, PVOID login,
                                                       DWORD timeout, DWORD flags) {
  const Lock lock;
  const auto* rpc = static_cast<const EVT_RPC_LOGIN*>(login);
  if (loginClass != EvtRpcLogin || !rpc || !rpc->Server || rpc->User || rpc->Domain ||
      rpc->Password || timeout != 0 || flags != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  load();
  if (stub) return nullptr;
  if (fails(L"EvtOpenSession")) return nullptr;
  auto* session = new Handle(Handle::Session);
  session->computer = rpc->Server;
  log(L"session " + session->computer);
  return made(session);
}

__declspec(dllexport) EVT_HANDLE WINAPI EvtQuery(EVT_HANDLE session, LPCWSTR path, LPCWSTR query,
                                                 DWORD flags) {
  DWORD delay = 0;
  {
    const Lock lock;
    Handle* on = handleOf(session, Handle::Session);
    if (on && !on->answered) {
      on->answered = true;
      const auto found = delays.find(lowerCase(on->computer));
      if (found != delays.end()) delay = found->second;
    }
  }
  // The other computer takes its time, beside the others.
  Sleep(delay);
  Lock lock;
  load();
  if (stub) return nullptr;
  if (fails(L"EvtQuery")) return nullptr;
  const std::wstring channel = path ? path : L"";
  Handle* on = handleOf(session, Handle::Session);
  if ((!session || on) && hung(lock, L"EvtQuery", on, on)) return nullptr;
  log(L"query " + (on ? L"@" + on->computer + L" " : L"") + channel + L" " + (query ? query : L""));
  if ((session && !on) || !(flags & EvtQueryChannelPath)) {
    SetLastError(session && !on ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::shared_ptr<Log> queried = on ? eventsOf(*on) : events;
  if (!queried) return nullptr;
  const bool known = sameName(channel, L"Application") || sameName(channel, L"System") ||
                     std::any_of(queried->begin(), queried->end(),
                                 [&](const Event& e) { return sameName(logOf(e), channel); });
  if (!known) {
    SetLastError(ERROR_EVT_CHANNEL_NOT_FOUND);
    return nullptr;
  }
  auto results = std::make_unique<Handle>(Handle::Results);
  results->log = queried;
  results->channel = channel;
  results->session = on;
  if (on) results->computer = on->computer;
  XPath xpath(query ? query : L"*");
  if (!xpath.matches(Event{})) {
    SetLastError(ERROR_EVT_INVALID_QUERY);
    return nullptr;
  }
  for (std::size_t i = 0; i < queried->size(); ++i) {
    const Event& event = (*queried)[i];
    if (!sameName(logOf(event), channel)) continue;
    const std::optional<bool> match = xpath.matches(event);
    if (!match) {
      SetLastError(ERROR_EVT_INVALID_QUERY);
      return nullptr;
    }
    if (*match) results->left.push_back(i);
  }
  if (flags & EvtQueryReverseDirection) std::reverse(results->left.begin(), results->left.end());
  return made(results.release());
}

__declspec(dllexport) BOOL WINAPI EvtNext(EVT_HANDLE resultSet, DWORD count, EVT_HANDLE* out,
                                          DWORD timeout, DWORD flags, PDWORD returned) {
  Lock lock;
  Handle* results = handleOf(resultSet, Handle::Results);
  if (!results || flags != 0 || !out || !returned || count == 0) {
    SetLastError(results ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (fails(L"EvtNext")) return FALSE;
  if (hung(lock, L"EvtNext", results->session, results, timeout)) return FALSE;
  *returned = 0;
  if (results->left.empty()) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  // A log not yet cleared is cleared once the result has delivered its events.
  const bool clears = clearedAfter && std::none_of(cleared.begin(), cleared.end(),
                                                   [&](const std::wstring& c) {
                                                     return sameName(c, results->channel);
                                                   });
  const bool clearing = clears && results->delivered >= *clearedAfter;
  if (clearing) cleared.push_back(results->channel);
  if (clearing || (staleAfter && results->delivered >= *staleAfter)) {
    SetLastError(ERROR_EVT_QUERY_RESULT_STALE);
    return FALSE;
  }
  const std::size_t most = std::min<std::size_t>(
      {count, batch.value_or(count), staleAfter.value_or(SIZE_MAX) - results->delivered,
       clears ? *clearedAfter - results->delivered : SIZE_MAX});
  while (*returned < most && !results->left.empty()) {
    auto* event = new Handle(Handle::EventOf);
    event->log = results->log;
    event->computer = results->computer;
    event->session = results->session;
    event->event = results->left.front();
    out[(*returned)++] = made(event);
    results->left.erase(results->left.begin());
    ++results->delivered;
  }
  log(L"next " + (results->session ? L"@" + results->computer + L" " : L"") + std::to_wstring(*returned));
  return TRUE;
}

__declspec(dllexport) EVT_HANDLE WINAPI EvtCreateRenderContext(DWORD count, LPCWSTR* paths,
                                                               DWORD flags) {
  const Lock lock;
  // Wine has no such function: its caller ends.
  std::ifstream in(variable(L"BRASK_EVT_DOUBLE_EVENTS").c_str(), std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (line == "!stub") {
      log(L"unimplemented EvtCreateRenderContext");
      TerminateProcess(GetCurrentProcess(), 3);
    }
  }
  auto* context = new Handle(Handle::Context);
  if (flags == EvtRenderContextUser && count == 0) {
    context->user = true;
  } else if (flags == EvtRenderContextValues && count > 0 && paths) {
    context->paths.assign(paths, paths + count);
  } else {
    delete context;
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return made(context);
}

__declspec(dllexport) BOOL WINAPI EvtRender(EVT_HANDLE context, EVT_HANDLE fragment, DWORD flags,
                                            DWORD bufferSize, PVOID buffer, PDWORD used,
                                            PDWORD count) {
  Lock lock;
  Handle* renderer = handleOf(context, Handle::Context);
  Handle* event = handleOf(fragment, Handle::EventOf);
  const bool xml = flags == EvtRenderEventXml && !context;
  if ((!renderer && !xml) || !event || (flags != EvtRenderEventValues && !xml) || !used || !count) {
    SetLastError((renderer || xml) && event ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (fails(L"EvtRender")) return FALSE;
  if (hung(lock, L"EvtRender", event->session, event->session)) return FALSE;
  if (xml) {
    const std::wstring text = xmlOf(event->the());
    *used = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    *count = 0;
    if (bufferSize < *used || !buffer) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return FALSE;
    }
    std::memcpy(buffer, text.c_str(), *used);
    return TRUE;
  }
  std::vector<Value> values = event->the().strings;
  if (event->the().binary) {
    Value binary;
    binary.type = EvtVarTypeBinary;
    binary.bytes = hexBytes(*event->the().binary);
    values.push_back(binary);
  }
  if (!renderer->user) {
    values.clear();
    for (const std::wstring& path : renderer->paths) values.push_back(valueAt(event->the(), path));
  }
  Layout measure(nullptr, values.size());
  for (const Value& value : values) measure.variant(value);
  *used = static_cast<DWORD>(measure.size());
  *count = static_cast<DWORD>(values.size());
  if (bufferSize < *used || !buffer) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  Layout layout(static_cast<char*>(buffer), values.size());
  for (std::size_t i = 0; i < values.size(); ++i) static_cast<EVT_VARIANT*>(buffer)[i] = layout.variant(values[i]);
  return TRUE;
}

__declspec(dllexport) EVT_HANDLE WINAPI EvtOpenPublisherMetadata(EVT_HANDLE session,
                                                                 LPCWSTR publisher,
                                                                 LPCWSTR logFile, LCID locale,
                                                                 DWORD) {
  Lock lock;
  Handle* on = handleOf(session, Handle::Session);
  if ((session && !on) || logFile || !publisher) {
    SetLastError(session && !on ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  log(std::wstring(L"open ") + publisher + L" " + std::to_wstring(locale));
  if (fails(L"EvtOpenPublisherMetadata")) return nullptr;
  if (hung(lock, L"EvtOpenPublisherMetadata", on, on)) return nullptr;
  if (const auto found = publishers.find(publisher); found != publishers.end()) {
    SetLastError(found->second);
    return nullptr;
  }
  auto* metadata = new Handle(Handle::Metadata);
  metadata->language = LANGIDFROMLCID(locale ? locale : GetThreadLocale());
  metadata->session = on;
  if (on) metadata->computer = on->computer;
  return made(metadata);
}

__declspec(dllexport) BOOL WINAPI EvtFormatMessage(EVT_HANDLE metadata, EVT_HANDLE event,
                                                   DWORD messageId, DWORD valueCount,
                                                   PEVT_VARIANT values, DWORD flags,
                                                   DWORD bufferSize, LPWSTR buffer, PDWORD used) {
  Lock lock;
  Handle* formatter = handleOf(metadata, Handle::Metadata);
  Handle* formatted = handleOf(event, Handle::EventOf);
  if ((metadata && !formatter) || !formatted || messageId || valueCount || values ||
      flags != EvtFormatMessageEvent || !used) {
    SetLastError((formatter || !metadata) && formatted ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (fails(L"EvtFormatMessage")) return FALSE;
  if (hung(lock, L"EvtFormatMessage", formatted->session, formatted->session)) return FALSE;
  const Event& source = formatted->the();
  // Without metadata, the message that the event's computer rendered when it forwarded it.
  std::optional<std::wstring> text = formatter ? std::nullopt : source.rendered;
  DWORD error = ERROR_SUCCESS;
  if (formatter) {
    if (!languages.empty() && !languages.count(formatter->language)) {
      SetLastError(ERROR_MUI_FILE_NOT_FOUND);
      return FALSE;
    }
    // Another computer's providers know nothing of the event.
    if (lowerCase(formatter->computer) != lowerCase(formatted->computer)) {
      SetLastError(ERROR_EVT_MESSAGE_NOT_FOUND);
      return FALSE;
    }
    auto message = source.messages.find(formatter->language);
    if (message == source.messages.end()) message = source.messages.find(0);
    if (message != source.messages.end()) text = message->second;
    error = source.messageError;
  }
  if (!text) {
    SetLastError(error ? error : ERROR_EVT_MESSAGE_NOT_FOUND);
    return FALSE;
  }
  *used = static_cast<DWORD>(text->size() + 1);
  if (bufferSize < *used || !buffer) {
    // As the real one, the sizing call of a message whose inserts do not resolve says so.
    SetLastError(error ? error : ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, text->c_str(), *used * sizeof(wchar_t));
  if (error) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI EvtClose(EVT_HANDLE object) {
  const Lock lock;
  Handle* handle = static_cast<Handle*>(object);
  if (!handles.erase(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  delete handle;
  // As a real call may, a success leaves no error behind.
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI EvtCancel(EVT_HANDLE object) {
  const Lock lock;
  const Handle* handle = static_cast<Handle*>(object);
  if (handle && !handles.count(const_cast<Handle*>(handle))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  ++cancels[handle];
  log(L"cancel " + (!handle                            ? std::wstring(L".")
                    : handle->kind == Handle::Session ? handle->computer
                                                      : std::wstring(L"results")));
  return TRUE;
}

// For the tests alone: how many handles are open.
__declspec(dllexport) DWORD WINAPI BraskDoubleOpenHandles() {
  const Lock lock;
  return static_cast<DWORD>(handles.size());
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    log(L"loaded " + std::wstring(path, length));
  }
  return TRUE;
}

}  // extern "C"
