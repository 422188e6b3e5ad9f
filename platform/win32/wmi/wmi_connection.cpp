#include "platform/win32/wmi/wmi_connection.h"

#include "platform/win32/wmi/com_error.h"

namespace brask {

WmiClient comWmiClient() {
  return WmiClient{
      [](IWbemLocator** locator) {
        return CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(locator));
      },
      [](DWORD thread) { return CoCancelCall(thread, 0); },
  };
}

ComApartment::ComApartment(bool cancellable)
    : initialised_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
  // The thread has COM already, in the multithreaded apartment: nothing to undo.
  if (initialised_ != RPC_E_CHANGED_MODE) throwIfFailed(initialised_, L"Initialising COM");
  // Only calls made after this can be cancelled; it slows calls within this computer.
  cancellable_ = cancellable && SUCCEEDED(CoEnableCallCancellation(nullptr));
}

ComApartment::~ComApartment() {
  if (abandoned_) return;
  if (cancellable_) CoDisableCallCancellation(nullptr);
  if (SUCCEEDED(initialised_)) CoUninitialize();
}

WmiConnection::WmiConnection(const WmiClient& client, const std::wstring& computer,
                             std::shared_ptr<WmiCancellation> cancellation)
    : remote_(!computer.empty()),
      thread_(GetCurrentThreadId()),
      cancellation_(std::move(cancellation)),
      apartment_(remote_) {
  const std::wstring path = remote_ ? L"\\\\" + computer + L"\\root\\cimv2" : L"root\\cimv2";
  const std::wstring action = L"Connecting to " + path;
  ComPtr<IWbemLocator> locator;
  throwIfFailed(client.locator(locator.put()), action);
  const Bstr nameSpace(path);
  // No user, password or authority: the current user. Another computer that does not answer
  // is cancelled as any call is, rather than waited for WMI's two minutes.
  throwIfFailed(cancellation_->call(action,
                                    [&] {
                                      return locator->ConnectServer(nameSpace.get(), nullptr,
                                                                    nullptr, nullptr, 0, nullptr,
                                                                    nullptr, services_.put());
                                    }),
                action);
  secure(services_.get(), action);
}

WmiConnection::~WmiConnection() {
  if (GetCurrentThreadId() == thread_) return;
  services_.abandon();
  apartment_.abandon();
}

// Calls on a WMI proxy are made at the impersonation level, as the "impersonate" moniker
// would set them; to another computer with the service that DCOM negotiates (Kerberos or
// NTLM), encrypted, as the current user (no identity of its own).
void WmiConnection::secure(IUnknown* proxy, const std::wstring& action) const {
  const HRESULT hr =
      remote_ ? CoSetProxyBlanket(proxy, RPC_C_AUTHN_DEFAULT, RPC_C_AUTHZ_DEFAULT,
                                  COLE_DEFAULT_PRINCIPAL, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                  RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE)
              : CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                  RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                  EOAC_NONE);
  throwIfFailed(hr, action);
}

}  // namespace brask
