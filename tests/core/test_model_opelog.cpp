#include "model/KScheduleEditCore.h"

#include <gtest/gtest.h>
#include <map>

namespace {
KSchTime T(uint8_t h, uint8_t m)
{
    return KSchTime{h, m, 0};
}

KScheduleFrame F(KSchTime start, KSchTime dur, const std::u16string &item, uint32_t color = 0xFFFFFF,
                 const std::u16string &memo = u"")
{
    return KScheduleFrame(start, dur, item, color, memo);
}

// A pool that compares names exactly, enough for the editing rules.
struct FakePool : KItemColorStore {
    std::map<std::u16string, uint32_t> colors;
    size_t capacity = 50;
    int AddItem(const std::u16string &name, uint32_t color) override
    {
        if (colors.size() >= capacity)
            return 1;
        return colors.emplace(name, color).second ? 0 : 2;
    }
    int SetItemColor(const std::u16string &name, uint32_t color) override
    {
        auto it = colors.find(name);
        if (it == colors.end())
            return 2;
        it->second = color;
        return 0;
    }
    uint32_t GetItemColor(const std::u16string &name, uint32_t fallback) const override
    {
        auto it = colors.find(name);
        return it == colors.end() ? fallback : it->second;
    }
    bool HasItem(const std::u16string &name) const override { return colors.count(name) != 0; }
};

bool Same(const KDaySchedule &a, const KDaySchedule &b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (int i = 0; i < a.GetCount(); ++i) {
        const KScheduleFrame &x = *a.GetFrame(i), &y = *b.GetFrame(i);
        if (!(x.StartTime == y.StartTime && x.Duration == y.Duration && x.ItemName == y.ItemName &&
              x.Color == y.Color && x.Memo == y.Memo))
            return false;
    }
    return true;
}

struct EditTest : ::testing::Test {
    KDaySchedule shown;
    KDaySchOpeLog log{5};
    FakePool pool;
    std::vector<std::pair<int32_t, int>> notes;
    std::unique_ptr<KScheduleEditCore> core;

    void Start(std::initializer_list<KScheduleFrame> frames)
    {
        for (const auto &f : frames)
            shown.AppendFrame(f);
        core = std::make_unique<KScheduleEditCore>(shown);
        core->OpeLog = &log;
        core->Pool = &pool;
        core->ChangeHandler = [this](int32_t i, int kind) { notes.push_back({i, kind}); };
    }
    KDaySchedule &E() { return core->Edit(); }
};
} // namespace

TEST(OpeLog, RingKeepsTheLatestFive)
{
    KDaySchOpeLog log(5);
    KSchOpeLogData out;
    EXPECT_TRUE(log.TakeLastOperation(out)); // nothing yet
    KScheduleFrame f = F(T(0, 0), T(1, 0), u"x");
    log.RecordOperation(0, 1, 1, &f);      // no type
    log.RecordOperation(4, -1, 1, &f);     // no index
    log.RecordOperation(4, 1, 1, nullptr); // no frame
    EXPECT_EQ(log.UndoCount(), 0);
    for (int i = 0; i < 6; ++i)
        log.RecordOperation(KSchOpeLogData::opChange, i, 2, &f);
    EXPECT_EQ(log.UndoCount(), 5);
    for (int expected = 5; expected >= 1; --expected) {
        ASSERT_FALSE(log.TakeLastOperation(out));
        EXPECT_EQ(out.FrameIndex, expected);
        EXPECT_EQ(out.Column, 2);
    }
    EXPECT_TRUE(log.TakeLastOperation(out)); // the sixth take finds nothing: the first was dropped

    // After two takes a new record lands in the slot of the last one taken back.
    KDaySchOpeLog ring(5);
    for (int i = 0; i < 3; ++i)
        ring.RecordOperation(KSchOpeLogData::opAdd, i, -1, &f);
    ring.TakeLastOperation(out);
    ring.TakeLastOperation(out);
    EXPECT_EQ(ring.Top(), 1);
    ring.RecordOperation(KSchOpeLogData::opDelete, 9, -1, &f);
    ASSERT_FALSE(ring.TakeLastOperation(out));
    EXPECT_EQ(out.FrameIndex, 9);
    ASSERT_FALSE(ring.TakeLastOperation(out));
    EXPECT_EQ(out.FrameIndex, 0);
    EXPECT_TRUE(ring.TakeLastOperation(out));

    ring.RecordOperation(KSchOpeLogData::opAdd, 1, -1, &f);
    ring.ClearOperations();
    EXPECT_TRUE(ring.TakeLastOperation(out));
    KDaySchOpeLog none(0);
    none.RecordOperation(KSchOpeLogData::opAdd, 1, -1, &f);
    EXPECT_TRUE(none.TakeLastOperation(out));
}

TEST_F(EditTest, UndoRestoresInsertDeleteAndChangeExactly)
{
    Start({F(T(0, 0), T(6, 0), u"a", 0x10), F(T(6, 0), T(6, 0), u"b", 0x20, u"memo"),
           F(T(12, 0), T(6, 0), u"c", 0x30), F(T(18, 0), T(6, 0), u"d", 0x40)});
    KDaySchedule before;
    before.AssignSchedule(E());

    ASSERT_FALSE(core->InsSch(1, F(T(0, 0), T(0, 0), u"new")));
    EXPECT_EQ(E().GetFrame(1)->StartTime, T(6, 0));
    ASSERT_TRUE(core->DeleteSch(2)); // deletes "b"
    ASSERT_TRUE(core->CommitTime(0, KScheduleEditCore::ColTime, T(8, 0)));
    ASSERT_TRUE(core->CommitItem(2, u"renamed"));
    ASSERT_TRUE(core->ChooseColor(0, 0x99));
    EXPECT_EQ(E().GetFrame(0)->Duration, T(8, 0));
    EXPECT_EQ(pool.GetItemColor(u"a", 0), 0x99u);
    EXPECT_EQ(pool.GetItemColor(u"renamed", 0), 0x30u);

    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(core->UndoLastOperation()) << i;
    EXPECT_TRUE(Same(E(), before));
    EXPECT_EQ(pool.GetItemColor(u"a", 0), 0x10u);
    EXPECT_FALSE(core->UndoLastOperation());
    EXPECT_TRUE(core->Modified);
}

TEST_F(EditTest, UndoAfterDeletingTheLastFrameBringsItBack)
{
    Start({F(T(0, 0), T(6, 0), u"a"), F(T(6, 0), T(6, 0), u"b"), F(T(12, 0), T(6, 0), u"c"),
           F(T(18, 0), T(6, 0), u"d", 0x40, u"last")});
    KDaySchedule before;
    before.AssignSchedule(E());
    ASSERT_TRUE(core->DeleteSch(3));
    EXPECT_EQ(E().GetCount(), 3);
    ASSERT_TRUE(core->UndoLastOperation());
    EXPECT_EQ(E().GetCount(), 4);
    EXPECT_TRUE(Same(E(), before));
}

TEST_F(EditTest, SixthEditDropsTheOldest)
{
    Start({F(T(0, 0), T(24, 0), u"a")});
    for (int i = 1; i <= 6; ++i)
        core->CommitMemo(0, std::u16string(size_t(i), u'm'));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(core->UndoLastOperation());
    EXPECT_EQ(E().GetFrame(0)->Memo, u"m"); // the first edit cannot be taken back
    EXPECT_FALSE(core->UndoLastOperation());
}

TEST_F(EditTest, DeletingTheOnlyFrameAndAddingAreTakenBack)
{
    Start({F(T(3, 0), T(5, 0), u"solo", 0x77, u"note")});
    core->DeleteSch(0);
    EXPECT_EQ(E().GetFrame(0)->ItemName, u"自由");
    ASSERT_TRUE(core->UndoLastOperation());
    ASSERT_EQ(E().GetCount(), 1);
    EXPECT_EQ(E().GetFrame(0)->ItemName, u"solo");
    EXPECT_EQ(E().GetFrame(0)->Memo, u"note");

    ASSERT_FALSE(core->AddSch());
    EXPECT_EQ(E().GetFrame(1)->StartTime, T(8, 0));
    EXPECT_EQ(E().GetFrame(1)->Duration, T(0, 0));
    ASSERT_TRUE(core->UndoLastOperation());
    EXPECT_EQ(E().GetCount(), 1);
}

TEST_F(EditTest, RestoreEmptiesTheLogAndClearsTheMark)
{
    Start({F(T(0, 0), T(24, 0), u"a")});
    core->AddSch();
    core->AddSch();
    notes.clear();
    core->Restore();
    EXPECT_FALSE(core->Modified);
    EXPECT_EQ(notes, (std::vector<std::pair<int32_t, int>>{{KScheduleEditCore::AllFrames, 1}}));
    EXPECT_EQ(E().GetCount(), 1);
    // No stale record: undo does nothing to the restored copy.
    EXPECT_FALSE(core->UndoLastOperation());
    EXPECT_EQ(E().GetCount(), 1);
}

TEST_F(EditTest, CellRules)
{
    pool.AddItem(u"仕事", 0x0000FF);
    Start({F(T(22, 0), T(2, 0), u"a", 0x11), F(T(0, 0), T(22, 0), u"b", 0x22)});
    // End before start runs across midnight.
    core->CommitTime(0, KScheduleEditCore::ColEnd, T(1, 30));
    EXPECT_EQ(E().GetFrame(0)->Duration, T(3, 30));
    core->CommitTime(0, KScheduleEditCore::ColTime, T(24, 59));
    EXPECT_EQ(E().GetFrame(0)->Duration, T(24, 0));
    core->CommitTime(0, KScheduleEditCore::ColStart, T(23, 15));
    EXPECT_EQ(E().GetFrame(0)->StartTime, T(23, 15));
    EXPECT_EQ(E().GetFrame(0)->Duration, T(24, 0));

    // Emptying an item gives the default name; a known name brings its colour.
    core->CommitItem(0, u"");
    EXPECT_EQ(E().GetFrame(0)->ItemName, u"自由");
    core->CommitItem(1, u"仕事");
    EXPECT_EQ(E().GetFrame(1)->Color, 0x0000FFu);
    core->CommitItem(0, u"新しい");
    EXPECT_EQ(pool.GetItemColor(u"新しい", 0), 0x11u);

    // Pasted times: 25:10 wraps, 24:00 is midnight, text that is no time is refused.
    EXPECT_TRUE(core->PasteTime(0, KScheduleEditCore::ColTime, u"25:10"));
    EXPECT_EQ(E().GetFrame(0)->Duration, T(1, 10));
    EXPECT_TRUE(core->PasteTime(0, KScheduleEditCore::ColTime, u"24:00"));
    EXPECT_EQ(E().GetFrame(0)->Duration, T(0, 0));
    EXPECT_TRUE(core->PasteTime(1, KScheduleEditCore::ColStart, u"7:5"));
    EXPECT_EQ(E().GetFrame(1)->StartTime, T(7, 5));
    EXPECT_FALSE(core->PasteTime(1, KScheduleEditCore::ColStart, u"seven"));
    EXPECT_EQ(E().GetFrame(1)->StartTime, T(7, 5));

    // A pasted colour changes only its frame; a chosen colour every frame of that name.
    core->CommitItem(0, u"仕事");
    core->PasteColor(0, 0x123456);
    EXPECT_EQ(E().GetFrame(1)->Color, 0x0000FFu);
    core->ChooseColor(1, 0xABCDEF);
    EXPECT_EQ(E().GetFrame(0)->Color, 0xABCDEFu);

    // Rows without a frame take nothing.
    EXPECT_FALSE(core->CommitTime(5, KScheduleEditCore::ColStart, T(1, 0)));
    EXPECT_FALSE(core->CommitItem(5, u"x"));
    EXPECT_FALSE(core->InsSch(9, F(T(0, 0), T(0, 0), u"x")));
    EXPECT_FALSE(core->InsSch(-1, F(T(0, 0), T(0, 0), u"x")));
}

TEST_F(EditTest, InsertIntoNoFramesStartsAtMidnightAndFullIsRefused)
{
    shown.ClearFrames();
    Start({});
    ASSERT_FALSE(core->InsSch(0, F(T(9, 0), T(0, 0), u"x")));
    EXPECT_EQ(E().GetFrame(0)->StartTime, T(0, 0));

    while (E().GetCount() < 49)
        ASSERT_FALSE(core->AddSch(false));
    EXPECT_TRUE(core->InsSch(0, F(T(0, 0), T(0, 0), u"y")));
    EXPECT_FALSE(core->AddSch(false));
    EXPECT_TRUE(core->AddSch(false));
    EXPECT_EQ(E().GetCount(), 50);
}

TEST_F(EditTest, CheckBeforeLeaveFollowsTheChoice)
{
    Start({F(T(0, 0), T(7, 0), u"a"), F(T(7, 0), T(17, 0), u"b")});
    int asked = 0;
    auto answer = [&asked](int choice) {
        return [&asked, choice](const KCheckReport &) {
            ++asked;
            return choice;
        };
    };
    EXPECT_EQ(core->CheckBeforeLeave(answer(0)), KScheduleEditCore::LeaveClean); // unchanged: not checked
    EXPECT_EQ(asked, 0);
    core->CommitTime(1, KScheduleEditCore::ColStart, T(8, 0));
    EXPECT_EQ(core->CheckBeforeLeave(answer(0)), KScheduleEditCore::LeaveStay);
    EXPECT_EQ(core->CheckBeforeLeave(answer(-1)), KScheduleEditCore::LeaveDiscard);
    EXPECT_EQ(core->CheckBeforeLeave(answer(2)), KScheduleEditCore::LeaveDiscard);
    EXPECT_EQ(core->CheckBeforeLeave(answer(1)), KScheduleEditCore::LeaveStay);
    EXPECT_EQ(E().GetFrame(1)->StartTime, T(7, 0)); // re-scheduled from the shown schedule
    EXPECT_FALSE(core->Modified);
    EXPECT_EQ(asked, 4);
    core->SetChronoTime(1, 0);
    EXPECT_TRUE(core->Modified);
    EXPECT_EQ(core->CheckBeforeLeave(answer(0)), KScheduleEditCore::LeaveClean);
}
