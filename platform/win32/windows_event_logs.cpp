#include "platform/win32/windows_event_logs.h"

#include "platform/win32/wevtapi/evt_event_source.h"
#include "platform/win32/wevtapi/evt_objects.h"
#include "platform/win32/wmi/wmi_event_source.h"

namespace brask {

class WindowsEventService final : public EventService {
 public:
  explicit WindowsEventService(WindowsEventLogs& logs) : logs_(logs) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    if (logs_.api_) {
      try {
        std::unique_ptr<EventObjects> objects = logs_.api_->connect()->ExecQuery(queryText, wanted);
        logs_.queried_ = true;
        return objects;
      } catch (const EvtNotWorking&) {
        if (logs_.queried_) throw;
        logs_.api_.reset();
      }
    }
    if (!logs_.wmi_) logs_.wmi_ = std::make_unique<WmiEventSource>();
    return logs_.wmi_->connect()->ExecQuery(queryText, wanted);
  }

 private:
  WindowsEventLogs& logs_;
};

WindowsEventLogs::WindowsEventLogs(EventTypeNames spelling)
    : api_(EvtEventSource::open(std::move(spelling))) {}

WindowsEventLogs::~WindowsEventLogs() = default;

std::unique_ptr<EventService> WindowsEventLogs::connect() {
  return std::make_unique<WindowsEventService>(*this);
}

}  // namespace brask
