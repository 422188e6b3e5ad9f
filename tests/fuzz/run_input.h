// The world of a whole run, read from fuzzer input into the seam's fakes. The input is
// lines of text:
//    1  the check boxes Application, System, Critical, Error, Information, Warning: one
//       digit each, the state 0, 1 or 2 (missing digits: 0)
//    2  letters: N "Number of events" selected, D "Date of events" selected, H the event
//       source leaves out what the listings skip
//  3-9  the texts of txtNumber, txtDayFrom, txtMthFrom, txtYrFrom, txtDayTo, txtMthTo,
//       txtYrTo
//   10  the user's short-date picture, single-byte (a NUL ends it)
//   11  the English name of the system's language
//   12  the version: platform id, major, minor
//   13  the clock: year, month, day, hour, minute, second (else 10/08/2009 21:02:23)
//   14  a fault: connect, query, step, read, write, start or refuse (a short-date write),
//       and the index of the call of that kind
//  15-  one event a line, its log (A or S) and the properties Type, TimeWritten, Category,
//       EventCode, SourceName, Message, split by |: ~ is missing, #123 a whole number,
//       anything else text, where \r, \n and \\ stand for CR, LF and a backslash
#pragma once

#include <string>
#include <string_view>

#include "fakes/fakes.h"

namespace brask::fuzz {

enum class Seam { None, Connect, Query, Step, Read, Write, Start, Refuse };

// What the input set up beyond the fakes.
struct RunWorld {
  std::wstring userShortDate;  // the picture in force before the run
  std::wstring earlierReport;  // the report file's text before the run
  Seam fault = Seam::None;
};

inline constexpr const wchar_t* kReportPath = L"C:\\BRASK.txt";

RunWorld readRunInput(std::wstring_view input, fakes::FakePlatform& fake);

}  // namespace brask::fuzz
