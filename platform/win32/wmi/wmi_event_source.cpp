#include "platform/win32/wmi/wmi_event_source.h"

#include <optional>

#include "platform/event_log/log_query.h"
#include "platform/event_log/record_marks.h"
#include "platform/win32/wmi/wmi_objects.h"

namespace brask {

class WmiService final : public EventService {
 public:
  // Connects, on this thread's first connection.
  explicit WmiService(WmiEventSource& source) : source_(source), connection_(source.connection()) {}

  // WMI gets the query text: what the listing wants is its own to filter, but for a
  // bookmark's position, which only the event service can keep.
  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    std::wstring text = queryText;
    // A position that is no number is that of a log cleared since: every row is new.
    if (const auto after = wanted.after ? recordOfPosition(*wanted.after) : std::nullopt)
      text += L" and RecordNumber > " + std::to_wstring(*after);
    return objects(text);
  }

  LogMark mark(const std::wstring& queryText, const std::optional<LogPosition>& saved) override {
    const LogName log = logOfQuery(queryText);
    if (log == LogName::Other) return recordMark(std::nullopt, std::nullopt, saved);
    const std::wstring name = log == LogName::System ? L"System" : L"Application";
    // The log's rows come newest first.
    const std::optional<std::uint64_t> newest =
        first(L"Select RecordNumber from Win32_NTLogEvent where Logfile = '" + name + L"'",
              L"RecordNumber");
    const std::optional<std::uint64_t> record = saved ? recordOfPosition(*saved) : std::nullopt;
    // The oldest tells something only of a saved row that the log may still hold.
    std::optional<std::uint64_t> oldest;
    if (record && newest && *newest >= *record) {
      const std::optional<std::uint64_t> count = first(
          L"Select NumberOfRecords from Win32_NTEventlogFile where LogfileName = '" + name + L"'",
          L"NumberOfRecords");
      if (count && *count > 0 && *count <= *newest) oldest = *newest - *count + 1;
    }
    return recordMark(newest, oldest, saved);
  }

 private:
  std::unique_ptr<EventObjects> objects(const std::wstring& queryText) {
    return std::make_unique<WmiObjects>(connection_, queryText, source_.spelling_,
                                        source_.timeout_);
  }

  // The whole number the first row of a query holds; nothing without a row or a number.
  std::optional<std::uint64_t> first(const std::wstring& queryText, const wchar_t* property) {
    const std::unique_ptr<EventObjects> rows = objects(queryText);
    if (!rows->next()) return std::nullopt;
    const PropertyValue value = rows->property(property);
    const auto* number = std::get_if<std::int64_t>(&value);
    if (!number || *number < 0) return std::nullopt;
    return static_cast<std::uint64_t>(*number);
  }

  WmiEventSource& source_;
  std::shared_ptr<WmiConnection> connection_;
};

WmiEventSource::WmiEventSource(EventTypeNames spelling, std::wstring computer,
                               std::chrono::milliseconds callLimit, WmiClient client)
    : spelling_(std::move(spelling)),
      computer_(std::move(computer)),
      // This computer's rows are waited for as long as they take.
      timeout_(computer_.empty() ? static_cast<long>(WBEM_INFINITE)
                                 : static_cast<long>(callLimit.count())),
      client_(std::move(client)),
      cancellation_(std::make_shared<WmiCancellation>(client_.cancelCall)) {}

std::shared_ptr<WmiConnection> WmiEventSource::connection() {
  if (!connection_ || connection_->thread() != GetCurrentThreadId())
    connection_ = std::make_shared<WmiConnection>(client_, computer_, cancellation_);
  return connection_;
}

std::unique_ptr<EventService> WmiEventSource::connect() {
  return std::make_unique<WmiService>(*this);
}

}  // namespace brask
