#include "platform/run_time_error.h"

#include <gtest/gtest.h>

#include <string>

namespace brask {
namespace {

TEST(RunTimeError, KeepsWhatFailed) {
  const RunTimeError error(L"Opening the report file C:\\BRASK.txt", 75, L"Path/File access error");
  EXPECT_EQ(error.action(), L"Opening the report file C:\\BRASK.txt");
  EXPECT_EQ(error.code(), 75) << "code: expected 75, got " << error.code();
  EXPECT_EQ(error.description(), L"Path/File access error");
  EXPECT_STRNE(error.what(), "") << "what() is empty";
}

TEST(RunTimeError, BoxText) {
  static const struct {
    long code;
    const wchar_t* action;
    const wchar_t* description;
    const wchar_t* expected;
  } cases[] = {
      {13, L"Reading the event time \"2009\"", L"Type mismatch",
       L"Run-time error '13':\n\nReading the event time \"2009\": Type mismatch"},
      {7, L"Reading the events", L"Out of memory",
       L"Run-time error '7':\n\nReading the events: Out of memory"},
      {75, L"Opening the report file C:\\BRASK.txt", L"Path/File access error",
       L"Run-time error '75':\n\nOpening the report file C:\\BRASK.txt: Path/File access error"},
      {0, L"x", L"y", L"Run-time error '0':\n\nx: y"},
      {65535, L"x", L"y", L"Run-time error '65535':\n\nx: y"},
      // Codes beyond 16 bits, such as HRESULTs, also in hexadecimal.
      {65536, L"x", L"y", L"Run-time error '65536 (00010000)':\n\nx: y"},
      {-2147217406, L"Querying the event log", L"Not found",
       L"Run-time error '-2147217406 (80041002)':\n\nQuerying the event log: Not found"},
      {-2147024891, L"Starting notepad C:\\BRASK.txt", L"Access is denied.",
       L"Run-time error '-2147024891 (80070005)':\n\nStarting notepad C:\\BRASK.txt: Access is "
       L"denied."},
      {-1, L"x", L"y", L"Run-time error '-1 (FFFFFFFF)':\n\nx: y"},
      {-2147483647 - 1, L"x", L"y", L"Run-time error '-2147483648 (80000000)':\n\nx: y"},
  };
  for (const auto& c : cases) {
    const std::wstring text = runTimeErrorText(RunTimeError(c.action, c.code, c.description));
    EXPECT_EQ(text, c.expected) << "code " << c.code << ": expected \"" << c.expected
                                << "\", got \"" << text << "\"";
  }
}

}  // namespace
}  // namespace brask
