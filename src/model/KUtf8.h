#pragma once

#include <string>

namespace KUtf8 {
// UTF-8 of a UTF-16 text; a lone surrogate becomes U+FFFD.
std::string FromUtf16(const std::u16string &text);
} // namespace KUtf8
