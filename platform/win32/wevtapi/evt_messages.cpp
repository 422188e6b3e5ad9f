#include "platform/win32/wevtapi/evt_messages.h"

#include <vector>

#include "platform/win32/system_error.h"

namespace brask {
namespace {

// A message that does not exist: no metadata, no message file, no message in it.
bool isMissing(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_MR_MID_NOT_FOUND:
    case ERROR_RESOURCE_DATA_NOT_FOUND:
    case ERROR_RESOURCE_TYPE_NOT_FOUND:
    case ERROR_RESOURCE_NAME_NOT_FOUND:
    case ERROR_RESOURCE_LANG_NOT_FOUND:
    case ERROR_MUI_FILE_NOT_FOUND:
    case ERROR_EVT_PUBLISHER_METADATA_NOT_FOUND:
    case ERROR_EVT_MESSAGE_NOT_FOUND:
    case ERROR_EVT_MESSAGE_ID_NOT_FOUND:
    case ERROR_EVT_MESSAGE_LOCALE_NOT_FOUND:
      return true;
    default:
      return false;
  }
}

// A message found whose inserts did not all resolve: the text returned is the message.
bool isUnresolved(DWORD error) {
  return error == ERROR_EVT_UNRESOLVED_VALUE_INSERT ||
         error == ERROR_EVT_UNRESOLVED_PARAMETER_INSERT || error == ERROR_EVT_MAX_INSERTS_REACHED;
}

}  // namespace

std::optional<std::wstring> EvtMessages::message(const std::wstring& provider, EVT_HANDLE event) {
  auto found = metadata_.find(provider);
  if (found == metadata_.end()) {
    EvtHandle metadata(api_, api_.openPublisherMetadata(nullptr, provider.c_str(), nullptr, 0, 0));
    if (!metadata && !isMissing(GetLastError()))
      throw lastError(L"Opening the publisher metadata of " + provider);
    found = metadata_.emplace(provider, std::move(metadata)).first;
  }
  if (!found->second) return std::nullopt;

  std::vector<wchar_t> buffer;
  DWORD used = 0;
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const bool formatted =
        api_.formatMessage(found->second.get(), event, 0, 0, nullptr, EvtFormatMessageEvent,
                           size, buffer.empty() ? nullptr : buffer.data(), &used);
    const DWORD error = formatted ? ERROR_SUCCESS : GetLastError();
    if (formatted || (isUnresolved(error) && used <= size && size > 0)) {
      // The text ends at its terminating null.
      std::wstring text(buffer.data(), std::min<std::size_t>(used, buffer.size()));
      return text.substr(0, text.find(L'\0'));
    }
    if (isMissing(error)) return std::nullopt;
    if ((error != ERROR_INSUFFICIENT_BUFFER && !isUnresolved(error)) || used <= size)
      throw lastError(L"Formatting the message of an event of " + provider);
    buffer.resize(used);
  }
}

}  // namespace brask
