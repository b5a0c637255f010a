#include "storage/KICalWriter.h"

#include "model/KUtf8.h"

void KICalWriter::Property(std::string_view name, std::string_view value)
{
    std::string line(name);
    line += ':';
    line += value;
    Line(line);
}

void KICalWriter::TextProperty(std::string_view name, const std::u16string &text)
{
    Property(name, EscapeText(text));
}

std::string KICalWriter::EscapeText(const std::u16string &text)
{
    std::u16string escaped;
    escaped.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        switch (c) {
        case u'\\':
        case u';':
        case u',':
            escaped += u'\\';
            escaped += c;
            break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            escaped += u"\\n";
            break;
        case u'\n':
            escaped += u"\\n";
            break;
        default:
            if ((c >= 0x20 && c != 0x7F) || c == u'\t')
                escaped += c;
        }
    }
    return KUtf8::FromUtf16(escaped);
}

std::string KICalWriter::Fold(std::string_view line)
{
    std::string out;
    out.reserve(line.size() + line.size() / 64 * 3 + 2);
    size_t pos = 0;
    size_t room = MaxLineOctets;
    while (line.size() - pos > room) {
        size_t cut = pos + room;
        // Step back to the start of a UTF-8 sequence.
        while (cut > pos && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        if (cut == pos) // not UTF-8 after all: cut where the room ends
            cut = pos + room;
        out.append(line.substr(pos, cut - pos));
        out += "\r\n ";
        pos = cut;
        room = MaxLineOctets - 1;
    }
    out.append(line.substr(pos));
    out += "\r\n";
    return out;
}
