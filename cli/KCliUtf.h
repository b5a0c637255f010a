#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 (what the terminal and JSON speak) to and from the UTF-16 texts of the core.
namespace KCliUtf {
// A lone surrogate becomes U+FFFD.
std::string ToUtf8(const std::u16string &text);
// The input must be valid UTF-8 (as nlohmann::json guarantees for parsed strings).
std::u16string FromUtf8(const std::string &text);

// Characters a terminal may take as an instruction instead of text: the C0 and C1 controls
// and DEL (escape sequences, line and carriage tricks), the bidirectional embeddings,
// overrides and isolates U+202A-U+202E and U+2066-U+2069 (text shown in another order than
// it is), and the line and paragraph separators U+2028 and U+2029.
bool IsUnsafeOnTerminal(uint32_t c);

// Every text the tool prints on a terminal goes through here: names, paths, items, memos and
// messages come out as UTF-8 without the unsafe characters. Bytes of the UTF-8 form that are
// not UTF-8 become U+FFFD.
std::string Printable(const std::u16string &text);
std::string Printable(std::string_view utf8);
} // namespace KCliUtf
