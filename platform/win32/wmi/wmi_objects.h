// The result of a WQL query, walked once: each row reached with IEnumWbemClassObject::Next,
// which waits at most the call limit for another computer's row (ERROR_TIMEOUT beyond it),
// each property read by name from its VARIANT. An event's Type comes from its
// language-neutral EventType, spelled as this computer's event logs spell it, and its
// TimeWritten is given in this computer's zone, whoever wrote them.
#pragma once

#include <memory>
#include <string_view>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"
#include "platform/win32/wmi/com_ptr.h"
#include "platform/win32/wmi/wmi_connection.h"

namespace brask {

class WmiObjects final : public EventObjects {
 public:
  // Runs the query semi-synchronously through the connection. Throws RunTimeError.
  WmiObjects(std::shared_ptr<WmiConnection> connection, const std::wstring& queryText,
             const EventTypeNames& spelling, long timeout);

  bool next() override;
  PropertyValue property(std::wstring_view name) override;

 private:
  PropertyValue value(const std::wstring& name);

  std::shared_ptr<WmiConnection> connection_;  // released last
  const EventTypeNames& spelling_;
  long timeout_;  // of each Next, in milliseconds, or WBEM_INFINITE
  ComPtr<IEnumWbemClassObject> enumerator_;
  ComPtr<IWbemClassObject> current_;
};

}  // namespace brask
