#include "platform/linux/journal_mapping.h"

namespace brask {
namespace {

constexpr unsigned long long kFirstUserUid = 1000;

bool hasPrefix(std::string_view item, std::string_view prefix) {
  return item.substr(0, prefix.size()) == prefix;
}

bool isUserUid(std::string_view value) {
  if (value.empty() || value.size() > 10) return false;
  unsigned long long uid = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return false;
    uid = uid * 10 + static_cast<unsigned long long>(c - '0');
  }
  return uid >= kFirstUserUid;
}

}  // namespace

int priorityOf(std::string_view value) {
  return value.size() == 1 && value[0] >= '0' && value[0] <= '7' ? value[0] - '0' : -1;
}

void noteField(EntryClass& entry, std::string_view item) {
  if (hasPrefix(item, "PRIORITY=")) {
    entry.priority = priorityOf(item.substr(9));
  } else if (hasPrefix(item, "_UID=")) {
    entry.userUid = isUserUid(item.substr(5));
  } else if (hasPrefix(item, "_SYSTEMD_USER_UNIT=")) {
    entry.userUnit = true;
  } else if (hasPrefix(item, "_TRANSPORT=")) {
    entry.kernel = item.substr(11) == "kernel";
  }
}

void noteField(EventFields& fields, std::string_view item) {
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

const std::wstring& typeName(int priority, const EventTypeNames& spelling) {
  if (priority >= 0 && priority <= 2)
    return spelling.critical ? *spelling.critical : spelling.error;
  if (priority == 3) return spelling.error;
  if (priority == 4) return spelling.warning;
  return spelling.information;
}

}  // namespace brask
