#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KScheduleFile.h"
#include "week/core/KScheduleFileDaySource.h"
#include "week/core/KWeekScheduleBuilder.h"

#include <gtest/gtest.h>
#include <map>

namespace {
KScheduleFrame Frame(int h, int dh, const std::u16string &name)
{
    return KScheduleFrame(KSchTime::MakeTime(uint8_t(h), 0, 0), KSchTime::MakeTime(uint8_t(dh), 0, 0), name,
                          0x00FF00, u"");
}

// Day files held in memory; a file listed in unreadable counts frames but fails to read.
class FakeDays : public KDayFileSource {
public:
    std::map<std::u16string, std::vector<KScheduleFrame>> Files;
    std::map<std::u16string, int> Unreadable;
    int Reads = 0;

    int PeekFrameCount(const std::u16string &path) override
    {
        if (auto u = Unreadable.find(path); u != Unreadable.end())
            return u->second;
        auto it = Files.find(path);
        return it == Files.end() ? 0 : int(it->second.size());
    }
    std::unique_ptr<KDaySchedule> ReadDay(const std::u16string &path) override
    {
        ++Reads;
        auto it = Files.find(path);
        if (it == Files.end())
            return nullptr;
        auto day = std::make_unique<KDaySchedule>();
        for (const KScheduleFrame &f : it->second)
            day->AppendFrame(f);
        return day;
    }
};
} // namespace

TEST(WeekScheduleBuilder, GathersEveryDayInWeekdayOrder)
{
    FakeDays days;
    days.Files[u"sun.ors"] = {Frame(0, 24, u"Free")};
    days.Files[u"mon.ors"] = {Frame(0, 8, u"Sleep"), Frame(8, 16, u"Work")};
    std::array<std::u16string, 7> names{u"sun.ors", u"mon.ors", u"", u"missing.ors", u"", u"", u"sun.ors"};
    auto week = KWeekScheduleBuilder::Build(names, days);
    ASSERT_NE(week, nullptr);
    EXPECT_EQ(week->Capacity(), 1 + 2 + 1 + 16);
    ASSERT_EQ(week->GetCount(), 4);
    EXPECT_EQ(week->GetFrame(0)->ItemName, u"Free");
    EXPECT_EQ(week->GetFrame(1)->ItemName, u"Sleep");
    EXPECT_EQ(week->GetFrame(2)->ItemName, u"Work");
    EXPECT_EQ(week->GetFrame(3)->ItemName, u"Free");
}

TEST(WeekScheduleBuilder, FailsWithoutFramesOrReadableDays)
{
    FakeDays days;
    std::array<std::u16string, 7> none{};
    EXPECT_EQ(KWeekScheduleBuilder::Build(none, days), nullptr);
    EXPECT_EQ(days.Reads, 0);

    std::array<std::u16string, 7> missing{u"a.ors", u"b.ors"};
    EXPECT_EQ(KWeekScheduleBuilder::Build(missing, days), nullptr);

    // Frames are counted but no file reads: the build still fails.
    days.Unreadable[u"broken.ors"] = 5;
    std::array<std::u16string, 7> broken{u"broken.ors"};
    EXPECT_EQ(KWeekScheduleBuilder::Build(broken, days), nullptr);
}

TEST(WeekScheduleBuilder, StopsAtCapacityWhenAFileGrewAfterCounting)
{
    FakeDays days;
    std::vector<KScheduleFrame> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(Frame(0, 0, u"x"));
    days.Files[u"grown.ors"] = many;
    days.Unreadable[u"grown.ors"] = 1; // counted with one frame, read with forty
    std::array<std::u16string, 7> names{u"grown.ors"};
    auto week = KWeekScheduleBuilder::Build(names, days);
    ASSERT_NE(week, nullptr);
    EXPECT_EQ(week->Capacity(), 17);
    EXPECT_EQ(week->GetCount(), 17);
}

TEST(WeekScheduleBuilder, ReadsRealScheduleFiles)
{
    KFakeFileSystem files;
    KFakePrompter prompter;
    KDaySchedule mon;
    mon.AppendFrame(Frame(0, 8, u"Sleep"));
    mon.AppendFrame(Frame(8, 16, u"Work"));
    files.Files[u"/w/mon.ors"] = KScheduleFile::BuildImage(mon, u"Monday");
    files.Files[u"/w/bad.ors"] = {1, 2, 3};
    KScheduleFileDaySource source(files, prompter);
    EXPECT_EQ(source.PeekFrameCount(u"/w/mon.ors"), 2);
    EXPECT_EQ(source.PeekFrameCount(u"/w/none.ors"), 0);
    EXPECT_EQ(source.PeekFrameCount(u"/w/bad.ors"), 0);

    std::array<std::u16string, 7> names{u"/w/none.ors", u"/w/mon.ors", u"/w/bad.ors", u"/w/mon.ors"};
    auto week = KWeekScheduleBuilder::Build(names, source);
    ASSERT_NE(week, nullptr);
    ASSERT_EQ(week->GetCount(), 4);
    EXPECT_EQ(week->GetFrame(3)->ItemName, u"Work");
    EXPECT_TRUE(prompter.History.empty());

    std::array<std::u16string, 7> broken{u"/w/bad.ors", u"/w/none.ors"};
    EXPECT_EQ(KWeekScheduleBuilder::Build(broken, source), nullptr);
}
