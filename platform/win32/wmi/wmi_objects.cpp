#include "platform/win32/wmi/wmi_objects.h"

#include "platform/event_log/event_levels.h"
#include "platform/event_log/property_name.h"
#include "platform/run_time_error.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wmi/com_error.h"
#include "platform/win32/wmi/variant_value.h"
#include "platform/win32/wmi/wmi_time.h"

namespace brask {

WmiObjects::WmiObjects(std::shared_ptr<WmiConnection> connection, const std::wstring& queryText,
                       const EventTypeNames& spelling, long timeout)
    : connection_(std::move(connection)), spelling_(spelling), timeout_(timeout) {
  const std::wstring action = L"Running the query \"" + queryText + L"\"";
  const Bstr language(L"WQL");
  const Bstr query(queryText);
  IWbemServices* services = connection_->services();
  throwIfFailed(connection_->cancellation().call(action,
                                                 [&] {
                                                   return services->ExecQuery(
                                                       language.get(), query.get(),
                                                       WBEM_FLAG_RETURN_IMMEDIATELY |
                                                           WBEM_FLAG_FORWARD_ONLY,
                                                       nullptr, enumerator_.put());
                                                 }),
                action);
  connection_->secure(enumerator_.get(), action);
}

bool WmiObjects::next() {
  const std::wstring action = L"Reading the next event";
  current_.reset();
  ULONG returned = 0;
  const HRESULT hr = connection_->cancellation().call(
      action, [&] { return enumerator_->Next(timeout_, 1, current_.put(), &returned); });
  // The other computer took the call and sent no row in time.
  if (hr == WBEM_S_TIMEDOUT) throw systemError(action, ERROR_TIMEOUT);
  throwIfFailed(hr, action);
  return hr == WBEM_S_NO_ERROR && returned == 1;
}

PropertyValue WmiObjects::property(std::wstring_view name) {
  const std::wstring action = L"Reading the property " + std::wstring(name);
  if (!current_.get()) throw RunTimeError(action, kInternalError, L"No current event");
  if (samePropertyName(name, L"Type")) {
    const PropertyValue number = value(L"EventType");
    const auto* eventType = std::get_if<std::int64_t>(&number);
    return classicEventType(eventType ? std::optional(*eventType) : std::nullopt, spelling_);
  }
  PropertyValue read = value(std::wstring(name));
  if (samePropertyName(name, L"TimeWritten")) {
    if (const auto* text = std::get_if<std::wstring>(&read)) return thisComputersTime(*text);
  }
  return read;
}

PropertyValue WmiObjects::value(const std::wstring& name) {
  VARIANT value;
  VariantInit(&value);
  CIMTYPE type = CIM_EMPTY;
  throwIfFailed(current_->Get(name.c_str(), 0, &value, &type, nullptr),
                L"Reading the property " + name);
  // The VARIANT is cleared however the reading ends.
  struct Clear {
    VARIANT& value;
    ~Clear() { VariantClear(&value); }
  } clear{value};
  return propertyValue(value, type);
}

}  // namespace brask
