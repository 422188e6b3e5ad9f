// The query text of the event logs, "Select * from Win32_NTLogEvent where Logfile =
// 'System'", read for the log that it names.
#pragma once

#include <string>
#include <string_view>

namespace brask {

enum class LogName { Application, System, Other };

// The log named by the query; keywords, the class and the log name are compared without
// regard to case, as the event service does. Throws RunTimeError for a text of any other
// form.
LogName logOfQuery(std::wstring_view queryText);

// The log a name names, in any letter case: Application, System, or Other.
LogName logNamed(std::wstring_view name);

// The log's own name, "Application" or "System"; empty for Other.
std::wstring_view logNameText(LogName log);

// The log of a channel named Application or System, in any letter case; Other for the rest.
LogName logOfChannel(std::string_view channel);

}  // namespace brask
