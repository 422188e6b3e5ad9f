// Computer names as administrators give them: DNS and NetBIOS names, IPv4 and IPv6
// addresses. What is not a name, which names are one computer, and which name this one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brask {

// Why the text is not a computer name, as the end of a sentence ("it is a path"); nothing
// when it is one.
std::optional<std::wstring> whyNotAComputerName(std::wstring_view name);

// The name as names are compared: ASCII letters in lower case, without a trailing dot (of
// a fully qualified DNS name). Two names that compare equal name one computer.
std::wstring comparableName(std::wstring_view name);

// Whether the name means this computer: ".", "localhost" or one of its own names.
bool namesThisComputer(std::wstring_view name, const std::vector<std::wstring>& ownNames);

}  // namespace brask
