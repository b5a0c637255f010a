// Writes a few valid files of each kind, the starting corpus of the fuzz targets:
//   fuzz_seeds <folder>   ->  <folder>/schedule/*, <folder>/week/*, <folder>/settings/*, <folder>/ical/*
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KICalExport.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path Root;

void Save(const char *kind, const char *name, const std::vector<uint8_t> &bytes)
{
    std::filesystem::create_directories(Root / kind);
    std::ofstream out(Root / kind / name, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

KScheduleFrame Frame(uint8_t h, uint8_t m, uint8_t dh, uint8_t dm, const std::u16string &item, uint32_t color,
                     const std::u16string &memo = u"")
{
    return KScheduleFrame(KSchTime{h, m, 0}, KSchTime{dh, dm, 0}, item, color, memo);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    Root = argv[1];

    KDaySchedule one;
    one.SetDefaultFrame(0);
    Save("schedule", "one-frame.ors", KScheduleFile::BuildImage(one, u""));

    KDaySchedule day;
    day.AppendFrame(Frame(0, 0, 7, 0, u"睡眠", 0x804000));
    day.AppendFrame(Frame(7, 0, 1, 30, u"朝食", 0x00FFFF, u"パンとコーヒー"));
    day.AppendFrame(Frame(8, 30, 9, 0, u"仕事", 0xFF0000, u"meeting at 10"));
    day.AppendFrame(Frame(17, 30, 6, 30, u"自由", 0xFFFFFF));
    Save("schedule", "weekday.ors", KScheduleFile::BuildImage(day, u"平日のスケジュール"));

    KDaySchedule late;
    late.AppendFrame(Frame(24, 0, 24, 0, u"Free", 0x00FF00, u"starts at 24:00"));
    Save("schedule", "start-24.ors", KScheduleFile::BuildImage(late, std::u16string(64, u'T')));

    KDaySchedule full;
    for (int i = 0; i < 50; ++i)
        full.AppendFrame(Frame(uint8_t(i / 2), uint8_t(i % 2 * 30), 0, 30,
                               std::u16string(72, char16_t(u'a' + i % 26)), uint32_t(i * 0x050505),
                               std::u16string(i * 5, u'm')));
    Save("schedule", "fifty.ors", KScheduleFile::BuildImage(full, u"full"));

    // Calendars as the planner exports them; hand-written ones from other programs are
    // committed next to these.
    KICalExport::Options ics;
    ics.Date = KCivilDate{2024, 3, 12};
    ics.Stamp = "20240301T000000Z";
    for (const auto &[name, schedule] : {std::pair{"weekday.ics", &day}, std::pair{"fifty.ics", &full}}) {
        const std::string text = KICalExport::ExportDay(u"seed", *schedule, ics);
        Save("ical", name, std::vector<uint8_t>(text.begin(), text.end()));
    }

    KWeekSchConfig week;
    Save("week", "empty.orw", KWeekSchFile::BuildImage(week));
    week.SetDayFile(1, u"C:\\a.ors");
    Save("week", "monday.orw", KWeekSchFile::BuildImage(week));
    for (int d = 0; d < 7; ++d)
        week.SetDayFile(d, u"/home/user/plans/day" + std::u16string(1, char16_t(u'0' + d)) + u".ors");
    Save("week", "all-days.orw", KWeekSchFile::BuildImage(week));

    KFakeFileSystem files;
    KFakePrompter prompter;
    KFakeAppDataFolder appData;
    KSchAlarmConfig alarm;
    KWeekSchConfig weekOpts;
    KOrvellaEnv env(files, prompter, appData);
    env.AlarmConfigRef = &alarm;
    env.WeekConfigRef = &weekOpts;
    Save("settings", "defaults.ore", env.BuildImage());

    alarm.SetPointCount(4);
    const int minutes[4] = {0, 5, 10, 15};
    for (int i = 0; i < 4; ++i) {
        alarm.SetMinutes(i, minutes[i]);
        alarm.SetPointOn(i, true);
        alarm.SetSoundName(i, u"CHIME" + std::u16string(1, char16_t(u'1' + i)));
        alarm.SetSource(i, i == 3 ? 1 : 0);
    }
    alarm.SetSoundFile(3, u"/home/user/ring.mp3");
    alarm.AlarmTypes = KSchAlarmConfig::SoundAlarm | KSchAlarmConfig::PopupAlarm;
    alarm.SpareText2 = u"two";
    alarm.SpareTexts[0] = u"extra";
    weekOpts.AutoOpen = true;
    weekOpts.AutoReadFile = u"/home/user/plans/week.orw";
    env.OptionBits = 0x1F;
    env.SavedViewType = 2;
    env.SavedSkinState = {3, 0, 1, 2, -20, 640};
    env.RecentFiles = {u"/home/user/plans/a.ors", u"/home/user/plans/週.orw"};
    Save("settings", "full.ore", env.BuildImage());
    return 0;
}
