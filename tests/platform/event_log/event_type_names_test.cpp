#include "platform/event_log/event_type_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace brask {
namespace {

const char* shown(std::optional<Generation> generation) {
  if (!generation) return "nothing";
  return *generation == Generation::Older ? "Older" : "Newer";
}

TEST(EventTypeNames, FiveLanguagesTwoGenerations) {
  static const struct {
    const wchar_t* language;
    Generation generation;
    const wchar_t* error;
    const wchar_t* information;
    const wchar_t* warning;
    const wchar_t* critical;  // nullptr: the generation has no Critical type
  } cases[] = {
      {L"Dutch", Generation::Older, L"Fout", L"Informatie", L"Waarschuwing", nullptr},
      {L"Dutch", Generation::Newer, L"Fout", L"Informatie", L"Waarschuwing", L"Kritiek"},
      {L"English", Generation::Older, L"error", L"information", L"warning", nullptr},
      {L"English", Generation::Newer, L"Error", L"Information", L"Warning", L"Critical"},
      {L"German", Generation::Older, L"Fehler", L"Informationen", L"Warnung", nullptr},
      {L"German", Generation::Newer, L"Fehler", L"Informationen", L"Warnung", L"Kritisch"},
      {L"French", Generation::Older, L"Erreur", L"Informations", L"Avertissement", nullptr},
      {L"French", Generation::Newer, L"Erreur", L"Informations", L"Avertissement", L"Critique"},
      {L"Italian", Generation::Older, L"Errore", L"Informazioni", L"Avvertimento", nullptr},
      {L"Italian", Generation::Newer, L"Errore", L"Informazioni", L"Avvertimento", L"Critico"},
  };
  for (const auto& c : cases) {
    const auto names = eventTypeNames(c.language, c.generation);
    const char* generation = shown(c.generation);
    ASSERT_TRUE(names) << c.language << " " << generation << ": expected a set, got nothing";
    EXPECT_EQ(names->error, c.error) << c.language << " " << generation << ": error expected \""
                                     << c.error << "\", got \"" << names->error << "\"";
    EXPECT_EQ(names->information, c.information)
        << c.language << " " << generation << ": information expected \"" << c.information
        << "\", got \"" << names->information << "\"";
    EXPECT_EQ(names->warning, c.warning)
        << c.language << " " << generation << ": warning expected \"" << c.warning << "\", got \""
        << names->warning << "\"";
    if (c.critical) {
      EXPECT_TRUE(names->critical && *names->critical == c.critical)
          << c.language << " " << generation << ": critical expected \"" << c.critical << "\", got "
          << (names->critical ? L"\"" + *names->critical + L"\"" : L"none");
    } else {
      EXPECT_FALSE(names->critical)
          << c.language << " " << generation << ": critical expected none, got \""
          << *names->critical << "\"";
    }
  }
}

TEST(EventTypeNames, UnknownLanguages) {
  static const wchar_t* const languages[] = {
      L"Spanish", L"", L"english", L"ENGLISH", L"English ", L" Dutch", L"Deutsch", L"Français",
  };
  for (const wchar_t* language : languages) {
    for (Generation generation : {Generation::Older, Generation::Newer}) {
      const auto names = eventTypeNames(language, generation);
      EXPECT_FALSE(names) << "\"" << language << "\" " << shown(generation)
                          << ": expected nothing, got the set with error \"" << names->error
                          << "\"";
    }
  }
}

TEST(EventTypeNames, GenerationOfEveryVersionName) {
  static const struct {
    const wchar_t* version;
    std::optional<Generation> expected;
  } cases[] = {
      {L"Windows 95", std::nullopt},
      {L"Windows 98", std::nullopt},
      {L"Windows Millennium", std::nullopt},
      {L"Windows NT 3.51", std::nullopt},
      {L"Windows NT 4.0", std::nullopt},
      {L"Windows 2000", Generation::Older},
      {L"Windows XP", Generation::Older},
      {L"Windows 2003", Generation::Older},
      {L"Windows Vista", Generation::Newer},
      {L"Windows 2008", Generation::Newer},
      {L"Windows 7", Generation::Newer},
      {L"Failed", std::nullopt},
      {L"", std::nullopt},
      {L"windows xp", std::nullopt},
      {L"Windows XP ", std::nullopt},
      {L"Windows 10", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto generation = generationOf(c.version);
    EXPECT_EQ(generation, c.expected) << "generationOf(\"" << c.version << "\"): expected "
                                      << shown(c.expected) << ", got " << shown(generation);
  }
}

}  // namespace
}  // namespace brask
