#include "platform/win32/wmi/wmi_event_source.h"

#include <windows.h>

#include <wbemcli.h>

#include "platform/run_time_error.h"
#include "platform/win32/wmi/com_error.h"
#include "platform/win32/wmi/com_ptr.h"
#include "platform/win32/wmi/variant_value.h"

namespace brask {
namespace {

// A BSTR made from text, freed with it.
class Bstr {
 public:
  explicit Bstr(std::wstring_view text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!text_) throw RunTimeError(L"Allocating a string", kOutOfMemory, L"Out of memory");
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(text_); }
  BSTR get() const { return text_; }

 private:
  BSTR text_;
};

// Calls on a WMI proxy are made at the impersonation level, as the "impersonate" moniker
// would set them.
void impersonate(IUnknown* proxy, const std::wstring& action) {
  throwIfFailed(
      CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                        RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE),
      action);
}

void initialiseCom() {
  static const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  throwIfFailed(initialised, L"Initialising COM");
}

class WmiObjects final : public EventObjects {
 public:
  bool next() override {
    current_.reset();
    ULONG returned = 0;
    const HRESULT hr = enumerator_->Next(WBEM_INFINITE, 1, current_.put(), &returned);
    throwIfFailed(hr, L"Reading the next event");
    return hr == WBEM_S_NO_ERROR && returned == 1;
  }

  PropertyValue property(std::wstring_view name) override {
    const std::wstring action = L"Reading the property " + std::wstring(name);
    if (!current_.get()) throw RunTimeError(action, kInternalError, L"No current event");
    VARIANT value;
    VariantInit(&value);
    CIMTYPE type = CIM_EMPTY;
    const std::wstring nameText(name);
    throwIfFailed(current_->Get(nameText.c_str(), 0, &value, &type, nullptr), action);
    // The VARIANT is cleared however the reading ends.
    struct Clear {
      VARIANT& value;
      ~Clear() { VariantClear(&value); }
    } clear{value};
    return propertyValue(value, type);
  }

  IEnumWbemClassObject** put() { return enumerator_.put(); }
  IEnumWbemClassObject* get() const { return enumerator_.get(); }

 private:
  ComPtr<IEnumWbemClassObject> enumerator_;
  ComPtr<IWbemClassObject> current_;
};

class WmiService final : public EventService {
 public:
  WmiService() {
    const std::wstring action = L"Connecting to root\\cimv2";
    ComPtr<IWbemLocator> locator;
    throwIfFailed(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWbemLocator, locator.putVoid()),
                  action);
    const Bstr nameSpace(L"root\\cimv2");
    throwIfFailed(locator->ConnectServer(nameSpace.get(), nullptr, nullptr, nullptr, 0, nullptr,
                                         nullptr, services_.put()),
                  action);
    impersonate(services_.get(), action);
  }

  // WMI gets the query text alone: what the listing wants is its own to filter.
  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted&) override {
    const std::wstring action = L"Running the query \"" + queryText + L"\"";
    const Bstr language(L"WQL");
    const Bstr query(queryText);
    auto objects = std::make_unique<WmiObjects>();
    throwIfFailed(services_->ExecQuery(language.get(), query.get(),
                                       WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY,
                                       nullptr, objects->put()),
                  action);
    impersonate(objects->get(), action);
    return objects;
  }

 private:
  ComPtr<IWbemServices> services_;
};

}  // namespace

std::unique_ptr<EventService> WmiEventSource::connect() {
  initialiseCom();
  return std::make_unique<WmiService>();
}

}  // namespace brask
