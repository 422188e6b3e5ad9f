#include "platform/win32/wmi/wmi_event_source.h"

#include <windows.h>

#include <wbemcli.h>

#include <memory>

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
// would set them; to another computer with the service that DCOM negotiates (Kerberos or
// NTLM), encrypted, as the current user (no identity of its own).
void impersonate(IUnknown* proxy, bool remote, const std::wstring& action) {
  const HRESULT hr =
      remote ? CoSetProxyBlanket(proxy, RPC_C_AUTHN_DEFAULT, RPC_C_AUTHZ_DEFAULT,
                                 COLE_DEFAULT_PRINCIPAL, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                 RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE)
             : CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                 RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                 EOAC_NONE);
  throwIfFailed(hr, action);
}

// COM on the calling thread while it lives, in the apartment the thread has if it has one.
class ComApartment {
 public:
  ComApartment() : initialised_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
    // The thread has COM already, in the multithreaded apartment: nothing to undo.
    if (initialised_ != RPC_E_CHANGED_MODE) throwIfFailed(initialised_, L"Initialising COM");
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(initialised_)) CoUninitialize();
  }

 private:
  HRESULT initialised_;  // S_OK, S_FALSE (initialised before) or RPC_E_CHANGED_MODE
};

class WmiObjects final : public EventObjects {
 public:
  explicit WmiObjects(std::shared_ptr<ComApartment> apartment) : apartment_(std::move(apartment)) {}

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
  std::shared_ptr<ComApartment> apartment_;  // released last
  ComPtr<IEnumWbemClassObject> enumerator_;
  ComPtr<IWbemClassObject> current_;
};

class WmiService final : public EventService {
 public:
  explicit WmiService(const std::wstring& computer)
      : apartment_(std::make_shared<ComApartment>()), remote_(!computer.empty()) {
    const std::wstring path = remote_ ? L"\\\\" + computer + L"\\root\\cimv2" : L"root\\cimv2";
    const std::wstring action = L"Connecting to " + path;
    ComPtr<IWbemLocator> locator;
    throwIfFailed(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWbemLocator, locator.putVoid()),
                  action);
    const Bstr nameSpace(path);
    // No user, password or authority: the current user. A computer out of reach answers
    // within two minutes.
    throwIfFailed(locator->ConnectServer(nameSpace.get(), nullptr, nullptr, nullptr,
                                         remote_ ? WBEM_FLAG_CONNECT_USE_MAX_WAIT : 0, nullptr,
                                         nullptr, services_.put()),
                  action);
    impersonate(services_.get(), remote_, action);
  }

  // WMI gets the query text alone: what the listing wants is its own to filter.
  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted&) override {
    const std::wstring action = L"Running the query \"" + queryText + L"\"";
    const Bstr language(L"WQL");
    const Bstr query(queryText);
    auto objects = std::make_unique<WmiObjects>(apartment_);
    throwIfFailed(services_->ExecQuery(language.get(), query.get(),
                                       WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY,
                                       nullptr, objects->put()),
                  action);
    impersonate(objects->get(), remote_, action);
    return objects;
  }

  // Where a log stands is read by the bookmark's run.
  LogMark mark(const std::wstring&, const std::optional<LogPosition>&) override {
    throw RunTimeError(L"Reading where the log stands", kInternalError, L"Not supported here");
  }

 private:
  std::shared_ptr<ComApartment> apartment_;  // released last
  bool remote_;
  ComPtr<IWbemServices> services_;
};

}  // namespace

std::unique_ptr<EventService> WmiEventSource::connect() {
  return std::make_unique<WmiService>(computer_);
}

}  // namespace brask
