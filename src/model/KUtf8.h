#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace KUtf8 {
// UTF-8 of a UTF-16 text; a lone surrogate becomes U+FFFD.
std::string FromUtf16(const std::u16string &text);
// UTF-16 of a UTF-8 text from a file; every byte that does not begin a well-formed
// sequence (overlong, surrogate, beyond U+10FFFF, cut short) becomes U+FFFD.
std::u16string ToUtf16(std::string_view text);
// Appends one code point as UTF-8, or as UTF-16 (a surrogate pair above U+FFFF).
void AppendUtf8(std::string &out, uint32_t c);
void AppendUtf16(std::u16string &out, uint32_t c);
} // namespace KUtf8
