// The report file on Wine's file system: each kind of target, names planted where the new
// file goes, two runs at once, the run's lock, the bytes in the ANSI code page. Wine shows a
// Unix symbolic link as Windows shows a link to a file (followed when opened, its target
// named by GetFinalPathNameByHandleW); the links are made before the tests run, in
// BRASK_LINKS_DIR, as Wine's own CreateSymbolicLinkW makes none.
#include "platform/win32/files/ansi_file.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <process.h>
#include <sddl.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "child_process.h"
#include "platform/run_time_error.h"
#include "platform/win32/files/file_target.h"
#include "platform/win32/files/named_lock.h"

namespace brask {
namespace {

std::string contents(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const std::wstring& path, const std::string& text) {
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << text;
}

bool isFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The names in a folder, sorted.
std::vector<std::wstring> namesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// The name parts a test's files draw: the given ones first, then random ones.
std::function<std::wstring()> drawing(std::vector<std::wstring> first) {
  auto queue = std::make_shared<std::deque<std::wstring>>(first.begin(), first.end());
  return [queue] {
    if (queue->empty()) return randomNamePart();
    std::wstring part = queue->front();
    queue->pop_front();
    return part;
  };
}

class AnsiFileTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"brask_ansi_file_test.txt";
    DeleteFileW(path_.c_str());
  }
  void TearDown() override { DeleteFileW(path_.c_str()); }

  std::wstring path_;
  AnsiFile files_;
};

// Where the report's path leads before the run, and what the run leaves. Each case has a
// folder of its own among the links made for these tests.
TEST_F(AnsiFileTest, EachKindOfTarget) {
  const std::wstring links = test::wineDosPath(BRASK_LINKS_DIR);
  const std::wstring pipe = L"\\\\.\\pipe\\brask-files-test-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE server = CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 512, 512, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  const struct Case {
    const wchar_t* name;                // also the case's folder
    std::wstring report;                // the path given
    bool inFolder;                      // the path is the report's name in the case's folder
    std::function<void(const std::wstring& folder)> make;
    const wchar_t* refusal;             // the end of the refusal's message; none: replaced
    const wchar_t* writtenTo;           // the file that takes the new report, where not the report
    std::vector<std::wstring> parts;    // the name parts drawn first
    bool planted;                       // names planted where the new file goes
  } cases[] = {
      {L"absent", L"BRASK.txt", true, [](const std::wstring& f) { DeleteFileW((f + L"\\BRASK.txt").c_str()); },
       nullptr, nullptr, {}, false},
      {L"file", L"BRASK.txt", true, [](const std::wstring& f) { put(f + L"\\BRASK.txt", "yesterday"); }, nullptr,
       nullptr, {}, false},
      // BRASK.txt -> kept/real.txt
      {L"link", L"BRASK.txt", true, [](const std::wstring& f) { put(f + L"\\kept\\real.txt", "yesterday"); },
       nullptr, L"kept\\real.txt", {}, false},
      {L"NUL", L"NUL", false, nullptr, L"\"NUL\" is a device, not a file", nullptr, {}, false},
      // As Windows before 11 reads it, COM1 in any folder is the device.
      {L"COM1", L"COM1", true, nullptr, L"COM1\" is a device, not a file", nullptr, {}, false},
      {L"pipe", pipe, false, nullptr, L"\" is a pipe, not a file", nullptr, {}, false},
      {L"folder", L"BRASK.txt", true,
       [](const std::wstring& f) { CreateDirectoryW((f + L"\\BRASK.txt").c_str(), nullptr); },
       L"BRASK.txt\" is a folder, not a file", nullptr, {}, false},
      // BRASK.txt.link.new -> victim.txt; a file and a folder planted beside it.
      {L"planted", L"BRASK.txt", true,
       [](const std::wstring& f) {
         put(f + L"\\BRASK.txt", "yesterday");
         put(f + L"\\victim.txt", "untouched");
         put(f + L"\\BRASK.txt.file.new", "theirs");
         CreateDirectoryW((f + L"\\BRASK.txt.folder.new").c_str(), nullptr);
       },
       nullptr, nullptr, {L"file", L"folder", L"link"}, true},
  };
  for (const Case& c : cases) {
    const std::wstring folder = links + L"\\" + c.name;
    CreateDirectoryW(folder.c_str(), nullptr);
    if (c.make) c.make(folder);
    const std::wstring given = c.inFolder ? folder + L"\\" + c.report : c.report;
    AnsiFile files(drawing(c.parts));
    const std::vector<std::wstring> before = namesIn(folder);
    if (c.refusal) {
      try {
        files.replace(given, Encoding::SystemCodePage);
        ADD_FAILURE() << testing::PrintToString(c.name) << ": not refused";
      } catch (const RunTimeError& error) {
        EXPECT_EQ(error.code(), 75) << testing::PrintToString(c.name);
        EXPECT_TRUE(error.description().ends_with(c.refusal))
            << testing::PrintToString(c.name) << ": " << testing::PrintToString(error.description());
        EXPECT_EQ(error.action(), L"Writing \"" + given + L"\"") << testing::PrintToString(c.name);
      }
      EXPECT_EQ(namesIn(folder), before) << testing::PrintToString(c.name) << ": something was made";
      continue;
    }
    {
      const auto report = files.replace(given, Encoding::SystemCodePage);
      report->write(L"today\r\n");
      report->commit();
    }
    const std::wstring written = c.writtenTo ? folder + L"\\" + c.writtenTo : given;
    EXPECT_EQ(contents(written), "today\r\n") << testing::PrintToString(c.name);
    std::vector<std::wstring> expected = before;
    if (std::find(before.begin(), before.end(), L"BRASK.txt") == before.end()) expected.push_back(L"BRASK.txt");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(folder), expected) << testing::PrintToString(c.name) << ": something else is left";
    if (c.writtenTo) {
      EXPECT_EQ(fileTarget(given, L"Reading").path, written) << "the link stays";
      EXPECT_EQ(namesIn(folder + L"\\kept"), std::vector<std::wstring>({L"real.txt"}));
    }
    if (c.planted) {
      EXPECT_EQ(contents(folder + L"\\BRASK.txt.file.new"), "theirs");
      EXPECT_TRUE(isFolder(folder + L"\\BRASK.txt.folder.new"));
      EXPECT_EQ(contents(folder + L"\\victim.txt"), "untouched") << "written through the planted link";
      EXPECT_EQ(fileTarget(folder + L"\\BRASK.txt.link.new", L"Reading").path, folder + L"\\victim.txt");
    }
  }
  // Nobody connected to the pipe: its one instance still takes a client.
  const HANDLE client = CreateFileW(pipe.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(client, INVALID_HANDLE_VALUE) << "the pipe was opened, error " << GetLastError();
  CloseHandle(client);
  CloseHandle(server);
}

TEST_F(AnsiFileTest, TextIsWrittenInTheAnsiCodePageWithAQuestionMarkForWhatItLacks) {
  // The default prefix runs under en_US, whose ANSI code page is Windows-1252.
  ASSERT_EQ(GetACP(), 1252u);
  const auto report = files_.replace(path_, Encoding::SystemCodePage);
  report->write(L"Caf\u00e9 \u20ac5 \u4e2d\u00df\r\n");
  report->commit();
  EXPECT_EQ(contents(path_),
            "Caf\xe9 \x80"
            "5 ?\xdf\r\n");
}

TEST_F(AnsiFileTest, AReportIsReplacedWholeOrLeftAsItWas) {
  {
    const auto report = files_.replace(path_, Encoding::SystemCodePage);
    report->write(L"yesterday");
    report->commit();
  }
  {
    const auto report = files_.replace(path_, Encoding::SystemCodePage);
    report->write(L"half of today");
  }  // never committed
  EXPECT_EQ(contents(path_), "yesterday");
  const auto spool = files_.spool(path_);
  spool->write(L"spooled ");
  const auto report = files_.replace(path_, Encoding::SystemCodePage);
  report->write(L"today, ");
  spool->copyTo(*report);
  report->commit();
  EXPECT_EQ(contents(path_), "today, spooled ");
  EXPECT_EQ(files_.readText(path_), L"today, spooled ");
  EXPECT_EQ(files_.readText(path_ + L".none"), std::nullopt);
  EXPECT_THROW(files_.readText(L"CON"), RunTimeError) << "a device is read";
}

TEST_F(AnsiFileTest, AFileThatCannotBeMadeIsARunTimeErrorWithTheSystemsCode) {
  const std::wstring missingFolder = L"C:\\brask-no-such-folder\\BRASK.txt";
  try {
    files_.replace(missingFolder, Encoding::SystemCodePage);
    ADD_FAILURE() << "the file was made";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.code(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(error.action(), L"Writing \"" + missingFolder + L"\"");
    EXPECT_NE(error.description(), L"Unknown error");
    EXPECT_FALSE(error.description().empty());
  }
}

// Two runs on one report at once: the second waits for the first, then writes its own
// report whole.
TEST_F(AnsiFileTest, TwoWritersAtOnceNeverMix) {
  struct Writer {
    AnsiFile& files;
    const std::wstring& path;
    char letter;
    HANDLE locked = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD lockedAt = 0;
    DWORD committedAt = 0;
    std::wstring failure = {};

    static unsigned __stdcall run(void* self) {
      auto& writer = *static_cast<Writer*>(self);
      try {
        const auto lock = writer.files.lock(writer.path);
        writer.lockedAt = GetTickCount();
        SetEvent(writer.locked);
        const auto report = writer.files.replace(writer.path, Encoding::SystemCodePage);
        for (int line = 0; line < 20; ++line) {
          report->write(std::wstring(1000, static_cast<wchar_t>(writer.letter)) + L"\r\n");
          Sleep(5);
        }
        report->commit();
        writer.committedAt = GetTickCount();
      } catch (const RunTimeError& error) {
        writer.failure = runTimeErrorLine(error);
        SetEvent(writer.locked);
      }
      return 0;
    }
  };
  Writer first{files_, path_, 'A'};
  Writer second{files_, path_, 'B'};
  const auto thread = [](Writer& writer) {
    return reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Writer::run, &writer, 0, nullptr));
  };
  HANDLE threads[2] = {thread(first), nullptr};
  ASSERT_EQ(WaitForSingleObject(first.locked, 10000), WAIT_OBJECT_0);
  threads[1] = thread(second);
  ASSERT_EQ(WaitForMultipleObjects(2, threads, TRUE, 30000), WAIT_OBJECT_0);
  EXPECT_EQ(first.failure, L"");
  EXPECT_EQ(second.failure, L"");
  EXPECT_GE(second.lockedAt, first.committedAt) << "the second run took the lock before the first was done";
  std::string expected;
  for (int line = 0; line < 20; ++line) expected += std::string(1000, 'B') + "\r\n";
  EXPECT_TRUE(contents(path_) == expected) << "the report is not the second run's whole";
  for (HANDLE handle : {threads[0], threads[1], first.locked, second.locked}) CloseHandle(handle);
}

// A kernel object under the lock's name that someone else made is not waited on: the run is
// refused. (A mutex closed to this user is refused so too on Windows; Wine grants every
// process the rights to wait on any mutex and to read its owner.)
TEST_F(AnsiFileTest, ALockNameTakenByAnotherUserRefusesTheRun) {
  const std::wstring name = lockName(fileTarget(path_, L"Writing").path);
  const struct {
    const char* name;
    std::function<HANDLE()> take;
  } cases[] = {
      {"a mutex of the Users group",
       [&name] {
         SECURITY_ATTRIBUTES security{sizeof security, nullptr, FALSE};
         ConvertStringSecurityDescriptorToSecurityDescriptorW(L"O:BUD:(A;;GA;;;WD)", SDDL_REVISION_1,
                                                              &security.lpSecurityDescriptor, nullptr);
         const HANDLE mutex = CreateMutexW(&security, FALSE, name.c_str());
         LocalFree(security.lpSecurityDescriptor);
         return mutex;
       }},
      {"an event", [&name] { return CreateEventW(nullptr, TRUE, FALSE, name.c_str()); }},
  };
  for (const auto& c : cases) {
    const HANDLE taken = c.take();
    ASSERT_NE(taken, nullptr) << c.name;
    try {
      files_.lock(path_);
      ADD_FAILURE() << c.name << ": the lock was taken";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.code(), ERROR_ACCESS_DENIED) << c.name;
      EXPECT_EQ(error.action(), L"Writing \"" + path_ + L"\"") << c.name;
      EXPECT_TRUE(error.description().ends_with(name)) << c.name;
    }
    CloseHandle(taken);
  }
  EXPECT_NE(files_.lock(path_), nullptr) << "the name is free again";
}

}  // namespace
}  // namespace brask
