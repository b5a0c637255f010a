#pragma once

#include <string>
#include <string_view>

// Writes iCalendar content lines: UTF-8, CRLF line ends, lines folded at 75 octets,
// text values escaped.
class KICalWriter {
public:
    static constexpr size_t MaxLineOctets = 75;

    void Begin(std::string_view component) { Line("BEGIN:" + std::string(component)); }
    void End(std::string_view component) { Line("END:" + std::string(component)); }
    // A property whose value is already in its iCalendar form (dates, durations, rules);
    // name may carry parameters ("TRIGGER;RELATED=END").
    void Property(std::string_view name, std::string_view value);
    // A property of type TEXT.
    void TextProperty(std::string_view name, const std::u16string &text);

    const std::string &Text() const { return text_; }

    // The TEXT form of a value: backslash, semicolon and comma escaped, every line break
    // (CRLF, CR or LF) as \n, other control characters dropped.
    static std::string EscapeText(const std::u16string &text);
    // The line with CRLF, broken into lines of at most 75 octets, each continuation
    // starting with one space; a UTF-8 sequence is never split.
    static std::string Fold(std::string_view line);

private:
    void Line(const std::string &line) { text_ += Fold(line); }

    std::string text_;
};
