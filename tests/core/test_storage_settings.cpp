#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KDSEnvWkOptFileBlock.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KSchFileLogBlock.h"
#include "storage/KSchFileOptBlock.h"

#include <gtest/gtest.h>

namespace {

KSchAlarmConfig DialogConfig()
{
    KSchAlarmConfig c(4);
    const int minutes[4] = {0, 5, 10, 15};
    for (int i = 0; i < 4; ++i) {
        c.SetMinutes(i, minutes[i]);
        c.SetSoundName(i, u"SOUND" + std::u16string(1, char16_t(u'A' + i)));
        c.SetSource(i, i % 2);
    }
    c.SetSoundFile(1, u"/snd/ベル.wav");
    c.SetSoundFile(3, u"/snd/b.mp3");
    c.SetPointOn(0, true);
    c.SetPointOn(3, true);
    c.AlarmTypes = KSchAlarmConfig::SoundAlarm | KSchAlarmConfig::PopupAlarm;
    c.SpareText1 = u"one";
    c.SpareText2 = u"two";
    c.SpareText3 = u"three";
    c.SpareTexts = {u"x", u"", u"z"};
    return c;
}

struct SettingsTest : ::testing::Test {
    KFakeFileSystem files;
    KFakePrompter prompter;
    KFakeAppDataFolder appData{u"/home/u/.local/share"};
    KSchAlarmConfig alarm;
    KWeekSchConfig week;

    KOrvellaEnv Env()
    {
        KOrvellaEnv e(files, prompter, appData);
        e.AlarmConfigRef = &alarm;
        e.WeekConfigRef = &week;
        return e;
    }
    std::vector<uint8_t> FullImage()
    {
        KSchAlarmConfig a = DialogConfig();
        KWeekSchConfig w;
        w.AutoOpen = true;
        w.AutoReadFile = u"/w/週.orw";
        KOrvellaEnv e(files, prompter, appData);
        e.AlarmConfigRef = &a;
        e.WeekConfigRef = &w;
        e.SavedLanguage = 1;
        e.OptionBits = 0x15;
        e.SavedViewType = 3;
        e.SavedSkinState = {3, 0, 2, 4, -100, 1920};
        e.RecentFiles = {u"/a.ors", u"/b.orw", u"/予定.ors"};
        return e.BuildImage();
    }
    int32_t ReadCode(const std::vector<uint8_t> &bytes)
    {
        files.Put(u"/s.ore", bytes);
        KOrvellaEnv e = Env();
        return e.ReadSettings(u"/s.ore");
    }

    // A read into fresh targets, and the image written again from what it read.
    struct Outcome {
        int32_t Code = 0;
        KOrvellaEnv::SkinState Skin;
        int Language = 0, Options = 0, View = 0;
        KSchAlarmConfig Alarm;
        KWeekSchConfig Week;
        std::vector<std::u16string> Recent;
        std::vector<uint8_t> Image;
        bool NothingTaken() const
        {
            return Alarm == KSchAlarmConfig() && Week == KWeekSchConfig() && Recent.empty() &&
                   Language == 0 && Options == 0 && View == 0 && Skin == KOrvellaEnv::SkinState{};
        }
    };
    Outcome Read(const std::vector<uint8_t> &bytes)
    {
        Outcome o;
        files.Put(u"/s.ore", bytes);
        KOrvellaEnv in(files, prompter, appData);
        in.AlarmConfigRef = &o.Alarm;
        in.WeekConfigRef = &o.Week;
        o.Code = in.ReadSettings(u"/s.ore");
        o.Skin = in.SavedSkinState;
        o.Language = in.SavedLanguage;
        o.Options = in.OptionBits;
        o.View = in.SavedViewType;
        o.Recent = in.RecentFiles;
        if (o.Code == 0) {
            KOrvellaEnv out(files, prompter, appData);
            out.AlarmConfigRef = &o.Alarm;
            out.WeekConfigRef = &o.Week;
            out.SavedLanguage = in.SavedLanguage;
            out.OptionBits = in.OptionBits;
            out.SavedViewType = in.SavedViewType;
            out.SavedSkinState = in.SavedSkinState;
            out.RecentFiles = in.RecentFiles;
            o.Image = out.BuildImage();
        }
        return o;
    }
    // The image with its recent-files block replaced by one for the given names.
    static std::vector<uint8_t> ImageWithRecent(const std::vector<uint8_t> &image,
                                                const std::vector<std::u16string> &names)
    {
        const size_t weekAt = 128 + size_t(image[128] | (image[129] << 8));
        const size_t recentAt = weekAt + size_t(image[weekAt] | (image[weekAt + 1] << 8));
        std::vector<uint8_t> out(image.begin(), image.begin() + std::ptrdiff_t(recentAt));
        const std::vector<uint8_t> block = KSchFileLogBlock::BuildBlock(names);
        out.insert(out.end(), block.begin(), block.end());
        out.insert(out.end(), image.end() - 8, image.end());
        return out;
    }
};

} // namespace

TEST_F(SettingsTest, WriteThenReadGivesEveryField)
{
    KSchAlarmConfig a = DialogConfig();
    KWeekSchConfig w;
    w.AutoOpen = true;
    w.AutoReadFile = u"/w/週.orw";
    w.SetDayFile(0, u"/not/stored.ors");
    KOrvellaEnv out(files, prompter, appData);
    out.AlarmConfigRef = &a;
    out.WeekConfigRef = &w;
    out.SavedLanguage = 1;
    out.OptionBits = 0x15;
    out.SavedViewType = 3;
    out.SavedSkinState = {3, 0, 2, 4, -100, 1920};
    out.RecentFiles = {u"/a.ors", u"/b.orw", u"/予定.ors"};
    files.RequireFolders = true;
    files.Folders.insert(u"/home/u/.local/share");
    ASSERT_TRUE(out.WriteSettings());
    EXPECT_TRUE(files.Exists(u"/home/u/.local/share/Tolvarin/Orvella/OrvellaEnv.ore"));
    EXPECT_TRUE(files.Folders.count(u"/home/u/.local/share/Tolvarin"));

    KOrvellaEnv in = Env();
    std::vector<KFakeFileSystem::Op> before = files.Ops;
    ASSERT_EQ(in.ReadSettings(), 0);
    EXPECT_EQ(files.Ops.size(), before.size()); // reading changes nothing
    EXPECT_EQ(in.ErrorCode, 0);
    EXPECT_EQ(alarm, a);
    EXPECT_TRUE(week.AutoOpen);
    EXPECT_EQ(week.AutoReadFile, u"/w/週.orw");
    EXPECT_EQ(week.GetDayFile(0), u"");
    EXPECT_EQ(in.SavedLanguage, 1);
    EXPECT_EQ(in.OptionBits, 0x15);
    EXPECT_EQ(in.SavedViewType, 3);
    EXPECT_EQ(in.SavedSkinState, (KOrvellaEnv::SkinState{3, 0, 2, 4, -100, 1920}));
    EXPECT_EQ(in.RecentFiles, out.RecentFiles);
    EXPECT_EQ(in.RecentCount(), 3);
    EXPECT_TRUE(prompter.History.empty());

    // Writing again replaces the file without a backup or a question.
    ASSERT_TRUE(out.WriteSettings());
    EXPECT_EQ(files.Files.size(), 1u);
}

TEST_F(SettingsTest, BlockLayouts)
{
    std::vector<uint8_t> recent = KSchFileLogBlock::BuildBlock({});
    EXPECT_EQ(recent, (std::vector<uint8_t>{0x06, 0x00, 0x00, 0x00, 0x00, 0xA5}));

    KWeekSchConfig w;
    w.AutoOpen = true;
    std::vector<uint8_t> wb = KDSEnvWkOptFileBlock::BuildBlock(w);
    ASSERT_EQ(wb.size(), 34u);
    EXPECT_EQ(wb[0], 0x22);
    EXPECT_EQ(wb[1], 0x00);
    EXPECT_EQ(wb[2], 0x01);
    EXPECT_EQ(wb[3], 0x00);
    for (size_t i = 4; i < 32; ++i)
        EXPECT_EQ(wb[i], 0xAA);
    EXPECT_EQ(wb[32], 0);
    EXPECT_EQ(wb[33], 0);

    KSchAlarmConfig a = DialogConfig();
    std::vector<uint8_t> ab = KSchFileOptBlock::BuildBlock(a);
    EXPECT_EQ(ab.size(), KSchFileOptBlock::BlockLength(a));
    EXPECT_EQ(ab[0] | (ab[1] << 8), int(ab.size()));
    EXPECT_EQ(ab[2], 5); // flag word
    EXPECT_EQ(ab[4], 9); // enabled points 0 and 3
    EXPECT_EQ(ab[6], 0x55);
    EXPECT_EQ(ab[10], 4); // N
    EXPECT_EQ(ab[14], 5); // minutes of point 1
    for (size_t i = ab.size() - 32; i < ab.size(); ++i)
        EXPECT_EQ(ab[i], 0x55);

    std::vector<uint8_t> image = FullImage();
    EXPECT_EQ(std::string(image.begin(), image.begin() + 16), "_KQSCHEDULER_ENV");
    EXPECT_EQ(image[64], 1);
    EXPECT_EQ(image[65], 0x15);
    EXPECT_EQ(image[66], 3);
    EXPECT_EQ(image[68], 3);
    EXPECT_EQ(image[72], 0x9C); // top -100, little-endian
    EXPECT_EQ(image[75], 0xFF);
    EXPECT_EQ(std::vector<uint8_t>(image.end() - 8, image.end()),
              (std::vector<uint8_t>{0x00, 0x9A, 0xB6, 0x25, 0x89, 0xE6, 0xFF, 0x1A}));
}

// A damaged file is refused, but what the blocks before the damage held is kept: the alarm
// configuration behind a damaged week block, both configurations behind damaged recent files.
TEST_F(SettingsTest, DamagedFilesKeepTheBlocksBeforeTheDamage)
{
    std::vector<uint8_t> good = FullImage();
    EXPECT_EQ(ReadCode(good), 0);
    const KSchAlarmConfig goodAlarm = alarm;
    const KWeekSchConfig goodWeek = week;
    ASSERT_NE(goodAlarm, KSchAlarmConfig());
    ASSERT_TRUE(goodWeek.AutoOpen);
    alarm = KSchAlarmConfig();
    week = KWeekSchConfig();

    // The trailer is looked at before the header.
    std::vector<uint8_t> b = good;
    b[2] = 'x';
    EXPECT_EQ(ReadCode(b), 20);
    b.back() = 0;
    EXPECT_EQ(ReadCode(b), 21);

    // An alarm block whose length is one more than its contents.
    b = good;
    b[128] = uint8_t(b[128] + 1);
    EXPECT_EQ(ReadCode(b), 21);

    const size_t trailerAt = good.size() - 8;
    const std::vector<uint8_t> trailer(good.begin() + std::ptrdiff_t(trailerAt), good.end());
    const size_t weekAt = 128 + size_t(good[128] | (good[129] << 8));
    const size_t recentAt = weekAt + size_t(good[weekAt] | (good[weekAt + 1] << 8));
    ASSERT_LT(recentAt, trailerAt);

    // The third block names more files than it holds: the alarm points and the week options
    // of the two blocks before it are read all the same.
    b = good;
    b[recentAt + 4] = uint8_t(b[recentAt + 4] + 1);
    Outcome third = Read(b);
    EXPECT_EQ(third.Code, 21);
    EXPECT_EQ(third.Alarm, goodAlarm);
    EXPECT_EQ(third.Week.AutoOpen, true);
    EXPECT_EQ(third.Week.AutoReadFile, goodWeek.AutoReadFile);
    EXPECT_TRUE(third.Recent.empty());

    // A week block whose path runs into the recent files keeps the alarm block only.
    b = good;
    b[weekAt] = uint8_t(b[weekAt] + 2);
    Outcome second = Read(b);
    EXPECT_EQ(second.Code, 21);
    EXPECT_EQ(second.Alarm, goodAlarm);
    EXPECT_EQ(second.Week, KWeekSchConfig());

    // A cut file has lost its trailer.
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_NE(ReadCode(std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n))), 0) << n;
    EXPECT_EQ(alarm, KSchAlarmConfig());
    EXPECT_EQ(week, KWeekSchConfig());

    // Every cut and every flipped byte of the blocks behind a correct trailer: read whole, or
    // refused keeping exactly the configurations of the blocks wholly before the damage. Only
    // the recent files may be lost to a cut.
    const auto keptBefore = [&](const Outcome &o, size_t damageAt) {
        return o.Alarm == (damageAt >= weekAt ? goodAlarm : KSchAlarmConfig()) &&
               o.Week == (damageAt >= recentAt ? goodWeek : KWeekSchConfig()) && o.Recent.empty();
    };
    for (size_t n = 128; n < trailerAt; ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(n));
        cut.insert(cut.end(), trailer.begin(), trailer.end());
        const Outcome o = Read(cut);
        if (o.Code != 0 || n < recentAt) {
            EXPECT_NE(o.Code, 0) << "cut at " << n;
            EXPECT_TRUE(keptBefore(o, n)) << "cut at " << n;
        } else {
            EXPECT_EQ(o.Image, ImageWithRecent(good, {})) << "cut at " << n;
        }
    }
    for (size_t i = 128; i < trailerAt; ++i) {
        std::vector<uint8_t> flipped = good;
        flipped[i] = uint8_t(~flipped[i]);
        const Outcome o = Read(flipped);
        if (o.Code != 0) {
            EXPECT_TRUE(keptBefore(o, i)) << "flip at " << i;
            continue;
        }
        // What was read is what the file holds, apart from what the reader passes over: filler,
        // the unused bits of the week flag byte, and a recent-files block said to run past the end.
        std::vector<uint8_t> flagBit = good;
        flagBit[weekAt + 2] = flipped[weekAt + 2] & 1;
        EXPECT_TRUE(o.Image == flipped || o.Image == good || (i == weekAt + 2 && o.Image == flagBit) ||
                    (i >= recentAt && i < recentAt + 4 && o.Image == ImageWithRecent(good, {})))
            << "flip at " << i;
    }

    KOrvellaEnv e = Env();
    e.AlarmConfigRef = nullptr;
    files.Put(u"/s.ore", good);
    EXPECT_EQ(e.ReadSettings(u"/s.ore"), 21);
}

// A file that could not be read is copied aside before it is written over; without the copy
// nothing is written.
TEST_F(SettingsTest, DamagedFileIsKeptBesideBeforeItIsReplaced)
{
    const std::u16string path = u"/home/u/.local/share/Tolvarin/Orvella/OrvellaEnv.ore";
    const std::u16string copy = path + u".damaged";
    const std::vector<uint8_t> damaged = {'d', 'a', 'm', 'a', 'g', 'e', 'd'};
    files.Put(path, damaged);
    files.Put(copy, {'o', 'l', 'd'});
    KOrvellaEnv e = Env();
    e.KeepDamagedCopy = true;
    ASSERT_TRUE(e.WriteSettings());
    EXPECT_EQ(files.Get(copy), damaged) << "one copy, replaced each time";
    EXPECT_EQ(ReadCode(*files.Get(path)), 0);

    files.Put(path, damaged);
    files.FailAllRenames = true; // the copy cannot be put in place
    EXPECT_FALSE(e.WriteSettings());
    EXPECT_EQ(files.Get(path), damaged);
}

TEST_F(SettingsTest, MissingFileAndUnwritableFolder)
{
    KOrvellaEnv e = Env();
    EXPECT_FALSE(files.Exists(e.SettingsFilePath()));
    EXPECT_EQ(e.SettingsFilePath(), u"/home/u/.local/share/Tolvarin/Orvella/OrvellaEnv.ore");
    EXPECT_EQ(e.ReadSettings(), 21);
    EXPECT_TRUE(files.Folders.empty()); // reading creates nothing

    files.FailAllCreates = true;
    EXPECT_FALSE(e.WriteSettings());
}

TEST(AlarmConfig, PointsAndAssign)
{
    KSchAlarmConfig c(2);
    EXPECT_EQ(c.PointCount(), 2);
    EXPECT_EQ(c.GetMinutes(0), -1);
    EXPECT_EQ(c.GetMinutes(2), -1);
    c.SetMinutes(1, 5);
    c.SetMinutes(7, 9);
    c.SetPointOn(15, true);
    c.SetPointOn(16, true);
    EXPECT_TRUE(c.IsPointOn(15));
    EXPECT_FALSE(c.IsPointOn(16));
    EXPECT_EQ(c.EnabledPoints, 0x8000);
    c.SetPointCount(2);
    EXPECT_EQ(c.GetMinutes(1), 5); // same count keeps the points
    c.SetPointCount(3);
    EXPECT_EQ(c.GetMinutes(1), -1);
    KSchAlarmConfig d = DialogConfig();
    c.Assign(d);
    EXPECT_EQ(c, d);
    c.Assign(c);
    EXPECT_EQ(c, d);
}
