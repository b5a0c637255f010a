#pragma once

#include <cstdint>
#include <string>

namespace KUtf8 {
// UTF-8 of a UTF-16 text; a lone surrogate becomes U+FFFD.
std::string FromUtf16(const std::u16string &text);
// Appends one code point as UTF-8, or as UTF-16 (a surrogate pair above U+FFFF).
void AppendUtf8(std::string &out, uint32_t c);
void AppendUtf16(std::u16string &out, uint32_t c);
} // namespace KUtf8
