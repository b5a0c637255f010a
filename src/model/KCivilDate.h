#pragma once

#include <cstdint>
#include <string>

// A date of the proleptic Gregorian calendar.
struct KCivilDate {
    int Year = 1970;
    int Month = 1; // 1..12
    int Day = 1;   // 1..31

    // Years the parser accepts: four digits, with room for a few days of arithmetic.
    static constexpr int MinYear = 1000;
    static constexpr int MaxYear = 9998;

    // Reads "YYYY-MM-DD"; false (target unchanged) unless it names a real date in range.
    static bool Parse(const std::string &text, KCivilDate &target);
    static KCivilDate FromDayNumber(int64_t days);

    // Days since 1970-01-01.
    int64_t DayNumber() const;
    // 0 Sunday .. 6 Saturday.
    int Weekday() const;
    KCivilDate AddDays(int64_t days) const { return FromDayNumber(DayNumber() + days); }
    // "YYYYMMDD".
    std::string Compact() const;

    bool operator==(const KCivilDate &) const = default;
};
