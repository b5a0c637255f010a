#include "model/KScheduleEditCore.h"

#include <gtest/gtest.h>

namespace {
KSchTime T(uint8_t h, uint8_t m)
{
    return KSchTime{h, m, 0};
}

KDaySchedule Make(std::initializer_list<std::pair<KSchTime, KSchTime>> frames)
{
    KDaySchedule s;
    int k = 0;
    for (const auto &[start, dur] : frames)
        s.AppendFrame(KScheduleFrame(start, dur, std::u16string(1, char16_t(u'a' + k++)), 0xFFFFFF, u""));
    return s;
}

std::vector<int32_t> Codes(KDaySchedule &s)
{
    s.CheckSchedule();
    return std::vector<int32_t>(s.CheckCodes.begin(), s.CheckCodes.begin() + s.GetCount());
}
} // namespace

TEST(ScheduleCheck, CodesOfTypicalSchedules)
{
    KDaySchedule clean = Make({{T(0, 0), T(7, 0)}, {T(7, 0), T(17, 0)}});
    EXPECT_EQ(clean.CheckSchedule(), 0);
    EXPECT_FALSE(clean.OverFullDay);
    EXPECT_EQ(clean.TotalSeconds(), 24 * 3600);

    KDaySchedule overlap = Make({{T(0, 0), T(8, 0)}, {T(7, 0), T(17, 0)}});
    EXPECT_EQ(Codes(overlap), (std::vector<int32_t>{2, 1}));
    EXPECT_TRUE(overlap.OverFullDay);

    KDaySchedule gap = Make({{T(0, 0), T(7, 0)}, {T(8, 0), T(16, 0)}});
    EXPECT_EQ(Codes(gap), (std::vector<int32_t>{5, 4}));

    KDaySchedule midnight = Make({{T(22, 0), T(4, 0)}, {T(2, 0), T(20, 0)}});
    EXPECT_EQ(Codes(midnight), (std::vector<int32_t>{0, 0}));

    // Overlap before and gap after, gap before and overlap after, gaps on both sides.
    KDaySchedule mixed = Make({{T(0, 0), T(6, 0)}, {T(5, 0), T(3, 0)}, {T(9, 0), T(14, 0)}});
    EXPECT_EQ(Codes(mixed), (std::vector<int32_t>{7, 8, 6}));
    KDaySchedule both = Make({{T(0, 0), T(6, 0)}, {T(5, 0), T(3, 0)}, {T(7, 0), T(17, 0)}});
    EXPECT_EQ(Codes(both)[1], 3);
}

TEST(ScheduleCheck, OneFrameIsItsOwnNeighbour)
{
    KDaySchedule whole = Make({{T(0, 0), T(24, 0)}});
    EXPECT_EQ(Codes(whole), (std::vector<int32_t>{0}));
    KDaySchedule part = Make({{T(0, 0), T(8, 0)}});
    EXPECT_EQ(Codes(part), (std::vector<int32_t>{3}));
}

TEST(ScheduleCheck, ReportTakesTheLowestFaultyFrameAndCode9OnlyAlone)
{
    KDaySchedule overlap = Make({{T(0, 0), T(8, 0)}, {T(7, 0), T(17, 0)}});
    KCheckReport r = KScheduleEditCore::Check(overlap);
    EXPECT_EQ(r.Index, 0);
    EXPECT_EQ(r.Code, 2); // frame problems come before the over-full day
    EXPECT_EQ(r.BlinkCells, (std::vector<std::pair<int32_t, int>>{{0, 3}, {1, 1}}));

    KDaySchedule twoDays = Make({{T(0, 0), T(24, 0)}, {T(0, 0), T(24, 0)}});
    r = KScheduleEditCore::Check(twoDays);
    EXPECT_EQ(Codes(twoDays), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(r.Index, -1);
    EXPECT_EQ(r.Code, 9);
    EXPECT_EQ(twoDays.TotalSeconds(), 48 * 3600);

    // Eleven whole days add up to 264 hours, past what a byte of hours holds.
    KDaySchedule many;
    for (int i = 0; i < 11; ++i)
        many.AppendFrame(KScheduleFrame(T(0, 0), T(24, 0), u"x", 0, u""));
    EXPECT_EQ(KScheduleEditCore::Check(many).Code, 9);

    KDaySchedule gap4 = Make({{T(0, 0), T(7, 0)}, {T(8, 0), T(8, 0)}, {T(16, 0), T(8, 0)}});
    r = KScheduleEditCore::Check(gap4);
    EXPECT_EQ(r.Index, 0);
    EXPECT_EQ(r.Code, 5);
    EXPECT_EQ(r.BlinkCells, (std::vector<std::pair<int32_t, int>>{{0, 3}, {1, 1}}));
    // A frame of no time followed by a gap: a gap after it, not a conflict.
    KDaySchedule empty = Make({{T(0, 0), T(0, 0)}, {T(2, 0), T(22, 0)}});
    r = KScheduleEditCore::Check(empty);
    EXPECT_EQ(Codes(empty), (std::vector<int32_t>{5, 4}));
    EXPECT_EQ(r.Index, 0);
    EXPECT_EQ(r.Code, 5);
    KDaySchedule three = Make({{T(0, 0), T(6, 0)}, {T(5, 0), T(3, 0)}, {T(9, 0), T(14, 0)}});
    r = KScheduleEditCore::Check(three);
    EXPECT_EQ(r.Code, 7);
    EXPECT_EQ(r.BlinkCells, (std::vector<std::pair<int32_t, int>>{{0, 1}, {0, 3}, {2, 3}, {1, 1}}));
}

TEST(ChronoTime, FiveModesAroundTheCircle)
{
    auto pair = [] { return Make({{T(0, 0), T(7, 0)}, {T(6, 30), T(17, 30)}}); };
    KDaySchedule s = pair();
    ASSERT_TRUE(s.SetChronoTime(1, 0));
    EXPECT_EQ(s.GetFrame(1)->StartTime, T(7, 0));
    EXPECT_EQ(s.GetFrame(1)->Duration, T(17, 30));
    EXPECT_EQ(s.CheckSchedule(), 2); // ends at 24:30 over the first frame
    EXPECT_TRUE(s.OverFullDay);

    s = pair();
    s.SetChronoTime(1, 1);
    EXPECT_EQ(s.GetFrame(1)->StartTime, T(7, 0));
    EXPECT_EQ(s.GetFrame(1)->Duration, T(17, 0));
    EXPECT_EQ(s.CheckSchedule(), 0);

    // The first frame's previous frame is the last one; its end 24:00 becomes 00:00.
    KDaySchedule first = Make({{T(1, 0), T(7, 0)}, {T(8, 0), T(16, 0)}});
    first.SetChronoTime(0, 0);
    EXPECT_EQ(first.GetFrame(0)->StartTime, T(0, 0));
    EXPECT_EQ(first.GetFrame(0)->Duration, T(7, 0));

    // Mode 2 moves the start back through midnight.
    KDaySchedule wrap = Make({{T(20, 0), T(3, 0)}, {T(1, 0), T(19, 0)}});
    wrap.SetChronoTime(0, 2);
    EXPECT_EQ(wrap.GetFrame(0)->StartTime, T(22, 0));
    EXPECT_EQ(wrap.GetFrame(0)->Duration, T(3, 0));

    // Mode 3 keeps the start; the last frame's next frame is the first.
    KDaySchedule last = Make({{T(0, 0), T(7, 0)}, {T(7, 0), T(10, 0)}});
    last.SetChronoTime(1, 3);
    EXPECT_EQ(last.GetFrame(1)->Duration, T(17, 0));

    // Mode 4: both sides from the neighbours, across midnight.
    KDaySchedule mid = Make({{T(21, 0), T(2, 0)}, {T(0, 0), T(1, 0)}, {T(3, 0), T(18, 0)}});
    mid.SetChronoTime(1, 4);
    EXPECT_EQ(mid.GetFrame(1)->StartTime, T(23, 0));
    EXPECT_EQ(mid.GetFrame(1)->Duration, T(4, 0));
    EXPECT_EQ(mid.CheckSchedule(), 0);

    // A lone frame tied to itself covers the whole day.
    KDaySchedule alone = Make({{T(6, 0), T(8, 0)}});
    alone.SetChronoTime(0, 4);
    EXPECT_EQ(alone.GetFrame(0)->Duration, T(24, 0));
    EXPECT_EQ(alone.CheckSchedule(), 0);

    EXPECT_FALSE(s.SetChronoTime(2, 0));
    EXPECT_FALSE(s.SetChronoTime(0, 5));
}

// Up to a next start stored as 24:00 a frame from 00:00 lasts the whole day, in modes 3 and 4;
// other starts stored past a day are reduced to the clock first.
TEST(ChronoTime, EndAtAStoredMidnightIsAWholeDay)
{
    for (int mode : {3, 4}) {
        KDaySchedule day = Make({{T(0, 0), T(8, 0)}, {T(24, 0), T(0, 0)}});
        ASSERT_TRUE(day.SetChronoTime(0, mode));
        EXPECT_EQ(day.GetFrame(0)->StartTime, T(0, 0)) << mode;
        EXPECT_EQ(day.GetFrame(0)->Duration, T(24, 0)) << mode;
        EXPECT_EQ(day.CheckSchedule(), 0) << mode;
        EXPECT_EQ(day.TotalSeconds(), 24 * 3600) << mode;
    }
    KDaySchedule later = Make({{T(8, 0), T(2, 0)}, {T(24, 0), T(8, 0)}});
    later.SetChronoTime(0, 3);
    EXPECT_EQ(later.GetFrame(0)->Duration, T(16, 0));
    KDaySchedule beyond = Make({{T(0, 0), T(2, 0)}, {T(30, 0), T(18, 0)}});
    beyond.SetChronoTime(0, 3);
    EXPECT_EQ(beyond.GetFrame(0)->Duration, T(6, 0));
}
