#include "platform/linux/evtx/evtx_event_source.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include "evtx_writer.h"
#include "fakes/event_lines.h"
#include "platform/linux/evtx/evtx_computers.h"
#include "platform/linux/evtx/evtx_file.h"
#include "platform/linux/evtx/record_xml.h"
#include "platform/linux/locale/wide_encoder.h"
#include "platform/run_time_error.h"
#include "scoped_env.h"

namespace brask {
namespace {

using test::EvtxEvent;

const std::wstring kSystem = L"Select * from Win32_NTLogEvent where Logfile = 'System'";
const std::wstring kApplication = L"Select * from Win32_NTLogEvent where Logfile = 'Application'";
const EventTypeNames kEnglish = *eventTypeNames(L"English", Generation::Newer);

// Files by name, a name relative to a folder.
using Files = std::vector<std::pair<std::string, std::string>>;

// A folder of its own under the temporary directory, removed with its files.
struct Folder {
  explicit Folder(const Files& files = {}) {
    std::string pattern = (std::filesystem::temp_directory_path() / "brask-evtx.XXXXXX").string();
    path = mkdtemp(pattern.data());
    for (const auto& [name, bytes] : files) add(name, bytes);
  }
  ~Folder() { std::filesystem::remove_all(path); }
  // A name may hold a subfolder, made as needed.
  std::string add(const std::string& name, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(path + "/" + name).parent_path());
    test::writeFile(path + "/" + name, bytes);
    return path + "/" + name;
  }
  std::string path;
};

std::uint64_t at(int second) { return test::fileTime(2021, 6, 1, 12, 0, 0) + second * 10000000ULL; }

EvtxEvent event(int second, std::optional<int> level, std::vector<std::wstring> strings = {L"s"}) {
  EvtxEvent e;
  e.written = at(second);
  e.level = level;
  e.strings = std::move(strings);
  return e;
}

// Every event a query delivers, in order: Type|TimeWritten|Category|EventCode|SourceName|Message.
std::vector<std::wstring> listed(const std::string& folder, const std::wstring& query,
                                 const EventTypeNames& spelling = kEnglish,
                                 const EventsWanted& wanted = {}) {
  EvtxEventSource source(spelling, folder);
  return test::eventLines(*source.connect()->ExecQuery(query, wanted));
}

TEST(EvtxEventSource, MapsRecordsOntoTheEventLogs) {
  const test::ScopedEnv env{{"TZ", "Europe/Berlin"}};
  EvtxEvent full = event(9, 2, {L"first", L"", L"th\u00efrd"});
  full.eventId = 7000;
  full.task = 7;
  full.provider = L"Microsoft-Windows-Kernel";
  full.eventSourceName = L"Kernel Source";
  full.binary = std::string("\x01\x02", 2);
  EvtxEvent success = event(1, 0), failure = event(2, 2), application = event(3, 3, {});
  success.keywords = 0x8020000000000000;
  failure.keywords = 0x8010000000000000;
  application.channel = L"Application";
  EvtxEvent other = event(4, 2);
  other.channel = L"Microsoft-Windows-Other/Operational";
  const EvtxEvent notEvtx = event(30, 4, {L"not an .evtx file"});
  const std::vector<EvtxEvent> levels{event(10, 0),           event(11, 1), event(12, 2),
                                      event(13, 3),           event(14, 4), event(15, 5),
                                      event(16, std::nullopt)};
  std::vector<EvtxEvent> archived;
  for (int s : {20, 22, 24}) archived.push_back(event(s, 4, {L"archived " + std::to_wstring(s)}));
  std::vector<EvtxEvent> current;
  for (int s : {21, 23, 25}) current.push_back(event(s, 4, {L"current " + std::to_wstring(s)}));
  const std::wstring time = L"|202106011400";
  // Exported logs: a written time of 0 in every header, the event's time its TimeCreated.
  std::vector<EvtxEvent> exported, exportedArchive;
  for (int s : {31, 35, 33}) {
    EvtxEvent e = event(s, 4, {L"exported " + std::to_wstring(s)});
    e.created = e.written;
    e.written = 0;
    (s == 33 ? exportedArchive : exported).push_back(e);
  }
  EvtxEvent manifest = event(37, 4, {L"data"});
  manifest.binary = std::string("\xD9\x06", 2);
  manifest.binaryData = true;
  EvtxEvent untimed = event(36, 4, {L"no TimeCreated"});
  untimed.noTimeCreated = true;
  // An HResult as Int32, as TPM-WMI's event 1796 holds it; an array is one string an item,
  // the empty one too; an optional value left out is none. Its data a template of its own.
  EvtxEvent typed = event(38, 2, {L"HResult"});
  typed.values = {{0x07, std::string("\x49\x11\x07\x80", 4)}, {0x07, std::string(4, '\xFF')},
                  {0x14, std::string("\x49\x11\x07\x80", 4)},
                  {0x81, std::string("a\0\0\0\0\0b\0\0\0", 10)}, {0x00, ""}};
  typed.dataTemplate = true;

  const struct {
    const char* what;
    Files files;
    std::wstring query;
    EventTypeNames spelling;
    EventsWanted wanted;
    std::vector<std::wstring> expected;
  } cases[] = {
      {"every property",
       {{"a.evtx", test::evtxFile({full})}},
       kSystem,
       kEnglish,
       {},
       {L"Error" + time + L"09.000000+120|7|7000|Kernel Source|first  th\u00efrd"}},
      {"levels, English",
       {{"a.evtx", test::evtxFile(levels)}},
       kSystem,
       kEnglish,
       {},
       {L"Information" + time + L"16.000000+120|-|1|Provider|s",
        L"Information" + time + L"15.000000+120|-|1|Provider|s",
        L"Information" + time + L"14.000000+120|-|1|Provider|s",
        L"Warning" + time + L"13.000000+120|-|1|Provider|s",
        L"Error" + time + L"12.000000+120|-|1|Provider|s",
        L"Critical" + time + L"11.000000+120|-|1|Provider|s",
        L"Information" + time + L"10.000000+120|-|1|Provider|s"}},
      {"Critical of the older generation, German",
       {{"a.evtx", test::evtxFile({levels[1]})}},
       kSystem,
       *eventTypeNames(L"German", Generation::Older),
       {},
       {L"Fehler" + time + L"11.000000+120|-|1|Provider|s"}},
      {"Critical of the newer generation, French",
       {{"a.evtx", test::evtxFile({levels[1]})}},
       kSystem,
       *eventTypeNames(L"French", Generation::Newer),
       {},
       {L"Critique" + time + L"11.000000+120|-|1|Provider|s"}},
      {"audit keywords, another channel, no strings",
       {{"a.evtx", test::evtxFile({success, failure, application})},
        {"b.evtx", test::evtxFile({other})}},
       kSystem,
       kEnglish,
       {},
       {L"Warning" + time + L"03.000000+120|-|1|Provider|-",
        L"Audit Failure" + time + L"02.000000+120|-|1|Provider|s",
        L"Audit Success" + time + L"01.000000+120|-|1|Provider|s"}},
      {"a file's channel is its first record's",
       {{"a.evtx", test::evtxFile({success, application})}},
       kApplication,
       kEnglish,
       {},
       {}},
      {"several files of a channel, merged; wrapped around",
       {{"Archive-System.evtx", test::evtxFile(archived, 1, 1, 2)},
        {"System.EVTX", test::evtxFile(current, 4, 2, 1)},
        {"System.evtx.bak", test::evtxFile({notEvtx})},
        {"empty.evtx", ""},
        {"junk.evtx", "not a log"}},
       kSystem,
       kEnglish,
       {},
       {L"Information" + time + L"25.000000+120|-|1|Provider|current 25",
        L"Information" + time + L"24.000000+120|-|1|Provider|archived 24",
        L"Information" + time + L"23.000000+120|-|1|Provider|current 23",
        L"Information" + time + L"22.000000+120|-|1|Provider|archived 22",
        L"Information" + time + L"21.000000+120|-|1|Provider|current 21",
        L"Information" + time + L"20.000000+120|-|1|Provider|archived 20"}},
      {"the wanted type",
       {{"a.evtx", test::evtxFile(levels)}},
       kSystem,
       kEnglish,
       {L"Error", {}},
       {L"Error" + time + L"12.000000+120|-|1|Provider|s"}},
      {"written before the bound (local time)",
       {{"a.evtx", test::evtxFile(levels)}},
       kSystem,
       kEnglish,
       {{}, DateTime{2021, 6, 1, 14, 0, 12}},
       {L"Critical" + time + L"11.000000+120|-|1|Provider|s",
        L"Information" + time + L"10.000000+120|-|1|Provider|s"}},
      {"exported: TimeCreated is the time, of the bound and of the merge",
       {{"a.evtx", test::evtxFile(exported)}, {"b.evtx", test::evtxFile(exportedArchive)}},
       kSystem,
       kEnglish,
       {{}, DateTime{2021, 6, 1, 14, 0, 35}},
       {L"Information" + time + L"33.000000+120|-|1|Provider|exported 33",
        L"Information" + time + L"31.000000+120|-|1|Provider|exported 31"}},
      {"a manifest event's binary Data is one of its strings",
       {{"a.evtx", test::evtxFile({manifest})}},
       kSystem,
       kEnglish,
       {},
       {L"Information" + time + L"37.000000+120|-|1|Provider|data D906"}},
      {"no TimeCreated: the header's written time",
       {{"a.evtx", test::evtxFile({untimed})}},
       kSystem,
       kEnglish,
       {},
       {L"Information" + time + L"36.000000+120|-|1|Provider|no TimeCreated"}},
      {"typed values as Windows writes them",
       {{"a.evtx", test::evtxFile({typed})}},
       kSystem,
       kEnglish,
       {},
       {L"Error" + time + L"38.000000+120|-|1|Provider|HResult -2147020471 -1 0x80071149 a  b"}},
      {"the one computer's subfolder",
       {{"SRV01/System.evtx", test::evtxFile({levels[2]})}, {"notes/a.txt", "no saved log"}},
       kSystem,
       kEnglish,
       {},
       {L"Error" + time + L"12.000000+120|-|1|Provider|s"}},
      {"a collector's log: each record's channel its log",
       {{"ForwardedEvents.evtx", test::evtxFile({application, levels[2], other})}},
       kApplication,
       kEnglish,
       {},
       {L"Warning" + time + L"03.000000+120|-|1|Provider|-"}},
  };
  for (const auto& c : cases) {
    const Folder folder(c.files);
    EXPECT_EQ(listed(folder.path, c.query, c.spelling, c.wanted), c.expected) << c.what;
  }
  EXPECT_THROW(listed("/nonexistent/brask-evtx", kSystem), RunTimeError) << "a missing folder";
  const Folder empty, withoutLogs;
  withoutLogs.add("notes/System.evtx.txt", "no saved log");
  for (const std::string& folder : {empty.path, withoutLogs.path}) {
    try {
      listed(folder, kSystem);
      ADD_FAILURE() << folder << ": no error";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.description(), L"No saved event logs (.evtx files) were found") << folder;
    }
  }
}

// A folder of two machines' subfolders, of its own logs and of a collector's: a computer
// for each folder with saved logs, named by it, and one for each other computer that the
// collector's records name, names compared without regard to case or a trailing dot.
TEST(EvtxComputers, GathersSubfoldersAndTheComputersOfACollectorsRecords) {
  const auto from = [](const wchar_t* computer, const wchar_t* channel, int second) {
    EvtxEvent e = event(second, 2, {std::wstring(computer) + L" " + channel});
    e.computer = computer;
    e.channel = channel;
    return e;
  };
  const Folder folder;
  folder.add("System.evtx", test::evtxFile({from(L"COLLECTOR", L"System", 1)}));
  folder.add("SRV01/System.evtx", test::evtxFile({from(L"srv01", L"System", 2)}));
  folder.add("SRV01/Application.evtx", test::evtxFile({from(L"srv01", L"Application", 3)}));
  folder.add("srv02/System.evtx", test::evtxFile({from(L"SRV02.corp", L"System", 4)}));
  folder.add("empty/notes.txt", "no saved log");
  folder.add("ForwardedEvents.evtx",
             test::evtxFile({from(L"srv01.", L"System", 5), from(L"ws9", L"System", 6),
                             from(L"WS9", L"Application", 7), from(L"ws9", L"Security", 8),
                             from(L"WS9", L"System", 9)}));
  EvtxComputers computers(kEnglish, folder.path);
  const std::optional<GatheredComputers> gathered = computers.gathered();
  ASSERT_TRUE(gathered);
  const std::wstring own(folder.path.begin() + static_cast<long>(folder.path.rfind('/')) + 1, folder.path.end());
  EXPECT_EQ(gathered->names, (std::vector<std::wstring>{own, L"SRV01", L"srv02", L"ws9"}));
  EXPECT_EQ(gathered->where, std::wstring(folder.path.begin(), folder.path.end()));
  EXPECT_TRUE(gathered->collector);

  const auto messages = [&](const std::wstring& computer, const std::wstring& query) {
    std::vector<std::wstring> found;
    for (const std::wstring& line : test::eventLines(*computers.computer(computer)->connect()->ExecQuery(query, {})))
      found.push_back(line.substr(line.rfind(L'|') + 1));
    return found;
  };
  EXPECT_EQ(messages(own, kSystem), std::vector<std::wstring>{L"COLLECTOR System"});
  EXPECT_EQ(messages(L"srv01", kSystem), (std::vector<std::wstring>{L"srv01. System", L"srv01 System"}));
  EXPECT_EQ(messages(L"SRV01", kApplication), std::vector<std::wstring>{L"srv01 Application"});
  EXPECT_EQ(messages(L"srv02", kSystem), std::vector<std::wstring>{L"SRV02.corp System"});
  EXPECT_EQ(messages(L"ws9", kSystem), (std::vector<std::wstring>{L"WS9 System", L"ws9 System"}));
  EXPECT_EQ(messages(L"ws9", kApplication), std::vector<std::wstring>{L"WS9 Application"});

  const Folder flat;
  flat.add("System.evtx", test::evtxFile({from(L"A", L"System", 1), from(L"B", L"System", 2)}));
  const std::optional<GatheredComputers> one = EvtxComputers(kEnglish, flat.path).gathered();
  ASSERT_TRUE(one);
  EXPECT_EQ(one->names.size(), 1u) << "a folder without subfolders is one computer, whatever its records name";
  EXPECT_FALSE(one->collector);
  EXPECT_FALSE(EvtxComputers(kEnglish, "/nonexistent/brask-evtx").gathered()) << "left to the first query";
}

// Damage to a log of 60 records in three chunks, each record's message its number and
// about 700 bytes long: the records that damage spares are listed, those that libevtx
// recovers from a damaged chunk included, newest first, and nothing twice or unwritten.
TEST(EvtxEventSource, ReadsDamagedLogsAsFarAsTheyGo) {
  std::vector<EvtxEvent> events;
  for (int i = 0; i < 60; ++i) events.push_back(event(i, 2, {std::to_wstring(i)}));
  const std::size_t chunk = test::kEvtxHeaderSize, size = test::kEvtxChunkSize;
  const struct {
    const char* what;
    std::function<void(std::string&)> damage;
    std::vector<std::pair<int, int>> whole;  // the ranges of records that must be listed
  } cases[] = {
      {"dirty: the file header's dirty flag, its last chunk half written",
       [&](std::string& f) {
         f[120] = 1;
         f.replace(chunk + 2 * size + 2000, 6000, 6000, '\0');
       },
       {{0, 42}}},
      {"truncated inside its last chunk",
       [&](std::string& f) { f.resize(chunk + 2 * size + 3000); },
       {{0, 40}}},
      {"a bad chunk signature", [&](std::string& f) { f[chunk + size] = 'X'; }, {{0, 60}}},
      {"zero checksums",
       [&](std::string& f) {
         for (std::size_t at : {std::size_t{124}, chunk + 52, chunk + 124, chunk + size + 52})
           f.replace(at, 4, 4, '\0');
       },
       {{0, 60}}},
      {"garbage inside a record",
       [&](std::string& f) { f.replace(chunk + size + 900, 64, 64, '\xee'); },
       {{0, 20}, {21, 60}}},
  };
  for (const auto& c : cases) {
    std::string file = test::evtxFile(events, 1, 20);
    c.damage(file);
    const Folder folder;
    folder.add("System.evtx", file);
    const std::vector<std::wstring> lines = listed(folder.path, kSystem, kEnglish, {L"Error", {}});
    std::set<int> seen;
    int previous = 60;
    for (const std::wstring& line : lines) {
      const int number = std::stoi(line.substr(line.rfind(L'|') + 1));
      EXPECT_TRUE(number >= 0 && number < previous && seen.insert(number).second)
          << c.what << ": " << number;
      previous = number;
    }
    for (const auto& [from, to] : c.whole) {
      for (int i = from; i < to; ++i) EXPECT_TRUE(seen.count(i)) << c.what << ": " << i;
    }
  }
}

// A bookmark's record identifier: where the log stands against it, and what is newer.
TEST(EvtxEventSource, ABookmarksRecordIdentifierMarksTheLogAndWhatIsNew) {
  // Events 1 to 60, written a second apart, each with its number as its string.
  const auto numbered = [](int first, int last) {
    std::vector<EvtxEvent> events;
    for (int i = first; i <= last; ++i) events.push_back(event(i, 2, {std::to_wstring(i)}));
    return events;
  };
  const struct {
    const char* name;
    Files files;
    std::wstring saved;
    SinceSaved since;
    int newest;
    int newer;  // the number of records after the saved one
  } cases[] = {
      {"a log that wrapped around", {{"System.evtx", test::evtxFile(numbered(1, 60), 1, 20, 1)}}, L"45",
       SinceSaved::Continues, 60, 15},
      {"nothing new", {{"System.evtx", test::evtxFile(numbered(1, 60), 1, 20)}}, L"60", SinceSaved::Continues, 60, 0},
      {"an archive and the log", {{"Archive-System-1.evtx", test::evtxFile(numbered(1, 30), 1, 20)},
                                  {"System.evtx", test::evtxFile(numbered(31, 60), 31, 20)}},
       L"12", SinceSaved::Continues, 60, 48},
      {"the record after the saved one overwritten", {{"System.evtx", test::evtxFile(numbered(22, 60), 22, 20)}},
       L"20", SinceSaved::Overwritten, 60, 39},
      {"cleared", {{"System.evtx", test::evtxFile(numbered(1, 9), 1, 20)}}, L"45", SinceSaved::Cleared, 9, 9},
      {"a position of another source", {{"System.evtx", test::evtxFile(numbered(1, 9), 1, 20)}},
       L"s=1;t=5f3e2a1b9c000", SinceSaved::Cleared, 9, 9},
  };
  for (const auto& c : cases) {
    const Folder folder(c.files);
    const LogMark mark = EvtxEventSource(kEnglish, folder.path).connect()->mark(kSystem, c.saved);
    EXPECT_EQ(mark.newest, std::to_wstring(c.newest)) << c.name;
    EXPECT_EQ(mark.since, c.since) << c.name;
    std::vector<std::wstring> expected;
    for (int i = c.newest; i > c.newest - c.newer; --i) expected.push_back(std::to_wstring(i));
    std::vector<std::wstring> after;
    const std::optional<LogPosition> position =
        c.since == SinceSaved::Cleared ? std::nullopt : std::optional(c.saved);
    for (const std::wstring& line : listed(folder.path, kSystem, kEnglish, {L"Error", {}, position})) {
      after.push_back(line.substr(line.rfind(L'|') + 1));
    }
    EXPECT_EQ(after, expected) << c.name;
  }
}

// A whole run of the Run button on a folder of saved logs, its report compared byte for
// byte past the line with the time of the run.
TEST(EvtxEventSource, AWholeRunReportsTheSavedLogs) {
  EvtxEvent critical = event(1, 1, {L"Disk", L"full"}), warning = event(2, 3, {});
  critical.eventId = 41;
  critical.task = 63;
  critical.provider = L"Microsoft-Windows-Kernel-Power";
  warning.channel = L"Application";
  warning.provider = L"Wow";
  warning.eventSourceName = L"Wow Source";
  const Folder folder, drive;
  folder.add("System.evtx", test::evtxFile({critical, event(3, 4, {L"up"})}));
  folder.add("Application.evtx", test::evtxFile({warning}));
  folder.add("Other.evtx", "no saved log");
  const test::ScopedEnv env{{"BRASK_EVTX_DIR", folder.path},
                            {"SystemDrive", drive.path},
                            {"TZ", "UTC"},
                            {"LANG", "en_US.UTF-8"},
                            {"LC_ALL", std::nullopt},
                            {"BRASK_WINDOWS_VERSION", std::nullopt}};
  ASSERT_EQ(std::system(BRASK_BENCH " number 20 Application System Critical Error Information"
                                    " Warning"),
            0);
  std::ifstream in(drive.path + "/BRASK.txt", std::ios::binary);
  std::string report(std::istreambuf_iterator<char>(in), {});
  ASSERT_NE(report.find("Report run at "), std::string::npos);
  report.erase(report.find("Report run at "), report.find("\r\n", report.find("Report run")) + 2);
  const std::string rule = "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n";
  const auto banner = [&](const char* log, const char* type) {
    return rule + "'" + log + "' Log - " + type + " Type\r\n" + rule;
  };
  EXPECT_EQ(report.substr(report.find(rule)),
            banner("Application", "Critical") + banner("Application", "Error") +
                banner("Application", "Information") + banner("Application", "Warning") +
                "Log: 'Application' Date/Time: 01/06/2021 12:00:02 PM\r\n"
                "Type: Warning Category: \r\nEvent: 1 Source: Wow Source\r\n"
                "The event description cannot be found.\r\n\r\n" +
                banner("System", "Critical") +
                "Log: 'System' Date/Time: 01/06/2021 12:00:01 PM\r\n"
                "Type: Critical Category: 63\r\nEvent: 41 Source: "
                "Microsoft-Windows-Kernel-Power\r\nDisk full\r\n\r\n" +
                banner("System", "Error") + banner("System", "Information") +
                "Log: 'System' Date/Time: 01/06/2021 12:00:03 PM\r\n"
                "Type: Information Category: \r\nEvent: 1 Source: Provider\r\nup\r\n\r\n" +
                banner("System", "Warning"));
}

// The text of an attribute of the first element of that name in the XML; empty when missing.
std::string attribute(const std::string& xml, const std::string& element, const std::string& name) {
  const std::size_t start = xml.find("<" + element + " ");
  if (start == std::string::npos) return {};
  const std::size_t end = xml.find('>', start);
  const std::size_t at = xml.find(" " + name + "=\"", start);
  if (at == std::string::npos || at > end) return {};
  const std::size_t from = at + name.size() + 3;
  return xml.substr(from, xml.find('"', from) - from);
}

// A text with backslash, tab, CR and LF written as the Event Log API double reads them.
std::string escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\t') out += "\\t";
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

// The records of a saved log, oldest first, as the Event Log API double's events: the
// values the event service would render, its message missing as Linux has none.
std::string doubleEvents(const std::string& path) {
  const std::unique_ptr<EvtxFile> file = EvtxFile::open(path);
  WideEncoder utf8("UTF-8");
  std::string lines;
  for (int i = 0; file && i < file->count(RecordSet::Written); ++i) {
    const std::optional<EvtxRecord> record = file->record(RecordSet::Written, i);
    if (!record) continue;
    const std::string xml = record->xml();
    std::string line = "channel=" + systemValue(xml, "Channel").value_or("") + "\ttime=" +
                       attribute(xml, "TimeCreated", "SystemTime") + "\tprovider=str:" +
                       attribute(xml, "Provider", "Name");
    for (const auto& [element, key] : {std::pair{"Level", "level"}, {"Task", "task"}, {"Keywords", "keywords"}}) {
      if (const auto value = systemValue(xml, element)) line += "\t" + std::string(key) + "=" + *value;
    }
    if (const std::string source = attribute(xml, "Provider", "EventSourceName"); !source.empty())
      line += "\tsource=str:" + source;
    if (const auto id = record->eventIdentifier()) line += "\tid=u32:" + std::to_string(*id);
    std::vector<std::wstring> strings = record->strings();
    const std::size_t binary = xml.find("<Binary>");
    if (binary != std::string::npos || xml.find("<Binary/>") != std::string::npos) {
      if (!strings.empty()) strings.pop_back();
      line += "\tbinary=";
      if (binary != std::string::npos) line += xml.substr(binary + 8, xml.find("</Binary>") - binary - 8);
    }
    for (const std::wstring& text : strings) line += "\tstring=str:" + escaped(utf8(text));
    lines += line + "\n";
  }
  return lines;
}

// One saved log (one channel), BRASK_EVTX_SAMPLE or one made here, as the listings read it, and its
// records as the Event Log API double's events, for the Windows tests to serve and compare
// (BRASK_EVT_DIFFERENTIAL, read by the Event Log API source's tests).
TEST(EvtxEventSource, ALogForTheEventLogApiDouble) {
  EvtxEvent classic = event(1, 2, {L"Spooler", L"tab\there"}), emptyBinary = event(2, 3, {L"x"});
  classic.eventSourceName = L"Service Control Manager";
  classic.binary = std::string("\xD9\x06", 2);
  emptyBinary.binary = std::string();
  EvtxEvent information = event(3, 4, {L"line\r\nbreak", L""});
  information.task = 100;
  const Folder folder;
  std::string path = folder.path + "/a.evtx";
  if (const char* sample = std::getenv("BRASK_EVTX_SAMPLE")) {
    std::filesystem::copy_file(sample, path);
  } else {
    folder.add("a.evtx", test::evtxFile({classic, emptyBinary, information, event(4, 1, {})}));
  }
  const test::ScopedEnv env{{"TZ", "America/New_York"}};
  const std::string events = doubleEvents(path);
  WideEncoder utf8("UTF-8");
  std::string lines;  // each ended by a null
  std::size_t count = 0;
  for (const std::wstring& query : {kSystem, kApplication}) {
    for (const std::wstring& line : listed(folder.path, query)) {
      lines += utf8(line) + '\0';
      ++count;
    }
  }
  EXPECT_EQ(count, static_cast<std::size_t>(std::count(events.begin(), events.end(), '\n')))
      << "every record read";
  std::filesystem::create_directories(BRASK_EVT_DIFFERENTIAL);
  test::writeFile(BRASK_EVT_DIFFERENTIAL "/events.txt", events);
  test::writeFile(BRASK_EVT_DIFFERENTIAL "/lines.txt", lines);
}

}  // namespace
}  // namespace brask
