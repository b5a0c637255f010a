#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace KUtf8 {
// UTF-8 of a UTF-16 text; a lone surrogate becomes U+FFFD.
std::string FromUtf16(const std::u16string &text);
// What a byte that does not begin a well-formed sequence (overlong, surrogate, beyond
// U+10FFFF, cut short) becomes: U+FFFD for texts, or for names that must come back as the
// same bytes (file paths) the lone low surrogate U+DC00 + byte.
enum class InvalidByte { Replace, Surrogate };
// UTF-16 of a UTF-8 text; each invalid byte is mapped alone and the bytes after it are read again.
std::u16string ToUtf16(std::string_view text, InvalidByte invalid = InvalidByte::Replace);
// Appends one code point as UTF-8, or as UTF-16 (a surrogate pair above U+FFFF).
void AppendUtf8(std::string &out, uint32_t c);
void AppendUtf16(std::u16string &out, uint32_t c);
} // namespace KUtf8
