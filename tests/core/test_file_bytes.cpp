// The three file formats written out byte by byte from their layouts, without the program's
// own writer: the writer must produce exactly these bytes and the reader must read them back.
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <array>
#include <gtest/gtest.h>

namespace {

// Little-endian bytes, UTF-16LE texts.
struct Bytes {
    std::vector<uint8_t> b;

    Bytes &Ascii(const char *s)
    {
        while (*s)
            b.push_back(uint8_t(*s++));
        return *this;
    }
    Bytes &Fill(size_t n, uint8_t v)
    {
        b.insert(b.end(), n, v);
        return *this;
    }
    Bytes &U8(unsigned v)
    {
        b.push_back(uint8_t(v));
        return *this;
    }
    Bytes &U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
    Bytes &U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    // The characters without a terminator.
    Bytes &Chars(const std::u16string &s)
    {
        for (char16_t c : s)
            U16(c);
        return *this;
    }
    // The characters and one zero character.
    Bytes &Text(const std::u16string &s) { return Chars(s).U16(0); }
    // The 16-bit sum of the bytes from 'from' to the end so far.
    Bytes &SumFrom(size_t from)
    {
        unsigned sum = 0;
        for (size_t i = from; i < b.size(); ++i)
            sum += b[i];
        return U16(sum & 0xFFFF);
    }
    Bytes &Append(const Bytes &other)
    {
        b.insert(b.end(), other.b.begin(), other.b.end());
        return *this;
    }
    // Writes the length of everything from 'at' on into 'size' bytes at 'at'.
    Bytes &PatchLength(size_t at, int size)
    {
        const size_t length = b.size() - at;
        for (int i = 0; i < size; ++i)
            b[at + size_t(i)] = uint8_t(length >> (8 * i));
        return *this;
    }
};

uint32_t TextBytes(const std::u16string &s)
{
    return uint32_t(2 * s.size() + 2);
}

struct FileBytesTest : ::testing::Test {
    KFakeFileSystem files;
    KFakePrompter prompter;
};

// One frame record: colour, start and duration as stored, the two texts, the record's sum.
Bytes Record(uint32_t color, std::array<uint8_t, 6> times, const std::u16string &item,
             const std::u16string &memo)
{
    Bytes r;
    r.U32(color);
    for (uint8_t t : times)
        r.U8(t);
    r.Fill(22, 0);
    if (item.empty())
        r.U16(0);
    else
        r.U16(TextBytes(item)).Text(item);
    if (memo.empty())
        r.U16(0);
    else
        r.U16(TextBytes(memo)).Text(memo);
    return r.SumFrom(0);
}

Bytes ScheduleHeaderAndTitle(const std::u16string &title, unsigned count)
{
    Bytes f;
    f.Ascii("_KQSCHEDULER____").Fill(48, 0);
    const size_t block = f.b.size();
    f.Chars(title).Fill(130 - 2 * title.size(), 0).U8(count).Fill(27, 0).SumFrom(block);
    return f;
}

} // namespace

TEST_F(FileBytesTest, ScheduleFile)
{
    const std::u16string title = u"週の予定 A";
    Bytes expected = ScheduleHeaderAndTitle(title, 3);
    // Colours are stored red in the low byte: 0x0080FF is orange.
    expected.Append(Record(0x0080FF, {6, 30, 0, 1, 45, 30}, u"朝食", u"パンと tea"));
    expected.Append(Record(0x123456, {8, 15, 0, 15, 45, 0}, u"Work", u""));
    expected.Append(Record(0xFFFFFF, {24, 0, 0, 0, 0, 0}, u"自由", u""));
    ASSERT_EQ(expected.b.size(),
              64u + 160 + (32 + 2 + 6 + 2 + 16 + 2) + (32 + 2 + 10 + 2 + 2) + (32 + 2 + 6 + 2 + 2));
    EXPECT_EQ(expected.b[224], 0xFF); // red first
    EXPECT_EQ(expected.b[226], 0x00);

    KDaySchedule s;
    s.AppendFrame(KScheduleFrame({6, 30, 0}, {1, 45, 30}, u"朝食", 0x0080FF, u"パンと tea"));
    s.AppendFrame(KScheduleFrame({8, 15, 0}, {15, 45, 0}, u"Work", 0x123456, u""));
    s.AppendFrame(KScheduleFrame({24, 0, 0}, {0, 0, 0}, u"自由", 0xFFFFFF, u""));
    KScheduleFile w(files, prompter);
    w.SetFileName(u"/p/plan.ors");
    w.SetTitle(title);
    w.WriteFlags = 0;
    w.WriteSchedule(s);
    ASSERT_EQ(w.ErrorCode, 0);
    EXPECT_EQ(*files.Get(u"/p/plan.ors"), expected.b);

    files.Put(u"/p/hand.ors", expected.b);
    KScheduleFile r(files, prompter);
    r.SetFileName(u"/p/hand.ors");
    ASSERT_NE(r.ReadSchedule(), nullptr);
    EXPECT_EQ(r.Title, title);
    ASSERT_EQ(r.Schedule->GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const KScheduleFrame &a = *s.GetFrame(i), &b = *r.Schedule->GetFrame(i);
        EXPECT_EQ(b.StartTime, a.StartTime) << i;
        EXPECT_EQ(b.Duration, a.Duration) << i;
        EXPECT_EQ(b.ItemName, a.ItemName) << i;
        EXPECT_EQ(b.Memo, a.Memo) << i;
        EXPECT_EQ(b.Color, a.Color) << i;
    }
}

// A stored time is taken component by component, each carried into the ones above it:
// 08:75:00 reads as 09:15:00, and a duration of 00:75:90 as 01:16:30.
TEST_F(FileBytesTest, UnnormalisedStoredTimesAreCarriedOnReading)
{
    Bytes file = ScheduleHeaderAndTitle(u"", 1);
    file.Append(Record(0x00FF00, {8, 75, 0, 0, 75, 90}, u"Odd", u""));
    files.Put(u"/odd.ors", file.b);
    KScheduleFile r(files, prompter);
    r.SetFileName(u"/odd.ors");
    ASSERT_NE(r.ReadSchedule(), nullptr);
    const KScheduleFrame &f = *r.Schedule->GetFrame(0);
    EXPECT_EQ(f.StartTime, (KSchTime{9, 15, 0}));
    EXPECT_EQ(f.Duration, (KSchTime{1, 16, 30}));
    EXPECT_EQ(f.ItemName, u"Odd");
}

TEST_F(FileBytesTest, WeekScheduleFile)
{
    const std::array<std::u16string, 7> days = {u"", u"C:\\a.ors", u"", u"/予定/水.ors", u"", u"", u""};
    Bytes expected;
    expected.Ascii("_KQWKSCHCONFIG__").Fill(48, 0);
    uint32_t length = 16;
    for (const auto &d : days)
        length += TextBytes(d);
    expected.U32(length).U8(7).Fill(11, 0);
    for (const auto &d : days)
        expected.Text(d);
    ASSERT_EQ(expected.b.size(), 64u + 16 + 2 + 18 + 2 + 20 + 2 + 2 + 2);
    EXPECT_EQ(length, 64u);

    KWeekSchConfig c;
    for (int d = 0; d < 7; ++d)
        c.SetDayFile(d, days[size_t(d)]);
    KWeekSchFile w(files, prompter);
    w.SetFileName(u"/w.orw");
    w.WriteFlags = 0;
    w.WriteWeekSchedule(c);
    ASSERT_EQ(w.ErrorCode, 0);
    EXPECT_EQ(*files.Get(u"/w.orw"), expected.b);

    files.Put(u"/hand.orw", expected.b);
    KWeekSchFile r(files, prompter);
    r.SetFileName(u"/hand.orw");
    ASSERT_NE(r.ReadWeekSchedule(), nullptr);
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(r.Config->GetDayFile(d), days[size_t(d)]) << d;
}

TEST_F(FileBytesTest, SettingsFile)
{
    KSchAlarmConfig alarm(2);
    alarm.SetMinutes(0, 10);
    alarm.SetSoundName(0, u"CHIME");
    alarm.SetSource(0, 0);
    alarm.SetSoundFile(1, u"/s/ベル.wav");
    alarm.SetSource(1, 1);
    alarm.SetPointOn(1, true);
    alarm.AlarmTypes = KSchAlarmConfig::SoundAlarm | KSchAlarmConfig::PopupAlarm;
    alarm.SpareText1 = u"one";
    alarm.SpareText2 = u"two";
    alarm.SpareText3 = u"three";
    alarm.SpareTexts = {u"x", u"", u"zz"};
    KWeekSchConfig week;
    week.AutoOpen = true;
    week.AutoReadFile = u"/w/週.orw";
    week.SetDayFile(2, u"/not/in/settings.ors");
    const std::vector<std::u16string> recent = {u"/a.ors", u"/予定.orw"};

    Bytes expected;
    expected.Ascii("_KQSCHEDULER_ENV").Fill(48, 0);
    expected.U8(1).U8(0x1D).U8(2).U8(0);              // language, option bits, view, zero
    expected.U8(3).U8(0).U8(1).U8(4);                 // skin flags, reserved, size, transparency
    expected.U32(uint32_t(-20)).U32(300).Fill(48, 0); // skin top and left
    ASSERT_EQ(expected.b.size(), 128u);

    const size_t alarmAt = expected.b.size();
    expected.U16(0).U16(5).U16(0x0002).Fill(4, 0x55).U16(2); // length (later), flags, enabled, filler, N
    expected.U16(10).U16(0xFFFF);                            // minutes, -1 for none
    expected.Text(u"CHIME").Text(u"");                       // sound names
    expected.Text(u"").Text(u"/s/ベル.wav");                 // sound files
    expected.U8(0).U8(1);                                    // sources
    expected.Fill(24, 0x55);
    expected.Text(u"one").Text(u"three").Text(u"two"); // first, third, second free text
    expected.U16(3).Text(u"x").Text(u"").Text(u"zz");  // extra texts
    expected.Fill(32, 0x55);
    expected.PatchLength(alarmAt, 2);
    EXPECT_EQ(expected.b.size() - alarmAt,
              12u + 2 * 2 + (12 + 2 + 2 + 20) + 2 + 24 + (8 + 12 + 8) + 2 + (4 + 2 + 6) + 32);

    const size_t weekAt = expected.b.size();
    expected.U16(34 + 2 * 8).U8(1).U8(0).Fill(28, 0xAA).Text(u"/w/週.orw");
    EXPECT_EQ(expected.b.size() - weekAt, 34u + 2 * 8);

    const size_t recentAt = expected.b.size();
    expected.U32(0).U8(2).U8(0xA5).Text(recent[0]).Text(recent[1]);
    expected.PatchLength(recentAt, 4);
    EXPECT_EQ(expected.b.size() - recentAt, 6u + 14 + 16);
    expected.U8(0x00).U8(0x9A).U8(0xB6).U8(0x25).U8(0x89).U8(0xE6).U8(0xFF).U8(0x1A);

    KFakeAppDataFolder appData(u"/home/u/.local/share");
    KOrvellaEnv out(files, prompter, appData);
    out.AlarmConfigRef = &alarm;
    out.WeekConfigRef = &week;
    out.SavedLanguage = 1;
    out.OptionBits = 0x1D;
    out.SavedViewType = 2;
    out.SavedSkinState = {3, 0, 1, 4, -20, 300};
    out.RecentFiles = recent;
    ASSERT_TRUE(out.WriteSettings(u"/s/OrvellaEnv.ore"));
    EXPECT_EQ(*files.Get(u"/s/OrvellaEnv.ore"), expected.b);

    files.Put(u"/hand.ore", expected.b);
    KSchAlarmConfig alarmIn;
    KWeekSchConfig weekIn;
    KOrvellaEnv in(files, prompter, appData);
    in.AlarmConfigRef = &alarmIn;
    in.WeekConfigRef = &weekIn;
    ASSERT_EQ(in.ReadSettings(u"/hand.ore"), 0);
    EXPECT_EQ(alarmIn, alarm);
    EXPECT_TRUE(weekIn.AutoOpen);
    EXPECT_EQ(weekIn.AutoReadFile, u"/w/週.orw");
    EXPECT_EQ(weekIn.GetDayFile(2), u""); // day files live in the week schedule file only
    EXPECT_EQ(in.SavedLanguage, 1);
    EXPECT_EQ(in.OptionBits, 0x1D);
    EXPECT_EQ(in.SavedViewType, 2);
    EXPECT_EQ(in.SavedSkinState, (KOrvellaEnv::SkinState{3, 0, 1, 4, -20, 300}));
    EXPECT_EQ(in.RecentFiles, recent);
    EXPECT_TRUE(prompter.History.empty());
}
