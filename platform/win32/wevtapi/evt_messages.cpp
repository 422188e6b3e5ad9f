#include "platform/win32/wevtapi/evt_messages.h"

#include <algorithm>

namespace brask {
namespace {

constexpr LCID kEnglishUnitedStates = 0x0409;
constexpr const wchar_t* kFormatting = L"Formatting the message of an event";

// The provider's messages lack the language as a whole, not this one message.
bool lacksLanguage(DWORD error) {
  return error == ERROR_MUI_FILE_NOT_FOUND || error == ERROR_RESOURCE_LANG_NOT_FOUND ||
         error == ERROR_EVT_MESSAGE_LOCALE_NOT_FOUND;
}

// A message found whose inserts did not all resolve: the text returned is the message.
bool isUnresolved(DWORD error) {
  return error == ERROR_EVT_UNRESOLVED_VALUE_INSERT ||
         error == ERROR_EVT_UNRESOLVED_PARAMETER_INSERT || error == ERROR_EVT_MAX_INSERTS_REACHED;
}

}  // namespace

std::vector<LCID> messageLanguages() {
  return {GetUserDefaultUILanguage(), GetSystemDefaultUILanguage(), 0, kEnglishUnitedStates};
}

EvtMessages::EvtMessages(const Wevtapi& api, EvtCancellation& cancellation,
                         const std::vector<LCID>& languages, bool forwarded)
    : api_(api), cancellation_(cancellation), forwarded_(forwarded) {
  for (const LCID language : languages) {
    if (std::find(languages_.begin(), languages_.end(), language) == languages_.end())
      languages_.push_back(language);
  }
}

std::optional<std::wstring> EvtMessages::message(const std::optional<std::wstring>& provider,
                                                 EVT_HANDLE event, EVT_HANDLE session) {
  std::optional<std::wstring> text = firstFormatted(provider, event, session);
  // A call that the cancellation ended said nothing of the message.
  if (!text) cancellation_.check(kFormatting);
  return text;
}

std::optional<std::wstring> EvtMessages::firstFormatted(const std::optional<std::wstring>& provider,
                                                        EVT_HANDLE event, EVT_HANDLE session) {
  cancellation_.check(kFormatting);
  // Without metadata the API gives the message of the event's RenderingInfo.
  if (forwarded_) {
    bool lacking = false;
    if (std::optional<std::wstring> text = formatted(nullptr, event, lacking)) return text;
  }
  if (!provider) return std::nullopt;
  std::vector<Metadata>& metadata = metadata_[*provider];
  metadata.resize(languages_.size());
  for (std::size_t i = 0; i < languages_.size(); ++i) {
    cancellation_.check(kFormatting);
    Metadata& language = metadata[i];
    if (!language.tried) {
      language.tried = true;
      language.handle = EvtHandle(
          api_, api_.openPublisherMetadata(session, provider->c_str(), nullptr, languages_[i], 0));
    }
    if (!language.handle) continue;
    bool lacking = false;
    if (std::optional<std::wstring> text = formatted(language.handle.get(), event, lacking)) return text;
    if (lacking) language.handle = EvtHandle();
  }
  return std::nullopt;
}

std::optional<std::wstring> EvtMessages::formatted(EVT_HANDLE metadata, EVT_HANDLE event,
                                                   bool& lacking) {
  std::vector<wchar_t> buffer;
  DWORD used = 0;
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const bool done = api_.formatMessage(metadata, event, 0, 0, nullptr, EvtFormatMessageEvent, size,
                                         buffer.empty() ? nullptr : buffer.data(), &used);
    const DWORD error = done ? ERROR_SUCCESS : GetLastError();
    if (done || (isUnresolved(error) && used <= size && size > 0)) {
      // The text ends at its terminating null.
      std::wstring text(buffer.data(), std::min<std::size_t>(used, buffer.size()));
      return text.substr(0, text.find(L'\0'));
    }
    // The sizing call may answer with the code of unresolved inserts.
    if ((error != ERROR_INSUFFICIENT_BUFFER && !isUnresolved(error)) || used <= size) {
      lacking = lacksLanguage(error);
      return std::nullopt;
    }
    buffer.resize(used);
  }
}

}  // namespace brask
