// Journals that gather many machines, as systemd-journal-remote leaves them: their entries
// told apart by host name (_HOSTNAME), host names compared as computer names are. Which
// entries of a file a source of one host reads.
#pragma once

#include <systemd/sd-journal.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/locale/wide_decoder.h"

namespace brask {

inline constexpr const char* kHostField = "_HOSTNAME";

// The entries of one host, by its name as names are compared (comparableName), or, with
// nothing, the entries without a host name.
struct HostChoice {
  std::optional<std::wstring> host;
};

// What a file holds of a choice: none of its entries, some, or every one.
enum class HostShare { None, Some, Every };

struct HostEntries {
  HostShare share = HostShare::Every;
  // Of a share of Some, the file's "_HOSTNAME=" items of the host, one of which an entry
  // must hold; none for the entries without a host name.
  std::vector<std::string> items;
};

// The host name of a "_HOSTNAME=" item.
std::wstring hostOf(std::string_view item, WideDecoder& utf8);

// The host that systemd-journal-remote names a file after, "remote-HOST.journal", archived
// as "remote-HOST@….journal" (or ending in "~"); nothing for a file named otherwise.
std::optional<std::wstring> hostOfFileName(const std::string& path, WideDecoder& utf8);

// Whether a file may hold the chosen entries, by its name alone: not one named after
// another host than the chosen one, nor, for the entries without a host name, after any.
bool mayHoldChoice(const std::string& path, const HostChoice& choice, WideDecoder& utf8);

// The entries of the open file at the path that the choice takes. A file whose host names
// cannot be listed holds none of a host's entries and may hold entries without one.
HostEntries hostEntries(sd_journal* journal, const std::string& path, const HostChoice& choice);

// Whether the current entry is one of a share of Some.
bool isHostEntry(sd_journal* journal, const HostEntries& entries);

}  // namespace brask
