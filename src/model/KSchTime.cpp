#include "model/KSchTime.h"

KSchTime KSchTime::MakeTime(uint8_t h, uint8_t m, uint8_t s)
{
    KSchTime t;
    t.Minute = uint8_t(m + s / 60);
    t.Second = uint8_t(s % 60);
    t.Hour = uint8_t(h + t.Minute / 60);
    t.Minute = uint8_t(t.Minute % 60);
    return t;
}

void KSchTime::SetHour(uint8_t v)
{
    if (v != Hour)
        *this = MakeTime(v, Minute, Second);
}

void KSchTime::SetMinute(uint8_t v)
{
    if (v != Minute)
        *this = MakeTime(Hour, v, Second);
}

void KSchTime::SetSecond(uint8_t v)
{
    if (v != Second)
        *this = MakeTime(Hour, Minute, v);
}

KSchTime ToClockTime(KSchTime t)
{
    KSchTime r = KSchTime::MakeTime(t.Hour, t.Minute, t.Second);
    r.Hour = uint8_t(r.Hour % 24);
    return r;
}

KSchTime AddTimes(KSchTime a, KSchTime b)
{
    KSchTime r;
    unsigned s = unsigned(a.Second) + b.Second;
    unsigned m = unsigned(a.Minute) + b.Minute + s / 60;
    r.Second = uint8_t(s % 60);
    r.Hour = uint8_t(a.Hour + b.Hour + m / 60);
    r.Minute = uint8_t(m % 60);
    return r;
}

KSchTime DiffTimes(KSchTime a, KSchTime b)
{
    KSchTime r;
    unsigned borrow = 0;
    if (b.Second > a.Second) {
        r.Second = uint8_t(a.Second + 60 - b.Second);
        borrow = 1;
    } else {
        r.Second = uint8_t(a.Second - b.Second);
    }
    unsigned k = unsigned(b.Minute) + borrow;
    if (k > a.Minute) {
        r.Minute = uint8_t(a.Minute + 60 - k);
        borrow = 1;
    } else {
        r.Minute = uint8_t(a.Minute - k);
        borrow = 0;
    }
    k = unsigned(b.Hour) + borrow;
    if (k > a.Hour)
        r.Hour = uint8_t(a.Hour + 24 - k);
    else
        r.Hour = uint8_t(a.Hour - k);
    return r;
}

namespace {
int Compare(KSchTime a, KSchTime b)
{
    b = KSchTime::MakeTime(b.Hour, b.Minute, b.Second);
    if (a.Hour != b.Hour)
        return a.Hour < b.Hour ? -1 : 1;
    if (a.Minute != b.Minute)
        return a.Minute < b.Minute ? -1 : 1;
    if (a.Second != b.Second)
        return a.Second < b.Second ? -1 : 1;
    return 0;
}

void AppendTwoDigits(std::u16string &out, unsigned v)
{
    if (v < 10)
        out += u'0';
    std::string digits = std::to_string(v);
    out.append(digits.begin(), digits.end());
}

// Reads a run of decimal digits from pos; false when the run is empty or the
// number does not fit a byte.
bool ReadNumber(const std::u16string &text, size_t &pos, uint8_t &value)
{
    size_t start = pos;
    unsigned v = 0;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        v = v * 10 + unsigned(text[pos] - u'0');
        if (v > 255)
            return false;
        ++pos;
    }
    if (pos == start)
        return false;
    value = uint8_t(v);
    return true;
}
} // namespace

bool Less(KSchTime a, KSchTime b) { return Compare(a, b) < 0; }
bool LessOrEqual(KSchTime a, KSchTime b) { return Compare(a, b) <= 0; }
bool Greater(KSchTime a, KSchTime b) { return Compare(a, b) > 0; }
bool GreaterOrEqual(KSchTime a, KSchTime b) { return Compare(a, b) >= 0; }
bool NotEqual(KSchTime a, KSchTime b) { return Compare(a, b) != 0; }

std::u16string FormatTime(KSchTime t, bool withSeconds)
{
    std::u16string out;
    AppendTwoDigits(out, t.Hour);
    out += u':';
    AppendTwoDigits(out, t.Minute);
    if (withSeconds) {
        out += u':';
        AppendTwoDigits(out, t.Second);
    }
    return out;
}

bool ParseTime(const std::u16string &text, bool wrap, bool withSeconds, KSchTime &target)
{
    uint8_t h = 0, m = 0, s = 0;
    size_t pos = 0;
    if (!ReadNumber(text, pos, h))
        return false;
    if (pos < text.size()) {
        if (text[pos] != u':')
            return false;
        ++pos;
        if (!ReadNumber(text, pos, m))
            return false;
        if (pos < text.size()) {
            if (text[pos] != u':')
                return false;
            if (withSeconds) {
                ++pos;
                if (!ReadNumber(text, pos, s) || pos != text.size())
                    return false;
            }
            // Without seconds a second ':' ends the minutes; the rest is ignored.
        }
    }
    KSchTime t;
    if (wrap) {
        t = ToClockTime(KSchTime{h, m, s});
    } else {
        t.Hour = h;
        t.Minute = m;
        t.Second = s;
    }
    target = t;
    return true;
}
