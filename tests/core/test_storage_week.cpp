#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <gtest/gtest.h>

namespace {

struct WeekFileTest : ::testing::Test {
    KFakeFileSystem files;
    KFakePrompter prompter;

    int32_t ReadCode(const std::vector<uint8_t> &bytes, KWeekSchConfig *out = nullptr)
    {
        files.Put(u"/w.orw", bytes);
        KWeekSchFile f(files, prompter);
        f.SetFileName(u"/w.orw");
        KWeekSchConfig *c = f.ReadWeekSchedule();
        EXPECT_EQ(c == nullptr, f.ErrorCode != 0);
        if (c && out)
            *out = *c;
        return f.ErrorCode;
    }
};

} // namespace

TEST_F(WeekFileTest, Layouts)
{
    KWeekSchConfig empty;
    std::vector<uint8_t> b = KWeekSchFile::BuildImage(empty);
    ASSERT_EQ(b.size(), 94u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 16), "_KQWKSCHCONFIG__");
    EXPECT_EQ(b[64], 30);
    EXPECT_EQ(b[68], 7);

    KWeekSchConfig monday;
    monday.SetDayFile(1, u"C:\\a.ors");
    b = KWeekSchFile::BuildImage(monday);
    EXPECT_EQ(b[64], 46);
    EXPECT_EQ(b.size(), 64u + 46u);
    EXPECT_EQ(b[82], 'C'); // Sunday's empty text at 80, Monday's path at 82

    KWeekSchConfig back;
    EXPECT_EQ(ReadCode(b, &back), 0);
    EXPECT_EQ(back.GetDayFile(1), u"C:\\a.ors");
    EXPECT_EQ(back.GetDayFile(0), u"");
    EXPECT_EQ(back.GetDayFile(7), u"");
}

TEST_F(WeekFileTest, WriteKeepsBackupWithoutAsking)
{
    KWeekSchConfig c;
    for (int d = 0; d < 7; ++d)
        c.SetDayFile(d, u"/p/日" + std::u16string(1, char16_t(u'0' + d)) + u".ors");
    KWeekSchFile w(files, prompter);
    w.SetFileName(u"/p/week.orw");
    w.WriteWeekSchedule(c);
    EXPECT_EQ(w.ErrorCode, 0);
    std::vector<uint8_t> first = *files.Get(u"/p/week.orw");
    w.WriteWeekSchedule(KWeekSchConfig());
    EXPECT_EQ(w.ErrorCode, 0);
    EXPECT_EQ(files.Get(u"/p/week.BAK"), first);
    EXPECT_TRUE(prompter.History.empty());

    KWeekSchFile r(files, prompter);
    r.SetFileName(u"/p/week.BAK");
    ASSERT_NE(r.ReadWeekSchedule(), nullptr);
    EXPECT_EQ(r.Config->DayFiles, c.DayFiles);
    EXPECT_FALSE(r.Config->AutoOpen);
    EXPECT_TRUE(r.IsWeekScheduleFile(u"/p/week.orw"));
    EXPECT_FALSE(r.IsWeekScheduleFile(u"/p/none.orw"));
}

TEST_F(WeekFileTest, DamagedOrForeignFilesAreRefused)
{
    KWeekSchConfig c;
    c.SetDayFile(3, u"/x.ors");
    std::vector<uint8_t> good = KWeekSchFile::BuildImage(c);
    EXPECT_EQ(ReadCode(good), 0);

    std::vector<uint8_t> b = good;
    b.push_back(0);
    EXPECT_EQ(ReadCode(b), 21); // one extra byte

    KDaySchedule s;
    s.SetDefaultFrame(0);
    EXPECT_EQ(ReadCode(KScheduleFile::BuildImage(s, u"")), 24);

    // A path without its zero character at the end of the block.
    b = good;
    b.resize(b.size() - 2);
    b[64] = uint8_t(b[64] - 2);
    EXPECT_EQ(ReadCode(b), 21);

    // A count above 7 whose extra path runs past the block, and one whose extra path fits.
    b = good;
    b[68] = 8;
    EXPECT_EQ(ReadCode(b), 21);
    b.push_back('z');
    b.push_back(0);
    b.push_back(0);
    b.push_back(0);
    b[64] = uint8_t(b[64] + 4);
    KWeekSchConfig back;
    EXPECT_EQ(ReadCode(b, &back), 0);
    EXPECT_EQ(back.GetDayFile(3), u"/x.ors");

    // A length of 0.
    b = good;
    b[64] = 0;
    EXPECT_EQ(ReadCode(b), 21);

    for (size_t n = 0; n < good.size(); ++n) {
        int32_t code = ReadCode(std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n)));
        EXPECT_TRUE(code == 21 || code == 24) << "prefix " << n;
    }
    KWeekSchFile f(files, prompter);
    f.SetFileName(u"/missing.orw");
    EXPECT_EQ(f.ReadWeekSchedule(), nullptr);
    EXPECT_EQ(f.ErrorCode, 21);
}

TEST(WeekSchConfig, AssignKeepsAutoReadFileWhenTheOtherHasNone)
{
    KWeekSchConfig shown;
    shown.AutoOpen = true;
    shown.AutoReadFile = u"/w/auto.orw";
    KWeekSchConfig fromFile;
    fromFile.SetDayFile(2, u"/t.ors");
    fromFile.AutoOpen = true;
    shown.AssignWeekConfig(fromFile);
    EXPECT_TRUE(shown.AutoOpen);
    EXPECT_EQ(shown.AutoReadFile, u"/w/auto.orw");
    EXPECT_EQ(shown.GetDayFile(2), u"/t.ors");
    shown.SetDayFile(2, u"");
    shown.SetDayFile(9, u"/ignored");
    EXPECT_EQ(shown.GetDayFile(2), u"");
    shown.AssignWeekConfig(shown);
    EXPECT_EQ(shown.AutoReadFile, u"/w/auto.orw");
}
