// A wevtapi.dll for the tests, installed over Wine's stub in a test prefix's system
// directory: the Windows Event Log API as Microsoft documents it, over events that each
// test writes.
//
// BRASK_EVT_DOUBLE_EVENTS names a UTF-8 file, read anew by every EvtQuery. Each line is an
// event of its log, oldest first, as tab-separated key=value fields: channel, level, task,
// keywords, id, provider, source (the provider's EventSourceName), time (SystemTime text),
// message (what EvtFormatMessage gives; message!=CODE fails with CODE, message~=TEXT gives
// TEXT with unresolved inserts), and string (one a value of the user data, in order). A
// value may name its kind, as in level=str:high or string=u32:7 (u8 u16 u32 u64 hex64 i32
// str ft guid sid bin null). In text, \r \n \t \\ and \uXXXX stand for themselves. Lines
// starting with "!" direct the double: "!fail FUNCTION N CODE" makes the Nth call since the
// query fail with CODE; "!publisher NAME CODE" makes the provider's metadata fail to open.
// BRASK_EVT_DOUBLE_LOG names a file to which the double adds a line for what it did:
// "loaded PATH", "query CHANNEL XPATH", "next COUNT", "open PROVIDER".
#include <windows.h>

#pragma push_macro("_WIN32_WINNT")
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <winevt.h>
#pragma pop_macro("_WIN32_WINNT")

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/event_log/file_time.h"

namespace {

struct Value {
  DWORD type = EvtVarTypeNull;
  std::wstring text;       // strings
  std::uint64_t number = 0;  // numbers and FILETIMEs
  std::string bytes;       // GUID, SID, binary
};

struct Event {
  std::map<std::wstring, Value> fields;
  std::vector<Value> strings;
  std::optional<std::wstring> message;
  DWORD messageError = 0;  // ERROR_EVT_UNRESOLVED_VALUE_INSERT with a message, else a failure
};

using Log = std::vector<Event>;

struct Handle {
  enum Kind { Results, EventOf, Context, Metadata };
  explicit Handle(Kind of) : kind(of) {}

  Kind kind;
  std::shared_ptr<const Log> log;    // of the query, kept while a handle needs it
  std::vector<std::size_t> left;     // Results: the events still to deliver, in order
  std::size_t event = 0;             // EventOf
  std::vector<std::wstring> paths;   // Context of values; none for user data
  bool user = false;

  const Event& the() const { return (*log)[event]; }
};

std::shared_ptr<Log> events;
std::map<std::wstring, DWORD> failures;    // "FUNCTION N" -> error
std::map<std::wstring, DWORD> publishers;  // provider -> error
std::map<std::wstring, int> calls;
std::set<Handle*> handles;

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
  std::ofstream(path.c_str(), std::ios::app | std::ios::binary) << utf8(line) << '\n';
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
  if (const std::size_t colon = text.find(L':'); colon != std::wstring::npos && colon <= 5) {
    type = text.substr(0, colon);
    rest = text.substr(colon + 1);
  }
  Value value;
  if (text == L"null") return value;
  static const std::map<std::wstring, DWORD> kKinds{
      {L"u8", EvtVarTypeByte},        {L"u16", EvtVarTypeUInt16}, {L"u32", EvtVarTypeUInt32},
      {L"u64", EvtVarTypeUInt64},     {L"hex64", EvtVarTypeHexInt64}, {L"i32", EvtVarTypeInt32},
      {L"str", EvtVarTypeString},     {L"ft", EvtVarTypeFileTime}, {L"guid", EvtVarTypeGuid},
      {L"sid", EvtVarTypeSid},        {L"bin", EvtVarTypeBinary}};
  const auto found = kKinds.find(type);
  if (found == kKinds.end()) {
    value.type = EvtVarTypeString;
    value.text = unescaped(text);
    return value;
  }
  value.type = found->second;
  if (value.type == EvtVarTypeString) value.text = unescaped(rest);
  else if (value.type == EvtVarTypeFileTime)
    value.number = brask::fileTimeOfSystemTime(utf8(rest)).value_or(0);
  else if (value.type == EvtVarTypeGuid || value.type == EvtVarTypeSid || value.type == EvtVarTypeBinary)
    value.bytes = hexBytes(rest);
  else if (value.type == EvtVarTypeInt32)
    value.number = static_cast<std::uint64_t>(std::stoll(rest));
  else
    value.number = std::stoull(rest, nullptr, 0);
  return value;
}

void load() {
  events = std::make_shared<Log>();
  failures.clear();
  publishers.clear();
  calls.clear();
  std::ifstream in(variable(L"BRASK_EVT_DOUBLE_EVENTS").c_str(), std::ios::binary);
  std::string bytes;
  while (std::getline(in, bytes)) {
    std::wstring line(bytes.size(), L'\0');
    line.resize(static_cast<std::size_t>(MultiByteToWideChar(
        CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), line.data(),
        static_cast<int>(line.size()))));
    std::vector<std::wstring> fields;
    std::wstringstream split(line);
    for (std::wstring field; std::getline(split, field, L'\t');) fields.push_back(field);
    if (fields.empty()) continue;
    if (fields[0] == L"!fail" && fields.size() == 4) {
      failures[fields[1] + L" " + fields[2]] = std::stoul(fields[3]);
      continue;
    }
    if (fields[0] == L"!publisher" && fields.size() == 3) {
      publishers[fields[1]] = std::stoul(fields[2]);
      continue;
    }
    static const std::map<std::wstring, std::wstring> kDefault{
        {L"level", L"u8"}, {L"task", L"u16"}, {L"keywords", L"hex64"}, {L"id", L"u16"},
        {L"time", L"ft"}};
    Event event;
    for (const std::wstring& field : fields) {
      const std::size_t equals = field.find(L'=');
      if (equals == std::wstring::npos || equals == 0) continue;
      const wchar_t mark = field[equals - 1];
      const std::wstring key = field.substr(0, mark == L'!' || mark == L'~' ? equals - 1 : equals);
      const std::wstring text = field.substr(equals + 1);
      if (key == L"message") {
        if (mark == L'!') event.messageError = std::stoul(text);
        else event.message = unescaped(text);
        if (mark == L'~') event.messageError = ERROR_EVT_UNRESOLVED_VALUE_INSERT;
      } else if (key == L"string") {
        event.strings.push_back(valueOf(text, L"str"));
      } else {
        const auto kind = kDefault.find(key);
        event.fields[key] = valueOf(text, kind == kDefault.end() ? L"str" : kind->second);
      }
    }
    events->push_back(event);
  }
}

// The XPath of a query: "*", or "*[System[...]]" over Level and TimeCreated/@SystemTime
// with = != < <= > >=, and, or and parentheses, as the event service reads them: a test of
// a value the event lacks is false.
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

  std::optional<bool> one() {
    if (take(L"(")) {
      const std::optional<bool> result = any();
      return result && take(L")") ? result : std::nullopt;
    }
    const bool level = take(L"Level");
    if (!level && !take(L"TimeCreated[@SystemTime")) return std::nullopt;
    const std::optional<int> order = comparison();
    if (!order) return std::nullopt;
    std::uint64_t operand = 0;
    if (level) {
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
    const auto value = event_->fields.find(level ? L"level" : L"time");
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

bool sameName(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(),
                                                static_cast<int>(a.size()), b.data(),
                                                static_cast<int>(b.size())) == CSTR_EQUAL;
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
      {L"Event/System/TimeCreated/@SystemTime", L"time"}};
  const auto key = kPaths.find(path);
  if (key == kPaths.end()) return {};
  const auto value = event.fields.find(key->second);
  return value == event.fields.end() ? Value{} : value->second;
}

}  // namespace

extern "C" {

__declspec(dllexport) EVT_HANDLE WINAPI EvtQuery(EVT_HANDLE session, LPCWSTR path, LPCWSTR query,
                                                 DWORD flags) {
  load();
  if (fails(L"EvtQuery")) return nullptr;
  const std::wstring channel = path ? path : L"";
  log(L"query " + channel + L" " + (query ? query : L""));
  if (session || !(flags & EvtQueryChannelPath)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const bool known = sameName(channel, L"Application") || sameName(channel, L"System") ||
                     std::any_of(events->begin(), events->end(), [&](const Event& e) {
                       const auto c = e.fields.find(L"channel");
                       return c != e.fields.end() && sameName(c->second.text, channel);
                     });
  if (!known) {
    SetLastError(ERROR_EVT_CHANNEL_NOT_FOUND);
    return nullptr;
  }
  auto results = std::make_unique<Handle>(Handle::Results);
  results->log = events;
  XPath xpath(query ? query : L"*");
  for (std::size_t i = 0; i < events->size(); ++i) {
    const Event& event = (*events)[i];
    const auto c = event.fields.find(L"channel");
    if (c == event.fields.end() || !sameName(c->second.text, channel)) continue;
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
                                          DWORD, DWORD flags, PDWORD returned) {
  Handle* results = handleOf(resultSet, Handle::Results);
  if (!results || flags != 0 || !out || !returned || count == 0) {
    SetLastError(results ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (fails(L"EvtNext")) return FALSE;
  *returned = 0;
  if (results->left.empty()) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  while (*returned < count && !results->left.empty()) {
    auto* event = new Handle(Handle::EventOf);
    event->log = results->log;
    event->event = results->left.front();
    out[(*returned)++] = made(event);
    results->left.erase(results->left.begin());
  }
  log(L"next " + std::to_wstring(*returned));
  return TRUE;
}

__declspec(dllexport) EVT_HANDLE WINAPI EvtCreateRenderContext(DWORD count, LPCWSTR* paths,
                                                               DWORD flags) {
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
  Handle* renderer = handleOf(context, Handle::Context);
  Handle* event = handleOf(fragment, Handle::EventOf);
  if (!renderer || !event || flags != EvtRenderEventValues || !used || !count) {
    SetLastError(renderer && event ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (fails(L"EvtRender")) return FALSE;
  std::vector<Value> values = event->the().strings;
  if (!renderer->user) {
    values.clear();
    for (const std::wstring& path : renderer->paths) values.push_back(valueAt(event->the(), path));
  }
  // The variants, then what they point at.
  std::size_t size = values.size() * sizeof(EVT_VARIANT);
  for (const Value& value : values) {
    size += value.type == EvtVarTypeString ? (value.text.size() + 1) * sizeof(wchar_t)
                                           : value.bytes.size();
    size = (size + 7) / 8 * 8;
  }
  *used = static_cast<DWORD>(size);
  *count = static_cast<DWORD>(values.size());
  if (bufferSize < size || !buffer) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  auto* variants = static_cast<EVT_VARIANT*>(buffer);
  char* data = static_cast<char*>(buffer) + values.size() * sizeof(EVT_VARIANT);
  for (std::size_t i = 0; i < values.size(); ++i) {
    EVT_VARIANT& variant = variants[i];
    std::memset(&variant, 0, sizeof variant);
    variant.Type = values[i].type;
    variant.UInt64Val = values[i].number;
    if (values[i].type == EvtVarTypeString) {
      std::memcpy(data, values[i].text.c_str(), (values[i].text.size() + 1) * sizeof(wchar_t));
      variant.StringVal = reinterpret_cast<LPCWSTR>(data);
      data += (values[i].text.size() + 1) * sizeof(wchar_t);
    } else if (!values[i].bytes.empty()) {
      std::memcpy(data, values[i].bytes.data(), values[i].bytes.size());
      variant.BinaryVal = reinterpret_cast<PBYTE>(data);
      variant.Count = static_cast<DWORD>(values[i].bytes.size());
      data += values[i].bytes.size();
    }
    data = static_cast<char*>(buffer) + (data - static_cast<char*>(buffer) + 7) / 8 * 8;
  }
  return TRUE;
}

__declspec(dllexport) EVT_HANDLE WINAPI EvtOpenPublisherMetadata(EVT_HANDLE session,
                                                                 LPCWSTR publisher,
                                                                 LPCWSTR logFile, LCID, DWORD) {
  if (session || logFile || !publisher) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  log(std::wstring(L"open ") + publisher);
  if (fails(L"EvtOpenPublisherMetadata")) return nullptr;
  if (const auto found = publishers.find(publisher); found != publishers.end()) {
    SetLastError(found->second);
    return nullptr;
  }
  return made(new Handle(Handle::Metadata));
}

__declspec(dllexport) BOOL WINAPI EvtFormatMessage(EVT_HANDLE metadata, EVT_HANDLE event,
                                                   DWORD messageId, DWORD valueCount,
                                                   PEVT_VARIANT values, DWORD flags,
                                                   DWORD bufferSize, LPWSTR buffer, PDWORD used) {
  Handle* formatter = handleOf(metadata, Handle::Metadata);
  Handle* formatted = handleOf(event, Handle::EventOf);
  if (!formatter || !formatted || messageId || valueCount || values ||
      flags != EvtFormatMessageEvent || !used) {
    SetLastError(formatter && formatted ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (fails(L"EvtFormatMessage")) return FALSE;
  const Event& source = formatted->the();
  if (!source.message) {
    SetLastError(source.messageError ? source.messageError : ERROR_EVT_MESSAGE_NOT_FOUND);
    return FALSE;
  }
  *used = static_cast<DWORD>(source.message->size() + 1);
  if (bufferSize < *used || !buffer) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, source.message->c_str(), *used * sizeof(wchar_t));
  if (source.messageError) {
    SetLastError(source.messageError);
    return FALSE;
  }
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI EvtClose(EVT_HANDLE object) {
  Handle* handle = static_cast<Handle*>(object);
  if (!handles.erase(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  delete handle;
  return TRUE;
}

// For the tests alone: how many handles are open.
__declspec(dllexport) DWORD WINAPI BraskDoubleOpenHandles() { return static_cast<DWORD>(handles.size()); }

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    log(L"loaded " + std::wstring(path, length));
  }
  return TRUE;
}

}  // extern "C"
