// Prepares a profile in which the planner rings an alarm within two minutes of its start:
// a schedule file whose frame ends at the next whole minute (and 1 more), and a settings
// file with that schedule as the most recent file and the end alarm on (sound and popup,
// "Chime_1"). Used by scripts/alarm-sound-check.sh.
// Usage: orvella_alarm_check_setup <data folder (XDG_DATA_HOME)> <schedule file>
#include "alarm/core/KSchAlarmConfig.h"
#include "platform/core/KClock.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "week/core/KWeekSchConfig.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <data folder> <schedule file>\n", argv[0]);
        return 2;
    }
    KStdFileSystem files;
    // Nothing here asks the user anything; a question is answered with Yes.
    KFakePrompter prompter;
    prompter.DefaultAnswer = KMsgAnswer::Yes;
    const std::u16string schedulePath = KStdFileSystem::TextOf(argv[2]);

    // The frame began a minute ago and ends at the minute after the next one.
    const KSchTime now = KSystemClock().Now().Time;
    const int minute = now.Hour * 60 + now.Minute;
    const int start = (minute + 1440 - 1) % 1440;
    const int length = 3;
    KDaySchedule schedule;
    schedule.AppendFrame(KScheduleFrame(KSchTime::MakeTime(uint8_t(start / 60), uint8_t(start % 60), 0),
                                        KSchTime::MakeTime(0, uint8_t(length), 0), u"アラーム確認", 0x80C0FF,
                                        u""));
    const int rest = (start + length) % 1440;
    schedule.AppendFrame(
        KScheduleFrame(KSchTime::MakeTime(uint8_t(rest / 60), uint8_t(rest % 60), 0),
                       KSchTime::MakeTime(uint8_t((1440 - length) / 60), uint8_t((1440 - length) % 60), 0),
                       u"自由", 0xFFFFFF, u""));
    KScheduleFile out(files, prompter);
    out.SetFileName(schedulePath);
    out.WriteFlags = 0;
    out.WriteSchedule(schedule);
    if (out.ErrorCode != 0) {
        std::fprintf(stderr, "cannot write %s (message %d)\n", argv[2], int(out.ErrorCode));
        return 1;
    }

    KSchAlarmConfig alarm(4);
    const int minutes[4] = {0, 5, 10, -1};
    for (int i = 0; i < 4; ++i) {
        alarm.SetMinutes(i, minutes[i]);
        alarm.SetSoundName(i, u"Chime_1");
    }
    alarm.SetPointOn(0, true);
    alarm.AlarmTypes = KSchAlarmConfig::SoundAlarm | KSchAlarmConfig::PopupAlarm;
    KWeekSchConfig week;
    KFakeAppDataFolder folder(KStdFileSystem::TextOf(argv[1]));
    KOrvellaEnv env(files, prompter, folder);
    env.AlarmConfigRef = &alarm;
    env.WeekConfigRef = &week;
    env.OptionBits = 0;
    env.RecentFiles.push_back(schedulePath);
    if (!env.WriteSettings()) {
        std::fprintf(stderr, "cannot write the settings file\n");
        return 1;
    }
    const int end = (start + length) % 1440;
    std::printf("end alarm due at %02d:%02d:00\n", end / 60, end % 60);
    return 0;
}
