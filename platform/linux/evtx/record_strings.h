// An event's strings read from its record's binary XML, each typed value written as
// Windows writes it in the event's XML (platform/event_log/event_value_text.h).
//
// A record is a template instance: the template, defined in the record or earlier in its
// chunk and found by its offset in the chunk, and the values it substitutes, each with its
// size and type; a value may itself be binary XML, another template instance, as an
// event's EventData or UserData mostly is. The strings are those that libevtx counts: the
// innermost elements of the EventData (or ProcessingErrorData), or of the one element of
// the UserData, and their attributes, that hold a substituted value, in order; an element
// whose value is an array is one element for each of its items, as Windows writes it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/locale/wide_decoder.h"

namespace brask {

// chunk: the bytes of the record's chunk, from its header on; at: the record's offset in
// it. ansi decodes ANSI text. Nothing when the record or its template cannot be read.
std::optional<std::vector<std::wstring>> recordStrings(std::string_view chunk, std::size_t at,
                                                       WideDecoder& ansi);

}  // namespace brask
