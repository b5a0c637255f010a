#pragma once

#include <string>

// UTF-8 (what the terminal and JSON speak) to and from the UTF-16 texts of the core.
namespace KCliUtf {
// A lone surrogate becomes U+FFFD.
std::string ToUtf8(const std::u16string &text);
// For printing on a terminal: control characters are left out.
std::string Printable(const std::u16string &text);
// The input must be valid UTF-8 (as nlohmann::json guarantees for parsed strings).
std::u16string FromUtf8(const std::string &text);
} // namespace KCliUtf
