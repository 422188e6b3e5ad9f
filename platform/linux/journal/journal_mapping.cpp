#include "platform/linux/journal/journal_mapping.h"

#include <algorithm>

#include "platform/linux/decimal_digits.h"

namespace brask {
namespace {

constexpr std::uint64_t kFirstUserUid = 1000;
constexpr int kNoPriority = -1;

bool hasPrefix(std::string_view item, std::string_view prefix) {
  return item.substr(0, prefix.size()) == prefix;
}

bool isUserUid(std::string_view value) {
  const std::optional<std::uint64_t> uid = readDecimalDigits(value);
  return uid && *uid >= kFirstUserUid;
}

}  // namespace

int priorityOf(std::string_view value) {
  return value.size() == 1 && value[0] >= '0' && value[0] <= '7' ? value[0] - '0' : kNoPriority;
}

void noteField(EntryClass& entry, std::string_view item) {
  // Most fields of an entry are none of these: their first letter tells at once.
  if (item.empty() || (item[0] != 'P' && item[0] != '_')) return;
  if (hasPrefix(item, "PRIORITY=")) {
    if (!entry.priorityNoted) entry.priority = priorityOf(item.substr(9));
    entry.priorityNoted = true;
  } else if (hasPrefix(item, "_UID=")) {
    entry.userUid = isUserUid(item.substr(5));
  } else if (hasPrefix(item, "_SYSTEMD_USER_UNIT=")) {
    entry.userUnit = true;
  } else if (hasPrefix(item, "_TRANSPORT=")) {
    entry.kernel = item.substr(11) == "kernel";
    entry.transportNoted = true;
  }
}

void noteField(EventFields& fields, std::string_view item) {
  if (item.empty() || (item[0] != 'S' && item[0] != 'M' && item[0] != '_')) return;
  const std::size_t equals = item.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view name = item.substr(0, equals);
  std::optional<std::string>* field = name == "SYSLOG_FACILITY"     ? &fields.facility
                                      : name == "MESSAGE_ID"        ? &fields.messageId
                                      : name == "SYSLOG_IDENTIFIER" ? &fields.identifier
                                      : name == "_COMM"             ? &fields.command
                                      : name == "_SYSTEMD_UNIT"     ? &fields.unit
                                      : name == "MESSAGE"           ? &fields.message
                                                                    : nullptr;
  if (field != nullptr && !*field) *field = std::string(item.substr(equals + 1));
}

LogName logOf(const EntryClass& entry) {
  return (entry.userUnit || entry.userUid) && !entry.kernel ? LogName::Application
                                                            : LogName::System;
}

bool ruledOut(const EntryClass& entry, LogName log, const std::vector<int>& skipped) {
  if (entry.priorityNoted && std::find(skipped.begin(), skipped.end(), entry.priority) != skipped.end()) return true;
  // A user's entry is the Application log's unless it came from the kernel; whether it has
  // a user unit is known only once every field is read.
  if (log == LogName::System) return (entry.userUnit || entry.userUid) && entry.transportNoted && !entry.kernel;
  return log == LogName::Application && entry.transportNoted && entry.kernel;
}

const std::wstring& typeName(int priority, const EventTypeNames& spelling) {
  if (priority >= 0 && priority <= 2)
    return spelling.critical ? *spelling.critical : spelling.error;
  if (priority == 3) return spelling.error;
  if (priority == 4) return spelling.warning;
  return spelling.information;
}

std::optional<JournalCursor> readCursor(std::wstring_view position) {
  JournalCursor cursor;
  for (wchar_t c : position) {
    // A cursor is ASCII without blanks.
    if (c <= L' ' || c > L'~') return std::nullopt;
    cursor.text += static_cast<char>(c);
  }
  std::string_view fields = cursor.text;
  for (;;) {
    const std::string_view field = fields.substr(0, fields.find(';'));
    if (field.starts_with("t=")) {
      const std::string_view digits = field.substr(2);
      if (digits.empty() || digits.size() > 16) return std::nullopt;
      for (char c : digits) {
        const int value = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (value < 0) return std::nullopt;
        cursor.time = cursor.time * 16 + static_cast<std::uint64_t>(value);
      }
      return cursor;
    }
    if (field.size() == fields.size()) return std::nullopt;
    fields.remove_prefix(field.size() + 1);
  }
}

JournalSelection selectionFor(const EventsWanted& wanted, const EventTypeNames& spelling) {
  JournalSelection selection{std::nullopt, wanted.writtenBefore,
                             wanted.after ? readCursor(*wanted.after) : std::nullopt};
  if (!wanted.type) return selection;
  const bool ofNoPriority = typeName(kNoPriority, spelling) == *wanted.type;
  if (!ofNoPriority) selection.priorities.emplace();
  for (int priority = 0; priority <= 7; ++priority) {
    const bool wantedPriority = typeName(priority, spelling) == *wanted.type;
    if (!ofNoPriority && wantedPriority) selection.priorities->push_back(priority);
    if (ofNoPriority && !wantedPriority) selection.skipped.push_back(priority);
  }
  return selection;
}

}  // namespace brask
