#include "KCliUtf.h"

#include "model/KUtf8.h"

namespace KCliUtf {

std::string ToUtf8(const std::u16string &text)
{
    return KUtf8::FromUtf16(text);
}

std::string Printable(const std::u16string &text)
{
    std::u16string kept;
    kept.reserve(text.size());
    for (char16_t c : text)
        if (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c <= 0x9F))
            kept += c;
    return ToUtf8(kept);
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
