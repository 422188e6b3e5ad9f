// WMI under Wine: it answers queries, but its event logs hold no rows, so the event query
// is checked for running cleanly, on any thread, and the property reader on a class that
// has rows, through root\cimv2 and through \\NAME\root\cimv2 with this computer's name,
// which Wine serves as itself; any other computer's name it refuses.
#include "platform/win32/wmi/wmi_event_source.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/run_time_error.h"

namespace brask {
namespace {

// Reads a property, turning a run-time error into a failure that says what it was.
PropertyValue read(EventObjects& objects, const wchar_t* name) {
  try {
    return objects.property(name);
  } catch (const RunTimeError& error) {
    ADD_FAILURE() << "reading " << std::string(name, name + wcslen(name)) << ": error " << std::hex
                  << error.code();
    return {};
  }
}

// This computer's NetBIOS name.
std::wstring thisComputer() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

// Each log's event query walked to its end; what went wrong, else nothing.
std::string walkEachLog() {
  try {
    WmiEventSource source;
    for (const wchar_t* log : {L"'Application'", L"'System'", L"'Application' ", L"'System' "}) {
      auto service = source.connect();
      auto events =
          service->ExecQuery(std::wstring(L"Select * from Win32_NTLogEvent where Logfile = ") + log, {});
      int count = 0;
      while (events->next() && count < 100000) ++count;
      if (events->next()) return "the walk does not end";
    }
    return {};
  } catch (const RunTimeError& error) {
    return "error " + std::to_string(error.code());
  }
}

DWORD WINAPI walkOnThisThread(LPVOID outcome) {
  *static_cast<std::string*>(outcome) = walkEachLog();
  return 0;
}

// COM is the calling thread's: a second thread initialises its own.
TEST(WmiEventSource, TheEventQueryOfEachLogRunsAndIsWalkedToItsEndOnAnyThread) {
  EXPECT_EQ(walkEachLog(), "");
  std::string outcome = "not run";
  const HANDLE thread = CreateThread(nullptr, 0, walkOnThisThread, &outcome, 0, nullptr);
  ASSERT_TRUE(thread);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_EQ(outcome, "") << "on a thread of its own";
}

TEST(WmiEventSource, PropertiesAreReadByNameAsTextNumbersOrMissing) {
  ASSERT_FALSE(thisComputer().empty());
  for (const std::wstring& computer : {std::wstring(), thisComputer()}) {
    SCOPED_TRACE(std::string(computer.begin(), computer.end()));
    WmiEventSource source(computer);
    auto service = source.connect();
    auto systems = service->ExecQuery(L"Select * from Win32_OperatingSystem", {});
    ASSERT_TRUE(systems->next());

    const PropertyValue caption = read(*systems, L"Caption");
    ASSERT_TRUE(std::holds_alternative<std::wstring>(caption));
    EXPECT_NE(std::get<std::wstring>(caption).find(L"Windows"), std::wstring::npos);
    const PropertyValue build = read(*systems, L"BuildNumber");
    ASSERT_TRUE(std::holds_alternative<std::wstring>(build));
    EXPECT_FALSE(std::get<std::wstring>(build).empty());

    const struct {
      const wchar_t* name;
      std::int64_t value;
    } numbers[] = {
        {L"OSType", 18},        // WINNT
        {L"ProductType", 1},    // a workstation
        {L"OSLanguage", 1033},  // English (United States), an unsigned 32-bit value
    };
    for (const auto& n : numbers) {
      EXPECT_EQ(read(*systems, n.name), PropertyValue{n.value})
          << std::string(n.name, n.name + wcslen(n.name));
    }
    EXPECT_FALSE(systems->next()) << "one operating system";

    // Wine leaves no property of the operating system null, but this one of the BIOS.
    auto bios = service->ExecQuery(L"Select * from Win32_BIOS", {});
    ASSERT_TRUE(bios->next());
    EXPECT_EQ(read(*bios, L"IdentificationCode"), PropertyValue{});
  }
}

TEST(WmiEventSource, FailuresAreRunTimeErrorsWithTheHresultAndWmisText) {
  WmiEventSource source;
  auto service = source.connect();
  auto systems = service->ExecQuery(L"Select * from Win32_OperatingSystem", {});
  ASSERT_TRUE(systems->next());
  try {
    systems->property(L"NoSuchProperty");
    ADD_FAILURE() << "an unknown property was read";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(static_cast<unsigned long>(error.code()), 0x80041002UL);  // WBEM_E_NOT_FOUND
    EXPECT_EQ(error.action(), L"Reading the property NoSuchProperty");
    EXPECT_NE(error.description(), L"Unknown error");
  }

  try {
    auto bad = service->ExecQuery(L"Select * from", {});
    bad->next();
    ADD_FAILURE() << "a broken query ran";
  } catch (const RunTimeError& error) {
    EXPECT_LT(error.code(), 0);
    EXPECT_FALSE(error.description().empty());
  }

  // Another computer's namespace, which Wine's WMI does not reach.
  try {
    WmiEventSource(L"no-such-computer").connect();
    ADD_FAILURE() << "another computer was reached";
  } catch (const RunTimeError& error) {
    EXPECT_LT(error.code(), 0);
    EXPECT_EQ(error.action(), L"Connecting to \\\\no-such-computer\\root\\cimv2");
  }
}

}  // namespace
}  // namespace brask
