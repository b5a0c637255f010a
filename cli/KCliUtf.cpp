#include "KCliUtf.h"

#include "model/KUtf8.h"
#include "platform/core/KStdFileSystem.h"

namespace KCliUtf {

std::string ToUtf8(const std::u16string &text)
{
    return KUtf8::FromUtf16(text);
}

bool IsUnsafeOnTerminal(uint32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029;
}

std::string Printable(const std::u16string &text)
{
    // Every unsafe character lies in the basic plane, so UTF-16 units can be tested one by one.
    std::u16string kept;
    kept.reserve(text.size());
    for (char16_t c : text)
        if (!IsUnsafeOnTerminal(c))
            kept += c;
    return ToUtf8(kept);
}

std::string Printable(std::string_view utf8)
{
    // Bytes that are not UTF-8 come back as lone surrogates, which ToUtf8 turns into U+FFFD.
    return Printable(KStdFileSystem::TextOf(std::string(utf8)));
}

std::u16string FromUtf8(const std::string &text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        uint32_t c;
        size_t extra;
        if (b < 0x80) {
            c = b;
            extra = 0;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            extra = 2;
        } else {
            c = b & 0x07;
            extra = 3;
        }
        ++i;
        for (size_t k = 0; k < extra && i < text.size(); ++k, ++i)
            c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        KUtf8::AppendUtf16(out, c);
    }
    return out;
}

} // namespace KCliUtf
