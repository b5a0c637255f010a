#include "model/KCivilDate.h"

#include <cstdio>

namespace {

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

int Digits(const std::string &text, size_t from, size_t count, bool &ok)
{
    int v = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            ok = false;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

} // namespace

bool KCivilDate::Parse(const std::string &text, KCivilDate &target)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    bool ok = true;
    KCivilDate d{Digits(text, 0, 4, ok), Digits(text, 5, 2, ok), Digits(text, 8, 2, ok)};
    if (!ok || d.Year < MinYear || d.Year > MaxYear || d.Month < 1 || d.Month > 12 || d.Day < 1 ||
        d.Day > DaysInMonth(d.Year, d.Month))
        return false;
    target = d;
    return true;
}

// Days from and to a civil date, counting eras of 400 years from 0000-03-01.
int64_t KCivilDate::DayNumber() const
{
    const int64_t y = int64_t(Year) - (Month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (Month + (Month > 2 ? -3 : 9)) + 2) / 5 + Day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

KCivilDate KCivilDate::FromDayNumber(int64_t days)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = int(doy - (153 * mp + 2) / 5 + 1);
    const int m = int(mp < 10 ? mp + 3 : mp - 9);
    return KCivilDate{int(yoe + era * 400 + (m <= 2 ? 1 : 0)), m, d};
}

int KCivilDate::Weekday() const
{
    // 1970-01-01 was a Thursday.
    const int64_t w = (DayNumber() + 4) % 7;
    return int(w < 0 ? w + 7 : w);
}

std::string KCivilDate::Compact() const
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", Year, Month, Day);
    return buf;
}
