#include "platform/linux/journal/journal_hosts.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "computers/computer_names.h"
#include "platform/linux/journal/journal.h"
#include "platform/linux/journal/journal_field_count.h"

namespace brask {

std::wstring hostOf(std::string_view item, WideDecoder& utf8) {
  return utf8(item.substr(std::strlen(kHostField) + 1));
}

std::optional<std::wstring> hostOfFileName(const std::string& path, WideDecoder& utf8) {
  constexpr std::string_view kPrefix = "remote-";
  std::string_view name(path);
  name = name.substr(name.rfind('/') + 1);
  if (name.ends_with('~')) name.remove_suffix(1);
  if (!name.starts_with(kPrefix) || !name.ends_with(".journal")) return std::nullopt;
  name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - std::strlen(".journal"));
  name = name.substr(0, name.find('@'));
  if (name.empty()) return std::nullopt;
  return utf8(name);
}

bool mayHoldChoice(const std::string& path, const HostChoice& choice, WideDecoder& utf8) {
  const std::optional<std::wstring> named = hostOfFileName(path, utf8);
  if (!named) return true;
  return choice.host && comparableName(*named) == *choice.host;
}

HostEntries hostEntries(sd_journal* journal, const std::string& path, const HostChoice& choice) {
  const std::optional<std::vector<std::string>> items = uniqueItems(journal, kHostField);
  if (choice.host) {
    HostEntries entries{HostShare::Some, {}};
    WideDecoder utf8("UTF-8");
    for (const std::string& item : items.value_or(std::vector<std::string>())) {
      if (comparableName(hostOf(item, utf8)) == *choice.host) entries.items.push_back(item);
    }
    if (entries.items.empty()) entries.share = HostShare::None;
    return entries;
  }
  if (items && items->empty()) return {HostShare::Every, {}};
  if (items) {
    const std::optional<std::uint64_t> without = entriesWithout(path, kHostField);
    if (without && *without == 0) return {HostShare::None, {}};
  }
  return {HostShare::Some, {}};
}

bool isHostEntry(sd_journal* journal, const HostEntries& entries) {
  const void* data = nullptr;
  std::size_t length = 0;
  const int result = sd_journal_get_data(journal, kHostField, &data, &length);
  if (entries.items.empty()) return result == -ENOENT;
  if (result < 0) return false;
  const std::string_view item(static_cast<const char*>(data), length);
  return std::find(entries.items.begin(), entries.items.end(), item) != entries.items.end();
}

}  // namespace brask
