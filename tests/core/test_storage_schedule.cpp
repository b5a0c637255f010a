#include "model/KMessageCatalog.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KByteWriter.h"
#include "storage/KScheduleFile.h"

#include <gtest/gtest.h>

namespace {

const std::u16string Plan = u"/plans/plan.ors";

KScheduleFrame Frame(KSchTime start, KSchTime dur, const std::u16string &item, uint32_t color,
                     const std::u16string &memo = u"")
{
    return KScheduleFrame(start, dur, item, color, memo);
}

KDaySchedule SampleDay()
{
    KDaySchedule s;
    s.AppendFrame(Frame({0, 0, 0}, {8, 0, 0}, u"睡眠", 0x804000));
    s.AppendFrame(Frame({8, 0, 0}, {9, 30, 15}, u"仕事", 0x0000FF, u"会議 10:00"));
    s.AppendFrame(Frame({17, 30, 15}, {6, 29, 45}, u"Free", 0xFFFFFF, u"memo"));
    return s;
}

struct ScheduleFileTest : ::testing::Test {
    KFakeFileSystem files;
    KFakePrompter prompter;

    KScheduleFile Writer(const std::u16string &path, uint16_t flags, const std::u16string &title = u"")
    {
        KScheduleFile f(files, prompter);
        f.SetFileName(path);
        f.SetTitle(title);
        f.WriteFlags = flags;
        return f;
    }
    int32_t ReadCode(const std::vector<uint8_t> &bytes)
    {
        files.Put(u"/x.ors", bytes);
        KScheduleFile f(files, prompter);
        f.SetFileName(u"/x.ors");
        KDaySchedule *s = f.ReadSchedule();
        EXPECT_EQ(s == nullptr, f.ErrorCode != 0);
        EXPECT_EQ(f.Schedule.get(), s);
        return f.ErrorCode;
    }
};

} // namespace

TEST_F(ScheduleFileTest, OneWholeDayFrameIs268Bytes)
{
    KDaySchedule s;
    s.SetDefaultFrame(0);
    KScheduleFile f = Writer(Plan, 3);
    f.WriteSchedule(s);
    ASSERT_EQ(f.ErrorCode, 0);
    std::vector<uint8_t> b = *files.Get(Plan);
    ASSERT_EQ(b.size(), 268u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 16), "_KQSCHEDULER____");
    EXPECT_EQ(b[224 + 4], 0);  // start hour
    EXPECT_EQ(b[224 + 7], 24); // duration hour
    EXPECT_EQ(b[224 + 32], 6); // L1: two characters and the zero
    EXPECT_EQ(b[224 + 33], 0);
    EXPECT_EQ(b[224 + 40], 0); // L2: no memo
    uint16_t sum = ByteSum16(b.data() + 224, 42);
    EXPECT_EQ(b[266] | (b[267] << 8), sum);
    EXPECT_TRUE(prompter.History.empty()); // a new file needs no question
}

TEST_F(ScheduleFileTest, TitleBlockLayout)
{
    std::vector<uint8_t> b = KScheduleFile::BuildImage(SampleDay(), u"");
    for (size_t i = 64; i < 224; ++i) {
        if (i == 64 + 130 || i == 64 + 158)
            EXPECT_EQ(b[i], 3) << i;
        else
            EXPECT_EQ(b[i], 0) << i;
    }
    // A title of 70 characters keeps its first 64, with a zero character after them.
    std::u16string title;
    for (int i = 0; i < 70; ++i)
        title += char16_t(u'A' + i % 26);
    b = KScheduleFile::BuildImage(SampleDay(), title);
    files.Put(Plan, b);
    KScheduleFile f(files, prompter);
    f.SetFileName(Plan);
    ASSERT_NE(f.ReadSchedule(), nullptr);
    EXPECT_EQ(f.Title, title.substr(0, 64));
    EXPECT_EQ(b[64 + 128], 0);
    EXPECT_EQ(b[64 + 129], 0);
}

TEST_F(ScheduleFileTest, WriteThenReadGivesTheSameSchedule)
{
    KDaySchedule s = SampleDay();
    s.AppendFrame(
        Frame({24, 0, 0}, {0, 0, 0}, std::u16string(80, u'x'), 0x123456, std::u16string(300, u'm')));
    KScheduleFile w = Writer(Plan, 3, u"平日");
    w.WriteSchedule(s);
    ASSERT_EQ(w.ErrorCode, 0);

    KScheduleFile r(files, prompter);
    r.SetFileName(Plan);
    KDaySchedule *back = r.ReadSchedule();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(r.ErrorCode, 0);
    EXPECT_EQ(r.Title, u"平日");
    ASSERT_EQ(back->GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const KScheduleFrame &a = *s.GetFrame(i), &b = *back->GetFrame(i);
        EXPECT_EQ(a.StartTime, b.StartTime);
        EXPECT_EQ(a.Duration, b.Duration);
        EXPECT_EQ(a.ItemName, b.ItemName);
        EXPECT_EQ(a.Memo, b.Memo);
        EXPECT_EQ(a.Color, b.Color);
    }
    EXPECT_EQ(back->GetFrame(3)->StartTime, (KSchTime{24, 0, 0}));
    EXPECT_EQ(back->GetFrame(3)->ItemName.size(), 72u);
    EXPECT_EQ(back->GetFrame(3)->Memo.size(), 256u);
    EXPECT_EQ(r.PeekFrameCount(Plan), 4);
}

TEST_F(ScheduleFileTest, DamagedOrForeignFilesAreRefused)
{
    std::vector<uint8_t> good = KScheduleFile::BuildImage(SampleDay(), u"t");
    EXPECT_EQ(ReadCode(good), 0);

    // Missing and empty files.
    KScheduleFile f(files, prompter);
    f.SetFileName(u"/missing.ors");
    EXPECT_EQ(f.ReadSchedule(), nullptr);
    EXPECT_EQ(f.ErrorCode, 21);
    EXPECT_EQ(ReadCode({}), 21);

    // A foreign signature.
    std::vector<uint8_t> b = good;
    b[3] = 'x';
    EXPECT_EQ(ReadCode(b), 20);
    EXPECT_EQ(f.PeekFrameCount(u"/x.ors"), 0);
    EXPECT_EQ(f.ErrorCode, 20);

    // Count 0 with a matching sum.
    b = good;
    b[64 + 130] = 0;
    b[64 + 158] = uint8_t(b[64 + 158] - 3);
    EXPECT_EQ(ReadCode(b), 21);

    // A title without its zero character.
    b = good;
    for (size_t i = 0; i < 130; ++i)
        b[64 + i] = (i % 2) ? 0 : 'A';
    uint16_t sum = ByteSum16(b.data() + 64, 158);
    b[64 + 158] = uint8_t(sum);
    b[64 + 159] = uint8_t(sum >> 8);
    EXPECT_EQ(ReadCode(b), 21);

    // A text length that runs past the end of the file.
    b = good;
    b[224 + 33] = 0x7F;
    EXPECT_EQ(ReadCode(b), 21);
}

TEST_F(ScheduleFileTest, AnyFlippedByteOrCutIsRefused)
{
    std::vector<uint8_t> good = KScheduleFile::BuildImage(SampleDay(), u"title");
    for (size_t i = 64; i < good.size(); ++i) {
        std::vector<uint8_t> b = good;
        b[i] ^= 0x01;
        EXPECT_EQ(ReadCode(b), 21) << "byte " << i;
    }
    for (size_t n = 0; n < good.size(); ++n) {
        int32_t code = ReadCode(std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n)));
        EXPECT_TRUE(code == 21 || code == 20) << "prefix " << n;
    }
}

TEST_F(ScheduleFileTest, RecordsBeyondFiftyAreDropped)
{
    KDaySchedule s;
    for (int i = 0; i < 50; ++i)
        s.AppendFrame(
            Frame({uint8_t(i / 3), 0, 0}, {0, 20, 0}, u"f" + std::u16string(1, char16_t(u'0' + i % 10)), 0));
    std::vector<uint8_t> b = KScheduleFile::BuildImage(s, u"");
    // Repeat the last record twice more and raise the count to 52.
    size_t recordSize = 32 + 2 + 6 + 2 + 2;
    std::vector<uint8_t> last(b.end() - std::ptrdiff_t(recordSize), b.end());
    b.insert(b.end(), last.begin(), last.end());
    b.insert(b.end(), last.begin(), last.end());
    b[64 + 130] = 52;
    b[64 + 158] = uint8_t(b[64 + 158] + 2);
    files.Put(Plan, b);
    KScheduleFile r(files, prompter);
    r.SetFileName(Plan);
    ASSERT_NE(r.ReadSchedule(), nullptr);
    EXPECT_EQ(r.Schedule->GetCount(), 50);
}

TEST_F(ScheduleFileTest, ReplacingAsksAndKeepsOneBackup)
{
    std::vector<uint8_t> first = KScheduleFile::BuildImage(SampleDay(), u"first");
    files.Put(Plan, first);

    // Cancel leaves everything as it was.
    KScheduleFile w = Writer(Plan, 3, u"second");
    w.WriteSchedule(KDaySchedule());
    EXPECT_EQ(w.ErrorCode, 8);
    EXPECT_EQ(files.Get(Plan), first);
    EXPECT_FALSE(files.Get(u"/plans/plan.BAK"));
    ASSERT_EQ(prompter.History.size(), 1u);
    EXPECT_EQ(prompter.History[0].Caption, u"");
    EXPECT_EQ(prompter.History[0].Text, u"plan.ors" + KMessageCatalog::Text(15, 0));
    EXPECT_EQ(prompter.History[0].Buttons, KMsgButtons::OkCancel);

    // OK replaces the file and moves the old contents to plan.BAK.
    KDaySchedule second = SampleDay();
    second.DeleteFrame(2);
    prompter.Answers = {KMsgAnswer::Ok};
    w.WriteSchedule(second);
    EXPECT_EQ(w.ErrorCode, 0);
    EXPECT_EQ(files.Get(u"/plans/plan.BAK"), first);
    std::vector<uint8_t> secondBytes = *files.Get(Plan);
    EXPECT_EQ(secondBytes, KScheduleFile::BuildImage(second, u"second"));

    // Overwrite (backup, no question): only the latest backup survives; no stray files.
    KScheduleFile o = Writer(Plan, 1, u"third");
    o.WriteSchedule(SampleDay());
    EXPECT_EQ(o.ErrorCode, 0);
    EXPECT_EQ(files.Get(u"/plans/plan.BAK"), secondBytes);
    EXPECT_EQ(files.Files.size(), 2u);
    EXPECT_EQ(prompter.History.size(), 2u);
}

TEST_F(ScheduleFileTest, BackupFileReplacedInPlace)
{
    std::vector<uint8_t> old = KScheduleFile::BuildImage(SampleDay(), u"old");
    files.Put(u"/plans/x.BAK", old);
    KScheduleFile w = Writer(u"/plans/x.BAK", 1, u"new");
    w.WriteSchedule(SampleDay());
    EXPECT_EQ(w.ErrorCode, 0);
    EXPECT_EQ(files.Files.size(), 1u);
    EXPECT_EQ(files.Get(u"/plans/x.BAK"), KScheduleFile::BuildImage(SampleDay(), u"new"));
}

// At every step of a save the target holds either its old or its new contents in full,
// and a save cut off at any point leaves the old contents in place.
TEST_F(ScheduleFileTest, TargetIsNeverMissingOrCutShort)
{
    std::vector<uint8_t> oldBytes = KScheduleFile::BuildImage(SampleDay(), u"old");
    KDaySchedule next = SampleDay();
    next.DeleteFrame(0);
    std::vector<uint8_t> newBytes = KScheduleFile::BuildImage(next, u"new");

    files.Put(Plan, oldBytes);
    int steps = 0;
    files.AfterChange = [&] {
        ++steps;
        auto now = files.Get(Plan);
        ASSERT_TRUE(now.has_value()) << "target missing after step " << steps;
        EXPECT_TRUE(*now == oldBytes || *now == newBytes) << "target cut after step " << steps;
    };
    KScheduleFile w = Writer(Plan, 1, u"new");
    w.WriteSchedule(next);
    ASSERT_EQ(w.ErrorCode, 0);
    EXPECT_EQ(files.Get(Plan), newBytes);
    EXPECT_EQ(files.Get(u"/plans/plan.BAK"), oldBytes);
    // The new contents were written in full and flushed before they took the target's place,
    // and the folder was flushed after.
    using Kind = KFakeFileSystem::OpKind;
    ASSERT_GE(files.Ops.size(), 4u);
    EXPECT_EQ(files.Ops.front().Kind, Kind::Write);
    EXPECT_EQ(files.Ops[1].Kind, Kind::Flush);
    EXPECT_EQ(files.Ops[1].Path, files.Ops.front().Path);
    const KFakeFileSystem::Op &replace = files.Ops[files.Ops.size() - 2];
    EXPECT_EQ(replace.Kind, Kind::Rename);
    EXPECT_EQ(replace.Path, files.Ops.front().Path);
    EXPECT_EQ(replace.Target, Plan);
    EXPECT_EQ(files.Ops.back().Kind, Kind::FlushFolder);

    // The machine stops after k changes.
    for (int k = 0; k < steps; ++k) {
        KFakeFileSystem crash;
        crash.Put(Plan, oldBytes);
        crash.ChangeBudget = k;
        KScheduleFile c(crash, prompter);
        c.SetFileName(Plan);
        c.SetTitle(u"new");
        c.WriteFlags = 1;
        c.WriteSchedule(next);
        EXPECT_EQ(c.ErrorCode, 9) << k;
        EXPECT_EQ(crash.Get(Plan), oldBytes) << k;
    }
}

TEST_F(ScheduleFileTest, WriteFailingAfterNBytesKeepsTheOldFile)
{
    std::vector<uint8_t> oldBytes = KScheduleFile::BuildImage(SampleDay(), u"old");
    std::vector<uint8_t> newBytes = KScheduleFile::BuildImage(KDaySchedule(), u"");
    for (int64_t n : {int64_t(0), int64_t(1), int64_t(63), int64_t(64), int64_t(224), int64_t(260)}) {
        KFakeFileSystem disk;
        KFakePrompter p;
        disk.Put(Plan, oldBytes);
        disk.WriteBudget = n;
        KScheduleFile w(disk, p);
        w.SetFileName(Plan);
        w.WriteFlags = 1;
        w.WriteSchedule(SampleDay());
        EXPECT_EQ(w.ErrorCode, 9) << n;
        EXPECT_EQ(disk.Get(Plan), oldBytes) << n;
        EXPECT_EQ(disk.Files.size(), 1u) << "no temporary file left, no backup made " << n;
        ASSERT_EQ(p.History.size(), 1u);
        EXPECT_EQ(p.History[0].Caption, KMessageCatalog::Text(2, 0));
        EXPECT_EQ(p.History[0].Text, KMessageCatalog::Text(11, 0));
    }
    (void)newBytes;
}

TEST_F(ScheduleFileTest, CreateOrRenameFailures)
{
    std::vector<uint8_t> oldBytes = KScheduleFile::BuildImage(SampleDay(), u"old");
    files.Put(Plan, oldBytes);
    files.FailAllCreates = true;
    KScheduleFile w = Writer(Plan, 1);
    w.WriteSchedule(SampleDay());
    EXPECT_EQ(w.ErrorCode, 9);
    EXPECT_EQ(files.Get(Plan), oldBytes);
    ASSERT_EQ(prompter.History.size(), 1u);
    EXPECT_EQ(prompter.History[0].Text, KMessageCatalog::Text(11, 0));

    files.FailAllCreates = false;
    files.FailRename.insert(Plan);
    w.WriteSchedule(KDaySchedule());
    EXPECT_EQ(w.ErrorCode, 9);
    EXPECT_EQ(files.Get(Plan), oldBytes);
    EXPECT_TRUE(files.FilesStartingWith(Plan + u".").empty());

    // No file name: nothing happens.
    KScheduleFile none(files, prompter);
    none.WriteSchedule(SampleDay());
    EXPECT_EQ(none.ErrorCode, 0);
}

TEST_F(ScheduleFileTest, UnreadableFileShowsSystemError)
{
    files.Put(Plan, KScheduleFile::BuildImage(SampleDay(), u""));
    files.FailRead.insert(Plan);
    KScheduleFile r(files, prompter);
    r.SetFileName(Plan);
    EXPECT_EQ(r.ReadSchedule(), nullptr);
    EXPECT_EQ(r.ErrorCode, 21);
    ASSERT_FALSE(prompter.History.empty());
    EXPECT_EQ(prompter.History[0].Text, KMessageCatalog::Text(9, 0));
}
