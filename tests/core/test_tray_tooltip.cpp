#include "desktop/core/KTrayToolTip.h"

#include <gtest/gtest.h>

namespace {
KSchTime T(int h, int m, int s = 0)
{
    return KSchTime{uint8_t(h), uint8_t(m), uint8_t(s)};
}

KDaySchedule Day(std::initializer_list<KScheduleFrame> frames)
{
    KDaySchedule day;
    for (const KScheduleFrame &f : frames)
        day.AppendFrame(f);
    return day;
}
KScheduleFrame F(KSchTime start, KSchTime duration, const std::u16string &name)
{
    return KScheduleFrame(start, duration, name, 0xFFFFFF, u"");
}
} // namespace

TEST(TrayToolTip, TimeLeftRoundsUpToWholeMinutes)
{
    EXPECT_EQ(KTrayToolTip::FormatLeft(0), u"0:00");
    EXPECT_EQ(KTrayToolTip::FormatLeft(1), u"0:01");
    EXPECT_EQ(KTrayToolTip::FormatLeft(300), u"0:05");
    EXPECT_EQ(KTrayToolTip::FormatLeft(301), u"0:06");
    EXPECT_EQ(KTrayToolTip::FormatLeft(9 * 3600 + 59), u"9:01");
    EXPECT_EQ(KTrayToolTip::FormatLeft(24 * 3600), u"24:00");
}

TEST(TrayToolTip, CurrentFrameWithItsEndAndTimeLeft)
{
    const KDaySchedule day = Day({F(T(8, 0), T(1, 0), u"仕事"), F(T(9, 0), T(23, 0), u"自由")});
    EXPECT_EQ(KTrayToolTip::Text(day, T(8, 55), 0), u"Orvella\n仕事  08:00 - 09:00\n残り 0:05");
    EXPECT_EQ(KTrayToolTip::Text(day, T(8, 55, 1), 1), u"Orvella\n仕事  08:00 - 09:00\n0:05 left");
    // The last second of a frame still shows a minute; the next second belongs to the next frame.
    EXPECT_EQ(KTrayToolTip::Text(day, T(8, 59, 59), 1), u"Orvella\n仕事  08:00 - 09:00\n0:01 left");
    EXPECT_EQ(KTrayToolTip::Text(day, T(9, 0), 1), u"Orvella\n自由  09:00 - 08:00\n23:00 left");
}

TEST(TrayToolTip, FrameAcrossMidnight)
{
    const KDaySchedule day = Day({F(T(7, 0), T(15, 0), u"Day"), F(T(22, 0), T(9, 0), u"Sleep")});
    EXPECT_EQ(KTrayToolTip::Text(day, T(23, 30), 1), u"Orvella\nSleep  22:00 - 07:00\n7:30 left");
    EXPECT_EQ(KTrayToolTip::Text(day, T(0, 15), 1), u"Orvella\nSleep  22:00 - 07:00\n6:45 left");
}

TEST(TrayToolTip, GapShowsTheNextFrameRoundTheDay)
{
    const KDaySchedule day = Day({F(T(9, 0), T(3, 0), u"Work"), F(T(13, 0), T(5, 0), u"Study")});
    EXPECT_EQ(KTrayToolTip::Text(day, T(12, 30), 1),
              u"Orvella\nNo frame now\nNext: Study at 13:00 (in 0:30)");
    EXPECT_EQ(KTrayToolTip::Text(day, T(12, 30), 0), u"Orvella\n予定なし\n次: 13:00 Study (あと 0:30)");
    // After the last frame of the day the first one comes next, tomorrow.
    EXPECT_EQ(KTrayToolTip::Text(day, T(23, 0), 1), u"Orvella\nNo frame now\nNext: Work at 09:00 (in 10:00)");
    EXPECT_EQ(KTrayToolTip::Text(KDaySchedule(), T(23, 0), 1), u"Orvella\nNo frame now");
}
