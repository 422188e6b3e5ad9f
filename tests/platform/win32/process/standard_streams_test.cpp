// Standard output and error of a run without a window, under a German system locale (the
// ANSI code page 1252, the OEM one 850): a file or pipe gets the console's code page where a
// console is attached, else the OEM one, as Windows' own console tools write; a console
// gets the text itself. A console is made with AllocConsole, which Wine shows on the test's
// X display. (ConsoleDialogs' lines so: brask.exe /run's end-to-end test.)
#include "platform/win32/process/standard_streams.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace brask {
namespace {

// A file standing in for a redirected standard error while it lives.
class RedirectedError {
 public:
  RedirectedError() {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"brask_standard_error.txt";
    file_ = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    previous_ = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_ERROR_HANDLE, file_);
  }
  RedirectedError(const RedirectedError&) = delete;
  RedirectedError& operator=(const RedirectedError&) = delete;
  ~RedirectedError() {
    SetStdHandle(STD_ERROR_HANDLE, previous_);
    CloseHandle(file_);
    DeleteFileW(path_.c_str());
  }

  std::string bytes() const {
    std::ifstream in(path_.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::wstring path_;
  HANDLE file_;
  HANDLE previous_;
};

TEST(StandardStreams, ARedirectedStreamIsWrittenInTheConsolesCodePageElseTheOemOne) {
  ASSERT_EQ(GetACP(), 1252u) << "the prefix runs under de_DE";
  ASSERT_EQ(GetOEMCP(), 850u);
  const std::wstring text = L"Ger\u00e4t \u00e9\u20ac\r\n";
  const struct {
    const char* name;
    std::function<void()> console;  // the console, or none, that the process has
    std::string bytes;
  } cases[] = {
      {"no console: the OEM code page", [] { FreeConsole(); }, "Ger\x84t \x82?\r\n"},
      {"a console in code page 1252",
       [] {
         AllocConsole();
         SetConsoleOutputCP(1252);
       },
       "Ger\xe4t \xe9\x80\r\n"},
      {"a console in UTF-8", [] { SetConsoleOutputCP(CP_UTF8); },
       "Ger\xc3\xa4t \xc3\xa9\xe2\x82\xac\r\n"},
  };
  for (const auto& c : cases) {
    c.console();
    const RedirectedError redirected;
    EXPECT_TRUE(writeStandard(STD_ERROR_HANDLE, text)) << c.name;
    EXPECT_EQ(redirected.bytes(), c.bytes) << c.name;
  }
  FreeConsole();
}

TEST(StandardStreams, AConsoleGetsTheTextItself) {
  ASSERT_TRUE(AllocConsole());
  // The console's code page cannot represent the text: WriteConsoleW does not need it to.
  SetConsoleOutputCP(437);
  const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
  CONSOLE_SCREEN_BUFFER_INFO before;
  ASSERT_TRUE(GetConsoleScreenBufferInfo(console, &before));
  const HANDLE previous = GetStdHandle(STD_ERROR_HANDLE);
  SetStdHandle(STD_ERROR_HANDLE, console);
  const std::wstring text = L"\u0393\u03b5\u03b9\u03ac \u20ac";
  EXPECT_TRUE(writeStandard(STD_ERROR_HANDLE, text));
  SetStdHandle(STD_ERROR_HANDLE, previous);
  std::wstring shown(text.size(), L'\0');
  DWORD read = 0;
  ReadConsoleOutputCharacterW(console, shown.data(), static_cast<DWORD>(shown.size()), before.dwCursorPosition, &read);
  EXPECT_EQ(shown, text);
  CloseHandle(console);
  FreeConsole();
}

}  // namespace
}  // namespace brask
