#include "model/KSchTime.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {
KSchTime T(uint8_t h, uint8_t m, uint8_t s) { return KSchTime{h, m, s}; }

// The text for a failure message: ASCII as it is, anything else as U+XXXX, quoted.
std::string Printable(const std::u16string &text)
{
    std::string out = "\"";
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "U+%04X", unsigned(c));
            out += buf;
        }
    }
    return out + "\"";
}
} // namespace

TEST(SchTime, MakeTimeCarriesButKeepsHours)
{
    EXPECT_EQ(KSchTime::MakeTime(0, 0, 90), T(0, 1, 30));
    EXPECT_EQ(KSchTime::MakeTime(23, 59, 60), T(24, 0, 0));
    EXPECT_EQ(ToClockTime(KSchTime::MakeTime(23, 59, 60)), T(0, 0, 0));
    EXPECT_EQ(ToClockTime(T(49, 0, 0)), T(1, 0, 0));
}

TEST(SchTime, SettersCarryOnlyOnChange)
{
    KSchTime t = T(1, 30, 0);
    t.SetMinute(75);
    EXPECT_EQ(t, T(2, 15, 0));
    t.SetSecond(125);
    EXPECT_EQ(t, T(2, 17, 5));
    KSchTime raw = T(1, 75, 0); // unnormalised as stored
    raw.SetMinute(75);          // equal: nothing changes
    EXPECT_EQ(raw, T(1, 75, 0));
}

TEST(SchTime, AddAndDiffOnTheCircle)
{
    EXPECT_EQ(AddTimes(T(23, 0, 0), T(2, 0, 0)), T(25, 0, 0));
    EXPECT_EQ(FormatTime(ToClockTime(AddTimes(T(23, 0, 0), T(2, 0, 0))), false), u"01:00");
    EXPECT_EQ(AddTimes(T(0, 59, 59), T(0, 0, 1)), T(1, 0, 0));
    EXPECT_EQ(DiffTimes(T(8, 0, 0), T(8, 0, 1)), T(23, 59, 59));
    EXPECT_EQ(DiffTimes(T(0, 0, 0), T(0, 0, 0)), T(0, 0, 0));
    EXPECT_EQ(DiffTimes(T(1, 0, 0), T(23, 0, 0)), T(2, 0, 0));
    EXPECT_EQ(DiffTimes(T(24, 0, 0), T(0, 0, 0)), T(24, 0, 0));
}

TEST(SchTime, ComparisonsDoNotReduce)
{
    EXPECT_TRUE(Greater(T(24, 0, 0), T(23, 59, 59)));
    EXPECT_FALSE(Greater(T(0, 0, 0), T(23, 59, 59)));
    EXPECT_TRUE(Less(T(1, 59, 0), T(1, 60, 0))); // b is carried to 02:00:00 first
    EXPECT_TRUE(LessOrEqual(T(5, 0, 0), T(5, 0, 0)));
    EXPECT_FALSE(NotEqual(T(2, 0, 0), T(1, 60, 0)));
}

TEST(SchTime, Formatting)
{
    EXPECT_EQ(FormatTime(T(9, 5, 7), true), u"09:05:07");
    EXPECT_EQ(FormatTime(T(9, 5, 7), false), u"09:05");
    EXPECT_EQ(FormatTime(T(24, 0, 0), false), u"24:00");
    EXPECT_EQ(FormatTime(T(123, 0, 0), false), u"123:00");
}

TEST(SchTime, ParseAcceptsPartialTexts)
{
    KSchTime t;
    ASSERT_TRUE(ParseTime(u"8:5", false, false, t));
    EXPECT_EQ(t, T(8, 5, 0));
    ASSERT_TRUE(ParseTime(u"8", false, true, t));
    EXPECT_EQ(t, T(8, 0, 0));
    ASSERT_TRUE(ParseTime(u"25:10", true, false, t));
    EXPECT_EQ(t, T(1, 10, 0));
    ASSERT_TRUE(ParseTime(u"8:75", false, false, t));
    EXPECT_EQ(t, T(8, 75, 0));
    ASSERT_TRUE(ParseTime(u"13:45:30", false, true, t));
    EXPECT_EQ(t, T(13, 45, 30));
    ASSERT_TRUE(ParseTime(u"13:45:zz", false, false, t)); // without seconds the rest is ignored
    EXPECT_EQ(t, T(13, 45, 0));
}

TEST(SchTime, ParseFailureLeavesTargetUnchanged)
{
    const KSchTime before = T(3, 4, 5);
    for (const char16_t *bad :
         {u"7h30", u"", u":30", u"8::15", u"8:", u"12:30:", u"1:2:3:4", u"256", u" 8", u"８:00", u"-1"}) {
        KSchTime t = before;
        bool withSeconds = std::u16string(bad) != u"8::15";
        EXPECT_FALSE(ParseTime(bad, false, withSeconds, t)) << Printable(bad);
        EXPECT_EQ(t, before);
    }
}
