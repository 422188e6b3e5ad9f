// A whole run over the seam's fakes, its world drawn from the input (run_input.h). Every
// run ends in exactly one outcome, puts the user's short-date format back, and leaves a
// report, if it wrote one, of whole blocks ending in CR LF.
#include "app/main_form.h"
#include "fuzz_check.h"
#include "fuzz_text.h"
#include "run_input.h"

namespace brask::fuzz {
namespace {

bool startsWith(std::wstring_view text, std::wstring_view start) {
  return text.substr(0, start.size()) == start;
}

bool endsWith(std::wstring_view text, std::wstring_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The pieces stand in the text in this order.
bool inOrder(std::wstring_view text, std::initializer_list<std::wstring_view> pieces) {
  std::size_t at = 0;
  for (std::wstring_view piece : pieces) {
    at = text.find(piece, at);
    if (at == std::wstring_view::npos) return false;
    at += piece.size();
  }
  return true;
}

// One write of the report, whole: the header first, then a banner, an event record or a
// no-events line.
bool isWholeBlock(std::wstring_view block, bool first) {
  const std::wstring rule(34, L'~');
  if (first) {
    return startsWith(block, L"Zelvo's Event Viewer v01c run on ") &&
           inOrder(block, {L" in ", L"\r\nReport run at ", L"\r\n\r\n"}) &&
           endsWith(block, L"\r\n\r\nNote: All dates below are in the format dd/mm/yyyy\r\n\r\n");
  }
  if (startsWith(block, rule + L"\r\n")) {
    return inOrder(block, {L" Log - ", L" Type\r\n"}) && endsWith(block, L"\r\n" + rule + L"\r\n");
  }
  if (startsWith(block, L"Log: '")) {
    return inOrder(block, {L" Date/Time: ", L"\r\nType: ", L" Category: ", L"\r\nEvent: ",
                           L" Source: ", L"\r\n"}) &&
           endsWith(block, L"\r\n\r\n");
  }
  return startsWith(block, L"No '") && inOrder(block, {L"log ", L" events found from ", L" to "}) &&
         endsWith(block, L"\r\n\r\n");
}

// The report is whole or as it was: a run that completes puts its blocks in place of the
// earlier report, through one replacement; any other leaves the earlier report.
void checkReport(fakes::FakePlatform& fake, const RunWorld& world, bool complete) {
  const std::vector<std::wstring>& written = fake.files.texts;
  const std::wstring& report = fake.files.files.at(kReportPath);
  if (!complete) {
    FUZZ_CHECK(report == world.earlierReport);
    return;
  }
  FUZZ_CHECK(fake.files.replaced == std::vector<std::wstring>{kReportPath});
  std::wstring blocks;
  for (std::size_t i = 0; i < written.size(); ++i) {
    FUZZ_CHECK(isWholeBlock(written[i], i == 0));
    blocks += written[i];
  }
  FUZZ_CHECK(report == blocks);
  FUZZ_CHECK(endsWith(report, L"\r\n"));
}

// A run-time error comes from a seam call made to fail, or from an event time that names
// no date; never from a fault of the program itself.
void checkErrorOrigin(const std::wstring& error, Seam fault) {
  const bool eventTime = error.find(L"Reading the time of an event") != std::wstring::npos &&
                         endsWith(error, L": Type mismatch");
  const bool internal = startsWith(error, L"Run-time error '51'") ||
                        startsWith(error, L"Run-time error '7'");
  FUZZ_CHECK(eventTime || (fault != Seam::None && fault != Seam::Refuse && !internal));
}

}  // namespace
}  // namespace brask::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brask;
  using namespace brask::fuzz;
  fakes::FakePlatform fake;
  const RunWorld world = readRunInput(wideText(data, size), fake);
  std::wstring formatDuringBox;
  fake.dialogs.onShow = [&] { formatDuringBox = fake.shortDateInForce(); };

  MainForm window(fake.platform);
  window.cmdRun_Click();

  const std::size_t messages = fake.dialogs.messages.size();
  const std::size_t errors = fake.dialogs.errors.size();
  const int ended = fake.form.ended;
  const auto& started = fake.process.started;
  const bool stopped = messages == 1 && errors == 0 && ended == 0 && fake.files.texts.empty() &&
                       started.empty();
  const bool complete = messages == 0 && errors == 0 && ended == 1 && !fake.files.texts.empty() &&
                        started == std::vector<std::wstring>{std::wstring(L"notepad ") + kReportPath};
  const bool failed = messages == 0 && errors == 1 && ended == 1 && started.empty();
  FUZZ_CHECK(stopped + complete + failed == 1);
  if (failed) checkErrorOrigin(fake.dialogs.errors.front(), world.fault);
  checkReport(fake, world, complete);

  // A refused short-date write leaves whatever format was in force.
  if (world.fault != Seam::Refuse) {
    FUZZ_CHECK(fake.shortDateInForce() == world.userShortDate);
    if (failed) FUZZ_CHECK(formatDuringBox == world.userShortDate);
    if (stopped) FUZZ_CHECK(formatDuringBox == (world.userShortDate.empty() ? L"" : L"dd/MM/yyyy"));
  }
  return 0;
}
