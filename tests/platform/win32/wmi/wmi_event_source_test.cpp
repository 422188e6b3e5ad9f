// WMI under Wine: it answers queries, but its event logs hold no rows, so the event query
// is checked for running cleanly and the property reader on a class that has rows.
#include "platform/win32/wmi/wmi_event_source.h"

#include <gtest/gtest.h>

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

TEST(WmiEventSource, TheEventQueryOfEachLogRunsAndIsWalkedToItsEnd) {
  WmiEventSource source;
  for (const wchar_t* log : {L"'Application'", L"'System'", L"'Application' ", L"'System' "}) {
    auto service = source.connect();
    auto events =
        service->ExecQuery(std::wstring(L"Select * from Win32_NTLogEvent where Logfile = ") + log, {});
    int count = 0;
    while (events->next() && count < 100000) ++count;
    EXPECT_FALSE(events->next()) << "the walk does not end for " << log;
  }
}

TEST(WmiEventSource, PropertiesAreReadByNameAsTextNumbersOrMissing) {
  WmiEventSource source;
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
}

}  // namespace
}  // namespace brask
