// In-memory stand-ins for every interface of the platform seam, recording what the logic
// asks of them.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace brask::fakes {

class FakeForm : public Form {
 public:
  std::map<ControlId, int> checks;
  std::map<ControlId, bool> options;
  std::map<ControlId, std::wstring> texts;
  int ended = 0;

  void check(std::initializer_list<ControlId> boxes);
  void fillDate(ControlId day, ControlId month, ControlId year, const DateTime& date);

  std::vector<std::wstring> captions;  // shown, in order

  int checkState(ControlId checkBox) override { return checks[checkBox]; }
  bool optionSelected(ControlId optionButton) override { return options[optionButton]; }
  std::wstring text(ControlId textBox) override { return texts[textBox]; }
  void showCaption(const std::wstring& caption) override { captions.push_back(caption); }
  void unloadAndEnd() override { ++ended; }
};

struct Message {
  std::wstring prompt;
  std::wstring title;
  friend bool operator==(const Message&, const Message&) = default;
};

class RecordingDialogs : public Dialogs {
 public:
  std::vector<Message> messages;
  std::vector<std::wstring> errors;  // runTimeErrorText of each run-time error box
  // Called while a box is up, to see the world as the user sees it then.
  std::function<void()> onShow;

  void messageBox(const std::wstring& prompt, const std::wstring& title) override;
  void runTimeErrorBox(const RunTimeError& error) override;
};

using Event = std::map<std::wstring, PropertyValue>;

// Event logs in memory, keyed by the log name as the query text ends with it. An event's
// position for a bookmark is its RecordNumber, a whole number.
class FakeEventLog : public EventSource {
 public:
  std::map<std::wstring, std::vector<Event>> logs;
  // When set, a query delivers only what the listing wants: every event that the wanted
  // set allows a source to leave out is left out.
  bool honourWanted = false;
  std::vector<std::wstring> queries;
  std::vector<EventsWanted> wanted;  // what each query was told
  std::vector<std::wstring> reads;  // property names, in the order read
  int connects = 0;
  int released = 0;
  std::size_t steps = 0;  // moves to the next event, over every walk
  // Calls of that kind succeed until this many have, over the log's life; from then on
  // each throws the event service's error for it.
  std::optional<std::size_t> failAtConnect;
  std::optional<std::size_t> failAtQuery;
  std::optional<std::size_t> failAtStep;
  std::optional<std::size_t> failAtRead;
  // Another computer's logs: each failure above throws this instead.
  std::optional<ComputerError> computerError;
  // Called at every move to the next event, on the walking thread.
  std::function<void()> onStep;
  // What could not be read of logs read in part, once a query has been made.
  std::optional<ComputerError> unread;

  std::unique_ptr<EventService> connect() override;
  std::optional<ComputerError> unreadPart() override { return queries.empty() ? std::nullopt : unread; }
};

// Many computers' logs, each asked for by its name; a name without logs has empty ones.
class FakeComputers : public Computers {
 public:
  std::optional<GatheredComputers> gathering;
  std::map<std::wstring, FakeEventLog> logs;
  std::map<std::wstring, ComputerError> refused;  // thrown when asked for
  std::vector<std::wstring> asked;                // names, in the order asked for

  std::optional<GatheredComputers> gathered() override { return gathering; }
  std::unique_ptr<EventSource> computer(const std::wstring& name) override;
};

// Threads that run their work at once, on the thread that starts them, in order.
class InlineThreads : public Threads {
 public:
  int started = 0;

  void start(std::function<void()> work) override {
    ++started;
    work();
  }
  void wake() override {}
  void wait(std::chrono::milliseconds) override {}
  bool join(std::chrono::milliseconds) override { return true; }
};

// A locale with the size-then-fill protocol over a table of single-byte texts.
class FakeLocale : public LocaleApi {
 public:
  std::int32_t lcid = 0x0409;
  std::map<std::pair<std::int32_t, std::int32_t>, std::string> info;  // (lcid, type) -> text
  std::map<std::int32_t, std::wstring> user;                           // the user's texts
  std::vector<std::pair<std::int32_t, std::string>> sets;              // SetLocaleInfoA calls
  std::vector<int> sizesAsked;  // the size argument of each GetLocaleInfoA call
  bool failFill = false;        // the second call of the protocol answers 0
  // The SetLocaleInfoA call with this index (counting from 0) is refused: recorded in
  // sets, but the value stays as it was.
  std::optional<std::size_t> refuseSetAt;

  // English (United States) with the given short-date picture and language name.
  FakeLocale(const std::string& shortDate = "M/d/yyyy", const std::string& language = "English");

  std::int32_t GetSystemDefaultLCID() override { return lcid; }
  int GetLocaleInfoA(std::int32_t locale, std::int32_t lcType, char* buffer, int size) override;
  void SetLocaleInfoA(std::int32_t locale, std::int32_t lcType, const char* text) override;
  std::wstring userLocaleText(std::int32_t lcType) override;
};

class FakeVersion : public VersionApi {
 public:
  std::uint32_t platformId = 2;
  std::uint32_t major = 6;
  std::uint32_t minor = 2;
  bool fail = false;  // leaves the record as prepared
  std::optional<OsVersionInfoA> prepared;

  void GetVersionExA(OsVersionInfoA& info) override;
};

class FakeClock : public Clock {
 public:
  DateTime at{2009, 8, 10, 21, 2, 23};
  std::int64_t utcOffset = 0;  // seconds that local time is ahead of UTC
  DateTime now() override { return at; }
  std::int64_t secondsSince1970() override { return brask::secondsSince1970(at) - utcOffset; }
  DateTime localTime(std::int64_t seconds) override { return utcDateTime(seconds + utcOffset); }
};

class FakeProcess : public Process {
 public:
  std::map<std::wstring, std::wstring> environment{{L"SystemDrive", L"C:"}};
  std::vector<std::wstring> started;
  std::optional<RunTimeError> failStart;

  std::wstring environmentVariable(const std::wstring& name) override;
  void startProgram(const std::wstring& commandLine) override;
};

// Text written through one open file, kept in memory.
class MemoryText : public TextSink {
 public:
  std::wstring text;
  std::vector<std::wstring> writes;        // the text of every write
  std::optional<std::size_t> failAtWrite;  // index of the write that fails

  void write(std::wstring_view text) override;
};

// Files in memory: a replacement's text takes its path's place when committed.
class MemoryFiles : public FileApi {
 public:
  std::map<std::wstring, std::wstring> files;
  std::vector<std::wstring> texts;         // the text of every write, to any file
  std::optional<std::size_t> failAtWrite;  // index of the write that fails
  bool refuseReplace = false;              // commit refused, as a read-only file refuses it
  std::optional<RunTimeError> refuseRead;    // what readText() throws, as for a folder
  std::vector<std::wstring> replaced;      // paths of the replacements made, in order
  std::vector<std::wstring> locked;        // paths locked, in order
  std::atomic<int> spools{0};              // made, from any thread

  std::unique_ptr<FileLock> lock(const std::wstring& path) override;
  std::unique_ptr<Replacement> replace(const std::wstring& path, Encoding encoding) override;
  std::unique_ptr<Spool> spool(const std::wstring& beside) override;
  std::optional<std::wstring> readText(const std::wstring& path) override;
};

// Every fake, bundled as the Platform the logic takes.
struct FakePlatform {
  FakeForm form;
  RecordingDialogs dialogs;
  FakeEventLog events;
  FakeLocale locale;
  FakeVersion version;
  FakeClock clock;
  FakeProcess process;
  MemoryFiles files;
  FakeComputers computers;
  InlineThreads threads;
  Platform platform{form, dialogs, events, locale, version, clock, process, files, computers, threads};

  // The short-date picture the user sees now.
  std::wstring shortDateInForce() { return locale.userLocaleText(lctype::kShortDate); }
};

}  // namespace brask::fakes
