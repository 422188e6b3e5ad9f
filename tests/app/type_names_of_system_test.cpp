#include "app/type_names_of_system.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace brask {
namespace {

struct Case {
  const char* language;
  std::uint32_t major;
  std::uint32_t minor;
  const wchar_t* error;
  const wchar_t* critical;  // nullptr: the spelling has no Critical type
};

class TypeNamesOfSystemTest : public ::testing::TestWithParam<Case> {};

TEST_P(TypeNamesOfSystemTest, SpellsAsTheEventLogsOfThatSystem) {
  const Case& c = GetParam();
  fakes::FakeLocale locale("dd/MM/yyyy", c.language);
  fakes::FakeVersion version;
  version.major = c.major;
  version.minor = c.minor;
  const EventTypeNames names = typeNamesOfSystem(locale, version);
  EXPECT_EQ(names.error, c.error) << c.language << " " << c.major << "." << c.minor;
  if (c.critical) {
    EXPECT_EQ(names.critical, std::optional<std::wstring>(c.critical));
  } else {
    EXPECT_FALSE(names.critical.has_value()) << "a Critical type on the older generation";
  }
}

INSTANTIATE_TEST_SUITE_P(
    LanguagesAndGenerations, TypeNamesOfSystemTest,
    ::testing::Values(Case{"English", 6, 2, L"Error", L"Critical"},  // Windows 7
                      Case{"English", 5, 1, L"error", nullptr},      // Windows XP
                      Case{"German", 6, 0, L"Fehler", L"Kritisch"},  // Windows Vista
                      Case{"Dutch", 5, 0, L"Fout", nullptr},         // Windows 2000
                      Case{"French", 6, 1, L"Erreur", L"Critique"},  // Windows 2008
                      Case{"Italian", 5, 2, L"Errore", nullptr},     // Windows 2003
                      // Refused by the run: English of the newer generation.
                      Case{"Spanish", 6, 2, L"Error", L"Critical"},
                      Case{"German", 6, 3, L"Error", L"Critical"},
                      Case{"", 4, 0, L"Error", L"Critical"}));

}  // namespace
}  // namespace brask
