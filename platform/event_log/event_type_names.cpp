#include "platform/event_log/event_type_names.h"

#include <array>

namespace brask {
namespace {

struct LanguageNames {
  const wchar_t* language;
  const wchar_t* error;
  const wchar_t* information;
  const wchar_t* warning;
  const wchar_t* critical;
};

// Newer generation spellings, in the order the languages are tested.
constexpr std::array<LanguageNames, 5> kNames{{
    {L"Dutch", L"Fout", L"Informatie", L"Waarschuwing", L"Kritiek"},
    {L"English", L"Error", L"Information", L"Warning", L"Critical"},
    {L"German", L"Fehler", L"Informationen", L"Warnung", L"Kritisch"},
    {L"French", L"Erreur", L"Informations", L"Avertissement", L"Critique"},
    {L"Italian", L"Errore", L"Informazioni", L"Avvertimento", L"Critico"},
}};

// English on the older generation is the one set spelled in lower case.
const EventTypeNames kOlderEnglish{L"error", L"information", L"warning", std::nullopt};

}  // namespace

std::optional<Generation> generationOf(std::wstring_view versionName) {
  if (versionName == L"Windows XP" || versionName == L"Windows 2000" ||
      versionName == L"Windows 2003") {
    return Generation::Older;
  }
  if (versionName == L"Windows 2008" || versionName == L"Windows Vista" ||
      versionName == L"Windows 7") {
    return Generation::Newer;
  }
  return std::nullopt;
}

std::optional<EventTypeNames> eventTypeNames(std::wstring_view language, Generation generation) {
  for (const LanguageNames& names : kNames) {
    if (language != names.language) continue;
    if (generation == Generation::Older) {
      if (language == L"English") return kOlderEnglish;
      return EventTypeNames{names.error, names.information, names.warning, std::nullopt};
    }
    return EventTypeNames{names.error, names.information, names.warning, names.critical};
  }
  return std::nullopt;
}

}  // namespace brask
