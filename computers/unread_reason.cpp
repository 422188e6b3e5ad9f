#include "computers/unread_reason.h"

#include <cstdint>
#include <cwchar>

namespace brask {
namespace {

// Windows error codes of a computer out of reach: the RPC server is unavailable
// (RPC_S_SERVER_UNAVAILABLE), no endpoint serves the Event Log API's protocol
// (EPT_S_NOT_REGISTERED), or the interface is unknown (RPC_S_UNKNOWN_IF).
constexpr long kServerUnavailable = 1722;
constexpr long kNotRegistered = 1753;
constexpr long kUnknownInterface = 1717;
constexpr long kAccessDenied = 5;
// WMI's own refusal (WBEM_E_ACCESS_DENIED); an HRESULT is a signed 32-bit number.
constexpr long kWmiAccessDenied = static_cast<std::int32_t>(0x80041003);
constexpr long kLogonFailure = 1326;
// A call that did not answer in time: it timed out (ERROR_TIMEOUT), or was cancelled
// (ERROR_CANCELLED).
constexpr long kTimeout = 1460;
constexpr long kCancelled = 1223;

constexpr const wchar_t* kCheckEventLogFirewall =
    L"Check that the computer is on and that its firewall allows \"Remote Event Log Management\".";
constexpr const wchar_t* kCheckWmiFirewall =
    L"Check that the computer is on and that its firewall allows \"Windows Management "
    L"Instrumentation\".";
constexpr const wchar_t* kCheckEitherFirewall =
    L"Check that the computer is on and that its firewall allows \"Remote Event Log "
    L"Management\" (on Windows XP and 2003: \"Windows Management Instrumentation\").";
constexpr const wchar_t* kCheckMembership =
    L"Check that the account is an administrator or a member of \"Event Log Readers\" on that "
    L"computer.";
// Reading another computer's logs through WMI takes more than reading them: remote WMI lets in
// an administrator, or an account allowed DCOM's remote activation and WMI's remote enabling.
constexpr const wchar_t* kCheckWmiRights =
    L"Check that the account is an administrator on that computer, or has the \"Remote "
    L"Activation\" permission of DCOM and the \"Remote Enable\" permission of WMI (on "
    L"root\\cimv2) there.";
constexpr const wchar_t* kCheckLogon = L"Check that this account can log on to that computer.";

std::wstring codeText(long code) {
  if (code >= 0 && code <= 0xFFFF) return std::to_wstring(code);
  wchar_t hex[16];
  std::swprintf(hex, 16, L"0x%08lX", static_cast<unsigned long>(code) & 0xFFFFFFFFUL);
  return hex;
}

// The text on one line: each line break, CR LF or a lone CR or LF, as one blank, and none
// at the end.
std::wstring oneLine(const std::wstring& text) {
  std::wstring line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      line += L' ';
    } else {
      line += text[i];
    }
  }
  while (!line.empty() && line.back() == L' ') line.pop_back();
  return line;
}

}  // namespace

std::wstring errorReason(const ComputerError& error) {
  std::wstring reason = oneLine(error.description()) + L" (error " + codeText(error.code()) + L").";
  if (error.reach() == Reach::Folder) return reason;
  switch (error.code()) {
    case kServerUnavailable:
    case kNotRegistered:
    case kUnknownInterface:
      return reason + L" " + (error.reach() == Reach::Wmi ? kCheckWmiFirewall : kCheckEventLogFirewall);
    case kTimeout:
    case kCancelled:
      return reason + L" " + kCheckEitherFirewall;
    case kAccessDenied:
    case kWmiAccessDenied:
      return reason + L" " + (error.reach() == Reach::Wmi ? kCheckWmiRights : kCheckMembership);
    case kLogonFailure:
      return reason + L" " + kCheckLogon;
    default:
      return reason;
  }
}

std::wstring noAnswerReason(std::chrono::milliseconds limit, std::optional<long> code) {
  return L"it did not answer within " +
         std::to_wstring(std::chrono::duration_cast<std::chrono::seconds>(limit).count()) +
         L" seconds" + (code ? L" (error " + codeText(*code) + L")" : L"") + L". " +
         kCheckEitherFirewall;
}

std::wstring notGatheredReason(const std::wstring& where) { return L"it is not in " + where + L"."; }

}  // namespace brask
