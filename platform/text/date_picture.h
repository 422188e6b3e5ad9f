// Dates and times as text through Windows date and time pictures, fed with the pictures
// and names in force in the user's locale. Both desktop builds print through this code.
#pragma once

#include <string>
#include <string_view>

#include "platform/date_time.h"
#include "platform/locale_api.h"

namespace brask {

// Formats with a picture of d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy, h, hh, H, HH,
// m, mm, s, ss, t, tt and 'quoted literals'; any other character is copied.
std::wstring formatPicture(const DateTime& at, std::wstring_view picture, LocaleApi& locale);

// The date in the user's short-date picture, for example 10/08/2009 under dd/MM/yyyy.
std::wstring shortDateText(const DateTime& at, LocaleApi& locale);

// The time of day in the user's long-time picture, for example 21:02:23.
std::wstring longTimeText(const DateTime& at, LocaleApi& locale);

// The general form: the short date alone for a midnight value, else the short date, a
// blank and the long time.
std::wstring generalDateText(const DateTime& at, LocaleApi& locale);

}  // namespace brask
