#include "app/main_form.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <new>
#include <string>

#include "app/window_caption.h"
#include "bookmarks/log_marks.h"
#include "computers/one_computer.h"
#include "environment/locale_query.h"
#include "environment/short_date_guard.h"
#include "environment/version.h"
#include "platform/event_log/event_type_names.h"
#include "platform/event_log/log_query.h"
#include "platform/text/day_first.h"
#include "report/listings.h"
#include "report/report_blocks.h"
#include "validation/date_strings.h"
#include "validation/error_traps.h"
#include "validation/numbers.h"

namespace brask {
namespace {

constexpr const wchar_t* kContactAuthor = L"Please contact the author.";

DateTime dateOf(const std::wstring& dayFirst) {
  if (const auto date = readDayFirstDate(dayFirst)) return *date;
  throw RunTimeError(L"Reading the date \"" + dayFirst + L"\"", kTypeMismatch, L"Type mismatch");
}

// The exception being handled, as the run-time error it ends the run with.
RunTimeError caughtError() {
  const std::wstring action = L"Writing the report";
  try {
    throw;
  } catch (const RunTimeError& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return RunTimeError(action, kOutOfMemory, L"Out of memory");
  } catch (const std::exception& error) {
    const std::string what = error.what();
    return RunTimeError(action, kInternalError, std::wstring(what.begin(), what.end()));
  } catch (...) {
    return RunTimeError(action, kInternalError, L"Internal error");
  }
}

}  // namespace

void MainForm::cmdRun_Click() {
  try {
    std::vector<std::wstring> unread;
    if (writeReport(unread) == RunEnd::Refused) return;
    platform_.process.startProgram(L"notepad " + state_.strBRASKfile);
  } catch (const RunCancelled&) {
    // The user closed the window: the program ends, and says nothing more.
  } catch (...) {
    // The run's short-date guard has put the user's format back already.
    platform_.dialogs.runTimeErrorBox(caughtError());
  }
  platform_.form.unloadAndEnd();
}

RunEnd MainForm::runUnattended(const SwitchSpelling& spelling) {
  switches_ = &spelling;
  try {
    std::vector<std::wstring> unread;
    const RunEnd end = writeReport(unread);
    for (const std::wstring& line : unread) platform_.dialogs.messageBox(line, kProgramTitle);
    return end;
  } catch (...) {
    platform_.dialogs.runTimeErrorBox(caughtError());
    return RunEnd::RunTimeError;
  }
}

void MainForm::cmdExit_Click() { platform_.form.unloadAndEnd(); }

RunEnd MainForm::writeReport(std::vector<std::wstring>& unread) {
  Form& form = platform_.form;
  LocaleApi& locale = platform_.locale;
  const ShortDateGuard shortDate(locale, state_.storeOriginal, state_.storeLocaleID);
  const int stopped = switches_ ? switchNamedErrorTraps(form, platform_.dialogs, platform_.clock, locale, *switches_)
                                : ErrorTraps(form, platform_.dialogs, platform_.clock, locale);
  if (stopped == 1 || !prepareRun()) {
    return RunEnd::Refused;
  }
  FileApi& files = platform_.files;
  // A bookmark is held from its reading until it is written anew, so that runs sharing it
  // list each event once; its lock comes before the report's, in every run.
  std::unique_ptr<FileLock> bookmarkLock;
  std::optional<Bookmark> bookmark;
  if (request_.bookmark) {
    bookmarkLock = files.lock(*request_.bookmark);
    try {
      bookmark.emplace(loadBookmark(files, *request_.bookmark));
    } catch (const BookmarkRefused& refused) {
      platform_.dialogs.messageBox(refused.prompt(), kProgramTitle);
      return RunEnd::Refused;
    }
  }
  // Another run writing the same report finishes first; the old report stays whole until
  // the new one is.
  const std::unique_ptr<FileLock> lock = files.lock(state_.strBRASKfile);
  const std::unique_ptr<Replacement> report = files.replace(state_.strBRASKfile, Encoding::SystemCodePage);
  unread = writeContents(*report, bookmark ? &*bookmark : nullptr);
  report->commit();
  if (bookmark) saveBookmark(files, *request_.bookmark, bookmark->lines());
  return unread.empty() ? RunEnd::Written : RunEnd::SomeUnread;
}

std::vector<std::wstring> MainForm::writeContents(Replacement& report, Bookmark* bookmark) {
  Form& form = platform_.form;
  ReportFile file(report);
  const DateTime runAt = platform_.clock.now();
  const std::int64_t taken = platform_.clock.secondsSince1970();
  const std::optional<ManyComputers> many = ManyComputers::of(platform_.computers, request_.computers);
  std::optional<DateTime> newSince;
  if (bookmark) {
    const std::vector<std::wstring> computers = many ? many->names() : std::vector<std::wstring>{kThisComputer};
    if (const std::optional<std::int64_t> last = bookmark->takenLast(computers, selectedLogs())) {
      newSince = platform_.clock.localTime(*last);
    }
  }
  writeHeader(file, state_.strVersion, state_.strLang1, runAt, platform_.locale, newSince);

  std::vector<std::wstring> unread;
  if (form.optionSelected(ControlId::optNumber)) {
    // Validation keeps the number within 1 to 20; halves go to the even neighbour.
    const auto n =
        static_cast<std::int16_t>(std::nearbyint(leadingValue(form.text(ControlId::txtNumber))));
    unread = writeSelectedSections(
        report, many, L"",
        [n](const Listing& listing, const Section& section) {
          listLastEvents(listing, section.typeName, n, section.logName);
        },
        bookmark, taken);
  }
  if (form.optionSelected(ControlId::optDate)) {
    const std::wstring to = toString(form);
    const std::wstring from = fromString(form);
    const std::vector<std::wstring> dated = writeSelectedSections(
        report, many, L" ",
        [from, to](const Listing& listing, const Section& section) {
          listEventsBetween(listing, section.typeName, dateOf(from), dateOf(to), section.logName);
        },
        bookmark, taken);
    unread.insert(unread.end(), dated.begin(), dated.end());
  }
  return unread;
}

std::vector<Section> MainForm::selectedSections(const wchar_t* logSuffix) {
  Form& form = platform_.form;
  const bool critical = generationOf(state_.strVersion) == Generation::Newer;
  const struct {
    ControlId checkBox;
    const std::wstring& typeName;
  } types[] = {{ControlId::chkCritical, state_.strCrit},
               {ControlId::chkError, state_.strError},
               {ControlId::chkInformation, state_.strInfo},
               {ControlId::chkWarning, state_.strWarn}};
  const struct {
    ControlId checkBox;
    const wchar_t* name;
  } logs[] = {{ControlId::chkApplication, L"'Application'"}, {ControlId::chkSystem, L"'System'"}};

  std::vector<Section> sections;
  for (const auto& log : logs) {
    if (form.checkState(log.checkBox) != 1) continue;
    for (const auto& type : types) {
      if (form.checkState(type.checkBox) != 1) continue;
      if (type.checkBox == ControlId::chkCritical && !critical) continue;
      sections.push_back({std::wstring(log.name) + logSuffix, type.typeName});
    }
  }
  return sections;
}

std::vector<LogName> MainForm::selectedLogs() {
  std::vector<LogName> logs;
  for (const Section& section : selectedSections(L"")) {
    const LogName log = logOfQuery(queryText(section.logName));
    if (std::find(logs.begin(), logs.end(), log) == logs.end()) logs.push_back(log);
  }
  return logs;
}

std::vector<std::wstring> MainForm::writeSelectedSections(Replacement& report,
                                                          const std::optional<ManyComputers>& many,
                                                          const wchar_t* logSuffix,
                                                          const ListSection& list, Bookmark* bookmark,
                                                          std::int64_t taken) {
  const std::vector<Section> sections = selectedSections(logSuffix);
  if (!many) {
    ReportFile file(report);
    std::optional<LogMarks> marks;
    StartLog startLog;
    if (bookmark) {
      marks.emplace(bookmark->savedOf(kThisComputer));
      startLog = [&marks](EventSource& events, ReportFile& part, const std::wstring& logName) {
        return marks->start(events, part, logName);
      };
    }
    writeSections({platform_.events, platform_.locale, file}, sections,
                  [this, &list](const Listing& listing, const Section& section) {
                    state_.strLogName = section.logName;
                    list(listing, section);
                  },
                  startLog);
    std::vector<std::wstring> unread = writeUnreadPart(platform_.events, platform_.computers, file);
    // A computer read only in part keeps its saved positions.
    if (bookmark && unread.empty()) bookmark->read(kThisComputer, marks->newest(), taken);
    return unread;
  }
  ManyReport parts{report, [this] { return platform_.files.spool(state_.strBRASKfile); }};
  // Each computer's marks, shared with its read, which a computer given up may outlive.
  std::map<std::wstring, std::shared_ptr<LogMarks>> marks;
  if (bookmark) {
    parts.startLog = [bookmark, &marks](const std::wstring& name) -> StartLog {
      const auto computer = std::make_shared<LogMarks>(bookmark->savedOf(name));
      marks[name] = computer;
      return [computer](EventSource& events, ReportFile& part, const std::wstring& logName) {
        return computer->start(events, part, logName);
      };
    };
    parts.readWhole = [bookmark, &marks, taken](const std::wstring& name) {
      bookmark->read(name, marks.at(name)->newest(), taken);
    };
  }
  return many->write(parts, platform_.threads, platform_.locale, sections, list, limits_,
                     [this, total = many->size()](std::size_t read) {
                       platform_.form.showCaption(readingCaption(read, total));
                     });
}

// Where the report goes, the system's language and version, and the type names that its
// event logs use; false when the system is not supported, after saying so.
bool MainForm::prepareRun() {
  state_.strBRASKfile = request_.out ? *request_.out
                                     : platform_.process.environmentVariable(L"SystemDrive") + L"\\BRASK.txt";
  getLanguage(platform_.locale, state_.strLang1);
  getVersion(platform_.version, state_.strVersion);

  if (!eventTypeNames(state_.strLang1, Generation::Newer)) {
    platform_.dialogs.messageBox(
        L"BRASK has not been coded for your language (" + state_.strLang1 + L")", kContactAuthor);
    return false;
  }
  const auto generation = generationOf(state_.strVersion);
  if (!generation) {
    platform_.dialogs.messageBox(
        L"BRASK has not been coded for this version of Windows (" + state_.strVersion + L")",
        kContactAuthor);
    return false;
  }
  const EventTypeNames names = *eventTypeNames(state_.strLang1, *generation);
  state_.strError = names.error;
  state_.strInfo = names.information;
  state_.strWarn = names.warning;
  if (names.critical) state_.strCrit = *names.critical;
  return true;
}

}  // namespace brask
