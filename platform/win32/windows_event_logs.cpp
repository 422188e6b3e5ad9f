#include "platform/win32/windows_event_logs.h"

#include <mutex>

#include "platform/computers.h"
#include "platform/run_time_error.h"
#include "platform/win32/computer_failures.h"
#include "platform/win32/system_error.h"
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

template <typename Call>
auto WindowsEventLogs::serve(const Call& call) {
  if (api_) {
    try {
      auto result = call(*api_->connect());
      queried_ = true;
      return result;
    } catch (const RunTimeError& error) {
      const bool notWorking = dynamic_cast<const EvtNotWorking*>(&error) != nullptr;
      if (queried_ || !(notWorking || (!computer_.empty() && servesNoEventLogApi(error)))) throw;
      const std::lock_guard guard(lock_);
      api_.reset();
    }
  }
  {
    const std::lock_guard guard(lock_);
    if (cancelled_) {
      throw systemError(L"Connecting to " + computer_ + L" through WMI", ERROR_CANCELLED);
    }
    if (!wmi_) {
      wmi_ = std::make_unique<WmiEventSource>(spelling_, computer_, callLimit_, wmiClient_);
    }
  }
  return call(*wmi_->connect());
}

class WindowsEventService final : public EventService {
 public:
  explicit WindowsEventService(WindowsEventLogs& logs) : logs_(logs) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    return asComputer([&] {
      std::unique_ptr<EventObjects> objects =
          logs_.serve([&](EventService& service) { return service.ExecQuery(queryText, wanted); });
      return logs_.computer_.empty() ? std::move(objects)
                                     : failingAsComputer(std::move(objects), reach());
    });
  }

  LogMark mark(const std::wstring& queryText, const std::optional<LogPosition>& saved) override {
    return asComputer([&] {
      return logs_.serve([&](EventService& service) { return service.mark(queryText, saved); });
    });
  }

 private:
  Reach reach() const { return logs_.api_ ? Reach::EventLogApi : Reach::Wmi; }

  // Another computer's failures as its own.
  template <typename Call>
  auto asComputer(const Call& call) -> decltype(call()) {
    if (logs_.computer_.empty()) return call();
    try {
      return call();
    } catch (const ComputerError&) {
      throw;
    } catch (const RunTimeError& error) {
      throw computerError(error, reach());
    }
  }

  WindowsEventLogs& logs_;
};

WindowsEventLogs::WindowsEventLogs(EventTypeNames spelling, std::wstring computer,
                                   std::chrono::milliseconds callLimit, WmiClient wmi)
    : spelling_(std::move(spelling)),
      computer_(std::move(computer)),
      callLimit_(callLimit),
      wmiClient_(std::move(wmi)),
      api_(EvtEventSource::open(spelling_, messageLanguages(), EvtTarget{computer_, {}, {}},
                                callLimit_)) {}

WindowsEventLogs::~WindowsEventLogs() = default;

std::unique_ptr<EventService> WindowsEventLogs::connect() {
  return std::make_unique<WindowsEventService>(*this);
}

void WindowsEventLogs::cancel() {
  const std::lock_guard guard(lock_);
  cancelled_ = true;
  if (api_) api_->cancel();
  if (wmi_) wmi_->cancel();
}

}  // namespace brask
