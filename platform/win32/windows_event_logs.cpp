#include "platform/win32/windows_event_logs.h"

#include "platform/computers.h"
#include "platform/run_time_error.h"
#include "platform/win32/computer_failures.h"
#include "platform/win32/wevtapi/evt_event_source.h"
#include "platform/win32/wevtapi/evt_objects.h"
#include "platform/win32/wmi/wmi_event_source.h"

namespace brask {
namespace {

// The other computer has no endpoint of the API's remote protocol (EPT_S_NOT_REGISTERED), or
// does not know its interface (RPC_S_UNKNOWN_IF): Windows XP and Server 2003.
bool servesNoEventLogApi(const RunTimeError& error) {
  return error.code() == EPT_S_NOT_REGISTERED || error.code() == RPC_S_UNKNOWN_IF;
}

}  // namespace

class WindowsEventService final : public EventService {
 public:
  explicit WindowsEventService(WindowsEventLogs& logs) : logs_(logs) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    if (logs_.computer_.empty()) return logs_.query(queryText, wanted);
    try {
      std::unique_ptr<EventObjects> objects = logs_.query(queryText, wanted);
      return failingAsComputer(std::move(objects), reach());
    } catch (const ComputerError&) {
      throw;
    } catch (const RunTimeError& error) {
      throw computerError(error, reach());
    }
  }

  // Where a log stands is read by the bookmark's run.
  LogMark mark(const std::wstring&, const std::optional<LogPosition>&) override {
    throw RunTimeError(L"Reading where the log stands", kInternalError, L"Not supported here");
  }

 private:
  Reach reach() const { return logs_.api_ ? Reach::EventLogApi : Reach::Wmi; }

  WindowsEventLogs& logs_;
};

WindowsEventLogs::WindowsEventLogs(EventTypeNames spelling, std::wstring computer)
    : computer_(std::move(computer)),
      api_(EvtEventSource::open(std::move(spelling), messageLanguages(),
                                EvtTarget{computer_, {}, {}})) {}

WindowsEventLogs::~WindowsEventLogs() = default;

std::unique_ptr<EventService> WindowsEventLogs::connect() {
  return std::make_unique<WindowsEventService>(*this);
}

std::unique_ptr<EventObjects> WindowsEventLogs::query(const std::wstring& queryText,
                                                      const EventsWanted& wanted) {
  if (api_) {
    try {
      std::unique_ptr<EventObjects> objects = api_->connect()->ExecQuery(queryText, wanted);
      queried_ = true;
      return objects;
    } catch (const RunTimeError& error) {
      const bool notWorking = dynamic_cast<const EvtNotWorking*>(&error) != nullptr;
      if (queried_ || !(notWorking || (!computer_.empty() && servesNoEventLogApi(error)))) throw;
      api_.reset();
    }
  }
  if (!wmi_) wmi_ = std::make_unique<WmiEventSource>(computer_);
  return wmi_->connect()->ExecQuery(queryText, wanted);
}

}  // namespace brask
