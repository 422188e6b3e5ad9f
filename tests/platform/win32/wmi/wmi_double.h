// An in-process WMI for the tests, given to the WMI source as its client: IWbemLocator,
// IWbemServices, IEnumWbemClassObject and IWbemClassObject as Microsoft documents them, over
// the rows each test gives this computer ("") and others by name, with the proxy security
// of IClientSecurity. ConnectServer reaches root\cimv2 or \\NAME\root\cimv2 (a computer not
// given is out of reach: RPC_S_SERVER_UNAVAILABLE as an HRESULT); ExecQuery reads WQL's
// "SELECT props FROM class [WHERE test AND test...]", each test a property, one of = != < >
// <= >=, and a 'text' (compared without regard to case) or a whole number; a row gives only
// the properties selected. Rows come in the order given, as WMI delivers them (an event
// log's newest first). A computer may stop answering: a call that hangs never returns until
// it is cancelled as COM cancels a call (the client's cancelCall on its thread), and then
// fails with RPC_E_CALL_CANCELED; a silent Next waits for its timeout and returns
// WBEM_S_TIMEDOUT, unless cancelled first. Every call may come from any thread.
#pragma once

#include <windows.h>

#include <wbemcli.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/wmi/wmi_connection.h"

namespace brask::test {

// A property's value as WMI gives it: VT_BSTR text, VT_I4 or VT_UI1 numbers, VT_NULL.
struct WmiValue {
  VARTYPE type = VT_NULL;
  CIMTYPE cimType = CIM_STRING;
  std::wstring text;
  long number = 0;
};

WmiValue wmiText(std::wstring text);
WmiValue wmiTime(std::wstring cimText);       // CIM_DATETIME
WmiValue wmiNumber(long number, CIMTYPE cimType);  // CIM_UINT8 as VT_UI1, others as VT_I4

// Its properties by name, "__CLASS" among them.
using WmiRow = std::vector<std::pair<std::wstring, WmiValue>>;

// A Win32_NTLogEvent row as Windows XP gives it, Message and all.
WmiRow ntLogEvent(const std::wstring& log, long recordNumber, long eventType,
                  const std::wstring& type, const std::wstring& timeWritten,
                  const std::wstring& message);
// A Win32_NTEventlogFile row: the log and how many records it holds.
WmiRow ntEventlogFile(const std::wstring& log, long records);

struct WmiComputer {
  std::vector<WmiRow> rows;
  HRESULT refusal = S_OK;  // of ConnectServer
  // "ConnectServer", "ExecQuery" or "Next": the call that hangs, from its `from`th on.
  std::wstring hangs;
  int hangsFrom = 1;
  // Next from its `silentFrom`th call on (0: never) has no row to give.
  int silentFrom = 0;
};

class WmiDouble {
 public:
  WmiDouble();

  // Set before the source connects.
  void add(const std::wstring& name, WmiComputer computer);
  WmiClient client() const;

  // What it was asked, in order: "connect PATH FLAGS", "blanket AUTHN IMPERSONATION",
  // "query NAME WQL", "next NAME TIMEOUT", "hang NAME CALL", "cancel".
  std::vector<std::wstring> calls() const;
  // Whether a call hangs now, waiting for it at most so long.
  bool hanging(std::chrono::milliseconds atMost) const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace brask::test
