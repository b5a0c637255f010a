// Prepares a profile in which the planner starts in the week view of a week schedule: seven
// day files (work days, a study evening, a weekend), the week file naming them, and a settings
// file with the week file as the most recent file, "start with the last view" on and the week
// view as the last view. Used by scripts/idle-cpu.sh and for looking at the view.
// Usage: orvella_week_view_setup <data folder (XDG_DATA_HOME)> <folder for the schedule files>
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {
struct Slot {
    int Start, Length; // minutes
    const char16_t *Item;
    uint32_t Color;
};

KDaySchedule Day(std::initializer_list<Slot> slots)
{
    KDaySchedule day;
    for (const Slot &s : slots)
        day.AppendFrame(KScheduleFrame(KSchTime::MakeTime(uint8_t(s.Start / 60), uint8_t(s.Start % 60), 0),
                                       KSchTime::MakeTime(uint8_t(s.Length / 60), uint8_t(s.Length % 60), 0),
                                       s.Item, s.Color, u""));
    return day;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <data folder> <folder for the schedule files>\n", argv[0]);
        return 2;
    }
    KStdFileSystem files;
    // Nothing here asks the user anything; a question is answered with Yes.
    KFakePrompter prompter;
    prompter.DefaultAnswer = KMsgAnswer::Yes;
    const std::u16string folder = KStdFileSystem::TextOf(argv[2]) + u"/";
    files.CreateFolders(folder);

    const KDaySchedule work = Day({{0, 420, u"就寝", 0xC0C0C0},
                                   {420, 60, u"朝食", 0x00FF00},
                                   {480, 30, u"散歩", 0xC0DCC0},
                                   {510, 210, u"仕事", 0xFF0000},
                                   {720, 60, u"昼食", 0x00FF00},
                                   {780, 330, u"仕事", 0xFF0000},
                                   {1110, 60, u"夕食", 0x00FF00},
                                   {1170, 150, u"自由", 0xFFFFFF},
                                   {1320, 120, u"就寝", 0xC0C0C0}});
    const KDaySchedule study = Day({{0, 420, u"就寝", 0xC0C0C0},
                                    {420, 60, u"朝食", 0x00FF00},
                                    {480, 240, u"仕事", 0xFF0000},
                                    {720, 60, u"昼食", 0x00FF00},
                                    {780, 300, u"仕事", 0xFF0000},
                                    {1080, 60, u"夕食", 0x00FF00},
                                    {1140, 120, u"勉強", 0x008000},
                                    {1260, 60, u"休憩", 0xFFFF00},
                                    {1320, 120, u"就寝", 0xC0C0C0}});
    const KDaySchedule weekend = Day({{0, 540, u"就寝", 0xC0C0C0},
                                      {540, 60, u"朝食", 0x00FF00},
                                      {600, 120, u"運動", 0xFF00FF},
                                      {720, 60, u"昼食", 0x00FF00},
                                      {780, 300, u"自由", 0xFFFFFF},
                                      {1080, 60, u"夕食", 0x00FF00},
                                      {1140, 180, u"自由", 0xFFFFFF},
                                      {1320, 120, u"就寝", 0xC0C0C0}});
    const struct {
        const char16_t *Name;
        const KDaySchedule *Day;
        const char16_t *Title;
    } days[7] = {{u"sunday.ors", &weekend, u"日曜日"},  {u"monday.ors", &work, u"月曜日"},
                 {u"tuesday.ors", &study, u"火曜日"},   {u"wednesday.ors", &work, u"水曜日"},
                 {u"thursday.ors", &study, u"木曜日"},  {u"friday.ors", &work, u"金曜日"},
                 {u"saturday.ors", &weekend, u"土曜日"}};
    KWeekSchConfig week;
    for (int d = 0; d < 7; ++d) {
        KScheduleFile out(files, prompter);
        out.SetFileName(folder + days[d].Name);
        out.SetTitle(days[d].Title);
        out.WriteFlags = 0;
        out.WriteSchedule(*days[d].Day);
        if (out.ErrorCode != 0) {
            std::fprintf(stderr, "cannot write day %d (message %d)\n", d, int(out.ErrorCode));
            return 1;
        }
        week.SetDayFile(d, folder + days[d].Name);
    }
    const std::u16string weekPath = folder + u"week.orw";
    KWeekSchFile weekFile(files, prompter);
    weekFile.SetFileName(weekPath);
    weekFile.WriteFlags = 0;
    weekFile.WriteWeekSchedule(week);
    if (weekFile.ErrorCode != 0) {
        std::fprintf(stderr, "cannot write the week file (message %d)\n", int(weekFile.ErrorCode));
        return 1;
    }

    KSchAlarmConfig alarm;
    KWeekSchConfig options;
    KFakeAppDataFolder data(KStdFileSystem::TextOf(argv[1]));
    KOrvellaEnv env(files, prompter, data);
    env.AlarmConfigRef = &alarm;
    env.WeekConfigRef = &options;
    env.OptionBits = KOrvellaEnv::OptCurTimeMark | KOrvellaEnv::OptStartWithLastView;
    env.SavedViewType = 5; // the week view
    env.RecentFiles.push_back(weekPath);
    if (!env.WriteSettings()) {
        std::fprintf(stderr, "cannot write the settings file\n");
        return 1;
    }
    return 0;
}
