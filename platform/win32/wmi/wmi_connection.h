// How WMI is reached: where the locator comes from, and how a call that a thread has in
// progress through DCOM is cancelled (Windows' own by default; the tests give an in-process
// WMI of their own). One connection to a computer's WMI, made on the calling thread for
// every query that thread runs there: COM initialised in the thread's apartment, call
// cancellation enabled on it for another computer, and the locator's IWbemServices on
// root\cimv2, or \\NAME\root\cimv2, with the proxy security Microsoft documents for remote
// WMI. The connection is released on its own thread; on any other it is left as it is, its
// thread having ended or being stuck in a call to the other computer.
#pragma once

#include <windows.h>

#include <wbemcli.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/wmi/com_ptr.h"
#include "platform/win32/wmi/wmi_cancellation.h"

namespace brask {

struct WmiClient {
  // Stores a new reference to a locator, as CoCreateInstance of CLSID_WbemLocator does.
  std::function<HRESULT(IWbemLocator**)> locator;
  // Asks that the call the thread has in progress end, as CoCancelCall does: E_NOINTERFACE
  // while the thread has no call that can be cancelled.
  std::function<HRESULT(DWORD thread)> cancelCall;
};

// CoCreateInstance of CLSID_WbemLocator, in process; CoCancelCall without waiting.
WmiClient comWmiClient();

// COM on the calling thread while it lives, in the apartment the thread has if it has one;
// with call cancellation enabled when asked.
class ComApartment {
 public:
  explicit ComApartment(bool cancellable);
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();

  // Undoes nothing when it goes: its thread is another's.
  void abandon() { abandoned_ = true; }

 private:
  HRESULT initialised_;  // S_OK, S_FALSE (initialised before) or RPC_E_CHANGED_MODE
  bool cancellable_ = false;
  bool abandoned_ = false;
};

class WmiConnection {
 public:
  // computer: another computer's name; empty for this one. Throws RunTimeError.
  WmiConnection(const WmiClient& client, const std::wstring& computer,
                std::shared_ptr<WmiCancellation> cancellation);
  WmiConnection(const WmiConnection&) = delete;
  WmiConnection& operator=(const WmiConnection&) = delete;
  ~WmiConnection();

  IWbemServices* services() const { return services_.get(); }
  bool remote() const { return remote_; }
  DWORD thread() const { return thread_; }
  WmiCancellation& cancellation() const { return *cancellation_; }
  // Sets a proxy of this connection's calls to its security: throws RunTimeError.
  void secure(IUnknown* proxy, const std::wstring& action) const;

 private:
  bool remote_;
  DWORD thread_;
  std::shared_ptr<WmiCancellation> cancellation_;
  ComApartment apartment_;  // released last
  ComPtr<IWbemServices> services_;
};

}  // namespace brask
