#include "model/KDaySchedule.h"

#include <gtest/gtest.h>

namespace {
KSchTime T(uint8_t h, uint8_t m, uint8_t s = 0) { return KSchTime{h, m, s}; }

KScheduleFrame F(KSchTime start, KSchTime dur, const std::u16string &item, uint32_t color = 0xFFFFFF)
{
    return KScheduleFrame(start, dur, item, color, u"");
}

KDaySchedule Make(std::initializer_list<KScheduleFrame> frames, int32_t capacity = 50)
{
    KDaySchedule s(capacity);
    for (const auto &f : frames)
        s.AppendFrame(f);
    return s;
}

std::u16string Repeat(char16_t c, size_t n) { return std::u16string(n, c); }
} // namespace

TEST(ScheduleFrame, TextsAreTruncatedWithoutSplittingSurrogates)
{
    KScheduleFrame f;
    f.SetItemName(Repeat(u'a', 80));
    EXPECT_EQ(f.ItemName.size(), 72u);
    f.SetMemo(Repeat(u'm', 300));
    EXPECT_EQ(f.Memo.size(), 256u);

    // 71 units and then a pair: keeping 72 would cut the pair in half.
    std::u16string text = Repeat(u'x', 71) + u"\U0001F600" + u"tail";
    f.SetItemName(text);
    EXPECT_EQ(f.ItemName, Repeat(u'x', 71));

    f.SetItemName(u"");
    EXPECT_FALSE(f.HasItemName());
}

TEST(ScheduleFrame, DefaultsAndAssignment)
{
    KScheduleFrame f;
    EXPECT_EQ(FormatTime(f.StartTime, false), u"00:00");
    EXPECT_EQ(FormatTime(ToClockTime(f.EndTime()), false), u"00:00");
    EXPECT_EQ(f.Color, 0xFFFFFFu);

    KScheduleFrame g(T(23, 0), T(2, 0), u"睡眠", 0x123456, u"memo");
    EXPECT_EQ(g.EndTime(), T(25, 0));
    f.AssignFrame(g);
    EXPECT_EQ(f.ItemName, u"睡眠");
    EXPECT_EQ(f.Memo, u"memo");
    EXPECT_EQ(f.Color, 0x123456u);
    f.AssignFrame(f);
    EXPECT_EQ(f.ItemName, u"睡眠");
    f.ClearFrame();
    EXPECT_FALSE(f.HasItemName());
    EXPECT_FALSE(f.HasMemo());
}

TEST(DaySchedule, CapacityLimitsOfAppendAndInsert)
{
    KDaySchedule s;
    for (int i = 0; i < 49; ++i)
        ASSERT_FALSE(s.AppendFrame(F(T(0, 0), T(0, 10), u"a")));
    EXPECT_TRUE(s.InsertFrame(0, F(T(0, 0), T(0, 0), u"ins")));
    EXPECT_EQ(s.GetCount(), 49);
    EXPECT_FALSE(s.AppendFrame(F(T(0, 0), T(0, 10), u"b")));
    EXPECT_EQ(s.GetCount(), 50);
    EXPECT_TRUE(s.AppendFrame(F(T(0, 0), T(0, 10), u"c")));
    EXPECT_TRUE(s.InsertFrame(3, F(T(0, 0), T(0, 10), u"c")));
    EXPECT_EQ(s.GetCount(), 50);
    EXPECT_EQ(s.GetFrame(50), nullptr);
    EXPECT_EQ(s.GetFrame(-1), nullptr);
    EXPECT_TRUE(s.IsEmptySlot(50));
}

TEST(DaySchedule, InsertShiftsFollowingFrames)
{
    KDaySchedule empty;
    EXPECT_FALSE(empty.InsertFrame(0, F(T(1, 0), T(1, 0), u"only")));
    EXPECT_EQ(empty.GetCount(), 1);

    KDaySchedule s = Make({F(T(0, 0), T(1, 0), u"a"), F(T(1, 0), T(1, 0), u"b"), F(T(2, 0), T(1, 0), u"c")});
    EXPECT_FALSE(s.InsertFrame(2, F(T(9, 0), T(0, 0), u"new")));
    ASSERT_EQ(s.GetCount(), 4);
    EXPECT_EQ(s.GetFrame(1)->ItemName, u"b");
    EXPECT_EQ(s.GetFrame(2)->ItemName, u"new");
    EXPECT_EQ(s.GetFrame(3)->ItemName, u"c");
    EXPECT_TRUE(s.IsEmptySlot(4));
}

TEST(DaySchedule, DeleteKeepsUsedFramesLeading)
{
    KDaySchedule s = Make({F(T(0, 0), T(1, 0), u"a"), F(T(1, 0), T(1, 0), u"b"), F(T(2, 0), T(22, 0), u"c")});
    s.DeleteFrame(2);
    EXPECT_EQ(s.GetCount(), 2);
    EXPECT_TRUE(s.IsEmptySlot(2));

    s.DeleteFrame(0); // the frame moving into slot 0 is kept
    ASSERT_EQ(s.GetCount(), 1);
    EXPECT_EQ(s.GetFrame(0)->ItemName, u"b");

    s.DeleteFrame(0); // deleting the only frame leaves the whole-day default
    ASSERT_EQ(s.GetCount(), 1);
    const KScheduleFrame *f = s.GetFrame(0);
    EXPECT_EQ(f->StartTime, T(0, 0));
    EXPECT_EQ(f->Duration, T(24, 0));
    EXPECT_EQ(f->ItemName, u"自由");
    EXPECT_EQ(f->Color, 0xFFFFFFu);
    EXPECT_FALSE(f->HasMemo());

    s.DeleteFrame(50); // ignored
    EXPECT_EQ(s.GetCount(), 1);
}

TEST(DaySchedule, ClearedSlotHidesLaterFramesUntilCompacted)
{
    KDaySchedule s = Make({F(T(0, 0), T(1, 0), u"a"), F(T(1, 0), T(1, 0), u"b"), F(T(2, 0), T(22, 0), u"c")});
    s.GetFrame(1)->SetItemName(u"");
    EXPECT_EQ(s.GetCount(), 1);
    s.CompactFrames();
    EXPECT_EQ(s.GetCount(), 2);
    EXPECT_EQ(s.GetFrame(1)->ItemName, u"c");
}

TEST(DaySchedule, CircularNeighbours)
{
    KDaySchedule four = Make({F(T(0, 0), T(6, 0), u"a"), F(T(6, 0), T(6, 0), u"b"), F(T(12, 0), T(6, 0), u"c"),
                              F(T(18, 0), T(6, 0), u"d")});
    EXPECT_EQ(four.PrevIndex(0), 3);
    EXPECT_EQ(four.NextIndex(3), 0);
    EXPECT_EQ(four.NextIndex(1), 2);
    KDaySchedule one = Make({F(T(0, 0), T(24, 0), u"a")});
    EXPECT_EQ(one.PrevIndex(0), 0);
    EXPECT_EQ(one.NextIndex(0), 0);
}

TEST(DaySchedule, FindFrameAt)
{
    KDaySchedule s = Make({F(T(0, 0), T(7, 0), u"a"), F(T(7, 0), T(17, 0), u"b")});
    EXPECT_EQ(s.FindFrameAt(T(7, 0)), 1);
    EXPECT_EQ(s.FindFrameAt(T(6, 59, 59)), 0);
    EXPECT_EQ(s.FindFrameAt(T(23, 59, 59)), 1);

    KDaySchedule empty;
    EXPECT_EQ(empty.FindFrameAt(T(12, 0)), 50);
    EXPECT_EQ(empty.GetFrame(empty.FindFrameAt(T(12, 0))), nullptr);

    KDaySchedule night = Make({F(T(22, 0), T(4, 0), u"sleep")});
    EXPECT_EQ(night.FindFrameAt(T(23, 30)), 0);
    EXPECT_EQ(night.FindFrameAt(T(1, 59, 59)), 0);
    EXPECT_EQ(night.FindFrameAt(T(2, 0)), 50);

    KDaySchedule overlap = Make({F(T(8, 0), T(2, 0), u"x"), F(T(9, 0), T(2, 0), u"y")});
    EXPECT_EQ(overlap.FindFrameAt(T(9, 30)), 0);

    KDaySchedule zero = Make({F(T(8, 0), T(0, 0), u"z"), F(T(8, 0), T(1, 0), u"w")});
    EXPECT_EQ(zero.FindFrameAt(T(8, 0)), 1);

    KDaySchedule whole = Make({F(T(6, 0), T(24, 0), u"day")});
    EXPECT_EQ(whole.FindFrameAt(T(6, 0)), 0);
    EXPECT_EQ(whole.FindFrameAt(T(23, 59, 59)), 0);
    EXPECT_EQ(whole.FindFrameAt(T(5, 59, 59)), 50);

    // A start that was appended after a frame ending at midnight is stored unreduced.
    KDaySchedule late = Make({F(T(0, 0), T(24, 0), u"a"), F(T(24, 0), T(1, 0), u"b")});
    late.GetFrame(0)->Duration = T(23, 0);
    late.GetFrame(1)->StartTime = T(23, 0);
    EXPECT_EQ(late.FindFrameAt(T(23, 30)), 1);
    late.GetFrame(1)->StartTime = T(24, 0);
    EXPECT_EQ(late.FindFrameAt(T(0, 30)), 0);
}

TEST(DaySchedule, AssignTakesCapacityAndContents)
{
    KDaySchedule big(66);
    big.AppendFrame(F(T(0, 0), T(24, 0), u"a"));
    KDaySchedule s;
    s.AssignSchedule(big);
    EXPECT_EQ(s.Capacity(), 66);
    EXPECT_EQ(s.GetCount(), 1);
    EXPECT_EQ(s.FindFrameAt(T(25, 0)), 66); // not a clock time, matches nothing
    s.AssignSchedule(s);
    EXPECT_EQ(s.GetCount(), 1);

    KDaySchedule none(0);
    EXPECT_EQ(none.GetCount(), 0);
    EXPECT_TRUE(none.AppendFrame(F(T(0, 0), T(1, 0), u"x")));
}

#include "model/KRGB.h"

TEST(RGB, HueLuminanceSaturationOn240Scale)
{
    KRGB red(0x0000FF); // Windows layout: red in the low byte
    EXPECT_EQ(red.Red(), 255);
    EXPECT_EQ(red.Hue(), 0);
    EXPECT_EQ(red.Luminance(), 120);
    EXPECT_EQ(red.Saturation(), 240);
    KRGB blue(0xFF0000);
    EXPECT_EQ(blue.Hue(), 160);
    KRGB green(0x00FF00);
    EXPECT_EQ(green.Hue(), 80);
    KRGB white(0xFFFFFF);
    EXPECT_EQ(white.Luminance(), 240);
    EXPECT_EQ(white.Saturation(), 0);
    EXPECT_EQ(white.Hue(), 160);
    KRGB black(0);
    EXPECT_EQ(black.Luminance(), 0);
    black.SetColor(0x808080);
    EXPECT_EQ(black.Luminance(), 120);
}
