// The locale functions of the platform, in the terms of the Windows national-language
// support: identifiers, information types and the size-then-fill protocol.
#pragma once

#include <cstdint>
#include <string>

namespace brask {

// Information types (LCTYPE values) that the system asks for.
namespace lctype {
inline constexpr std::int32_t kDecimal = 0x0E;           // LOCALE_SDECIMAL
inline constexpr std::int32_t kThousand = 0x0F;          // LOCALE_STHOUSAND
inline constexpr std::int32_t kShortDate = 0x1F;         // LOCALE_SSHORTDATE
inline constexpr std::int32_t kAm = 0x28;                // LOCALE_S1159
inline constexpr std::int32_t kPm = 0x29;                // LOCALE_S2359
inline constexpr std::int32_t kDayName1 = 0x2A;          // LOCALE_SDAYNAME1, Monday
inline constexpr std::int32_t kAbbrevDayName1 = 0x31;    // LOCALE_SABBREVDAYNAME1
inline constexpr std::int32_t kMonthName1 = 0x38;        // LOCALE_SMONTHNAME1, January
inline constexpr std::int32_t kAbbrevMonthName1 = 0x44;  // LOCALE_SABBREVMONTHNAME1
inline constexpr std::int32_t kEnglishLanguage = 0x1001; // LOCALE_SENGLANGUAGE
inline constexpr std::int32_t kLongTime = 0x1003;        // LOCALE_STIMEFORMAT
}  // namespace lctype

class LocaleApi {
 public:
  virtual ~LocaleApi() = default;

  // The identifier of the system default locale.
  virtual std::int32_t GetSystemDefaultLCID() = 0;

  // With size 0: writes nothing and returns the size needed, terminating zero included.
  // With a buffer: fills it with single-byte text and a terminating zero and returns the
  // count written, zero included. Returns 0 when it cannot answer (unknown locale or
  // type, buffer too small).
  virtual int GetLocaleInfoA(std::int32_t locale, std::int32_t lcType, char* buffer,
                             int size) = 0;

  // Makes text the user's value of lcType, in force at once. Its outcome is not reported.
  virtual void SetLocaleInfoA(std::int32_t locale, std::int32_t lcType, const char* text) = 0;

  // The user's value of lcType in force now (pictures, separators, day and month names,
  // AM/PM designators) as wide text; empty when the platform has none.
  virtual std::wstring userLocaleText(std::int32_t lcType) = 0;
};

}  // namespace brask
