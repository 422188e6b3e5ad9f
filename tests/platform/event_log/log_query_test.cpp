#include "platform/event_log/log_query.h"

#include <gtest/gtest.h>

#include "platform/run_time_error.h"

namespace brask {
namespace {

TEST(LogOfQuery, ReadsTheLogName) {
  const struct {
    const wchar_t* query;
    LogName log;
  } cases[] = {
      {L"Select * from Win32_NTLogEvent where Logfile = 'System'", LogName::System},
      {L"Select * from Win32_NTLogEvent where Logfile = 'Application'", LogName::Application},
      {L"Select * from Win32_NTLogEvent where Logfile = 'System' ", LogName::System},  // date mode
      {L"Select * from Win32_NTLogEvent where Logfile = 'Application' ", LogName::Application},
      {L"SELECT * FROM win32_ntlogevent WHERE LOGFILE='system'", LogName::System},
      {L"Select * from Win32_NTLogEvent where Logfile = 'Security'", LogName::Other},
      {L"Select * from Win32_NTLogEvent where Logfile = ''", LogName::Other},
  };
  for (const auto& c : cases)
    EXPECT_EQ(logOfQuery(c.query), c.log) << testing::PrintToString(std::wstring(c.query));
}

TEST(LogOfQuery, RefusesATextOfAnotherForm) {
  for (const wchar_t* query : {
           L"",
           L"Select * from Win32_NTLogEvent",
           L"Select * from Win32_Process where Logfile = 'System'",
           L"Select * from Win32_NTLogEvent where Logfile = System",
           L"Select * from Win32_NTLogEvent where Logfile = 'System",
           L"Select * from Win32_NTLogEvent where Logfile = 'System' and Type = 'Error'",
           L"Select Message from Win32_NTLogEvent where Logfile = 'System'",
       }) {
    try {
      logOfQuery(query);
      ADD_FAILURE() << "no error for " << testing::PrintToString(std::wstring(query));
    } catch (const RunTimeError& error) {
      // WBEM_E_INVALID_QUERY as the event service's HRESULT, a negative 32-bit number.
      EXPECT_EQ(error.code(), -2147217385) << testing::PrintToString(std::wstring(query));
    }
  }
}

}  // namespace
}  // namespace brask
