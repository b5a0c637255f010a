// A week of one-second ticks over a real week file: every armed point must ring in its
// exact minute, once, and the alarm must not take memory as the weeks go by.
#include "AlarmRig.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace fs = std::filesystem;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasureHeap = false; // the sanitizer's allocator keeps freed blocks
#elif defined(__GLIBC__)
constexpr bool kMeasureHeap = true;
#else
constexpr bool kMeasureHeap = false;
#endif

size_t HeapInUse()
{
#if defined(__GLIBC__)
    return mallinfo2().uordblks;
#else
    return 0;
#endif
}

// Consecutive frames from 00:00 with the given lengths in minutes; the last one is cut or
// stretched so the day ends at 24:00 exactly.
KDaySchedule DayOf(const std::vector<int> &lengths, const std::u16string &name)
{
    KDaySchedule day;
    int start = 0;
    for (size_t i = 0; i < lengths.size() && start < 1440 && day.GetCount() < day.Capacity(); ++i) {
        int len = lengths[i];
        if (start + len > 1440 || i + 1 == lengths.size() || day.GetCount() + 1 == day.Capacity())
            len = 1440 - start;
        day.AppendFrame(KScheduleFrame(KSchTime::MakeTime(uint8_t(start / 60), uint8_t(start % 60), 0),
                                       KSchTime::MakeTime(uint8_t(len / 60), uint8_t(len % 60), 0),
                                       name + u" " + std::u16string(1, char16_t(u'A' + i % 26)), 0xFFFFFF,
                                       u""));
        start += len;
    }
    return day;
}

std::vector<int> Cycle(std::vector<int> pattern, int total)
{
    std::vector<int> out;
    int sum = 0;
    for (size_t i = 0; sum < total; ++i) {
        out.push_back(pattern[i % pattern.size()]);
        sum += out.back();
    }
    return out;
}

// Sound that only counts, so the test itself does not take memory while it runs.
struct CountingSound : KSound {
    int64_t Plays = 0;
    bool PlayResource(const std::u16string &) override { return ++Plays, true; }
    void StopResources() override {}
    bool ResourcePlaying() const override { return false; }
    std::unique_ptr<KSoundFilePlayer> CreateFilePlayer() override { return nullptr; }
};

struct Firing {
    int64_t Second; // seconds since the start of the week
    int32_t Minutes;
};

struct FiringLog : KSchAlarmNotifier {
    std::vector<Firing> Log;
    const KSchAlarm *Alarm = nullptr;
    int64_t Now = 0;
    bool Recording = true;
    int64_t SecondWeek = 0; // alarms after the first week, counted only
    void ShowAlarmPopup(const KSchAlarmPopupInfo &) override
    {
        if (Recording)
            Log.push_back({Now, Alarm->FiredMinutes});
        else
            ++SecondWeek;
    }
    void ShowAlarmError(int, int) override {}
};

class TempFolder {
public:
    TempFolder() : path(fs::temp_directory_path() / ("orvella-soak-" + std::to_string(::getpid())))
    {
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
    fs::path path;
};

} // namespace

TEST(AlarmSoak, AWeekOfTicksRingsEveryArmedPointInItsMinuteOnce)
{
    // --- a real week file and its seven day files --------------------------------------
    std::vector<KDaySchedule> designed;
    designed.push_back(DayOf(std::vector<int>(24, 60), u"Hour"));
    designed.push_back(DayOf(Cycle({1, 5, 6, 10, 11, 7, 8, 15, 45, 90, 2}, 1440), u"Mixed"));
    designed.push_back(DayOf({1440}, u"Free"));
    designed.push_back(DayOf(Cycle({30}, 1440), u"Half"));
    designed.push_back(DayOf(Cycle({29}, 1440), u"Full")); // 50 frames, the capacity
    designed.push_back(DayOf(Cycle({13, 17, 23, 4, 59, 61, 3}, 1440), u"Odd"));
    designed.push_back(DayOf({0, 480, 0, 540, 420}, u"Work")); // empty frames in between

    TempFolder tmp;
    auto files = std::make_unique<KStdFileSystem>();
    KFakePrompter prompter;
    KWeekSchConfig week;
    for (int d = 0; d < 7; ++d) {
        const fs::path dayPath = tmp.path / ("day" + std::to_string(d) + ".ors");
        KScheduleFile out(*files, prompter);
        out.SetFileName(dayPath.u16string());
        out.WriteSchedule(designed[size_t(d)]);
        ASSERT_EQ(out.ErrorCode, 0) << "day " << d;
        week.SetDayFile(d, dayPath.u16string());
    }
    const std::u16string weekPath = (tmp.path / "week.orw").u16string();
    KWeekSchFile weekOut(*files, prompter);
    weekOut.SetFileName(weekPath);
    weekOut.WriteWeekSchedule(week);
    ASSERT_EQ(weekOut.ErrorCode, 0);

    KWeekSchFile weekIn(*files, prompter);
    weekIn.SetFileName(weekPath);
    ASSERT_NE(weekIn.ReadWeekSchedule(), nullptr);
    std::vector<KDaySchedule> days;
    for (int d = 0; d < 7; ++d) {
        KScheduleFile in(*files, prompter);
        in.SetFileName(weekIn.Config->GetDayFile(d));
        ASSERT_NE(in.ReadSchedule(), nullptr) << "day " << d;
        days.push_back(*in.Schedule);
    }
    // The file system flushes written files on a thread of its own, whose allocations count in
    // the heap measured below whenever that thread gets to run (late, on a loaded machine): it
    // is gone, its thread joined, before the first tick.
    files.reset();

    // --- the alarm: end, 5 and 10 minutes before, and the user's 7 -----------------------
    AlarmRig rig;
    CountingSound sound;
    FiringLog log;
    log.Alarm = &rig.Alarm;
    rig.Alarm.SetSound(&sound);
    rig.Alarm.SetNotifier(&log);
    rig.Config.SetMinutes(3, 7);
    rig.TurnOn({0, 1, 2, 3});

    // Where every point must ring: a point rings in the frame it watches when the frame is
    // longer than its lead, at the first second of the minute its lead before the end. The
    // first tick, at midnight, rings the end of the frame that ends there, as the first
    // day's schedule shows the day before.
    std::map<int64_t, int32_t> expected; // second of the week -> minutes of the point
    for (int d = -1; d < 7; ++d) {
        const KDaySchedule &day = days[size_t(std::max(d, 0))];
        for (int32_t i = 0; i < day.GetCount(); ++i) {
            const KScheduleFrame &f = *day.GetFrame(i);
            const int64_t end = d * 86400 + f.StartTime.TotalSeconds() + f.Duration.TotalSeconds();
            for (int32_t m : {0, 5, 10, 7})
                if (int64_t(m) * 60 < f.Duration.TotalSeconds() && end - m * 60 >= 0 &&
                    end - m * 60 < 7 * 86400)
                    expected[end - m * 60] = m;
        }
    }
    log.Log.reserve(expected.size() + 1000);

    // --- one tick per second for two weeks; each midnight opens that day's file ---------
    // The first week is checked second by second. The second week repeats it and must not
    // leave the heap bigger than the first week did: both end in the same state, so only a
    // leak grows it, while the allocator's own noise (freed blocks it keeps cached, a few
    // kilobytes) is the same at both ends. A leak of even a byte a tick or a few bytes an
    // alarm is far above the margin.
    constexpr size_t HeapMargin = 16 * 1024;
    size_t heapAfterFirstWeek = 0;
    for (int d = 0; d < 14; ++d) {
        rig.Schedule.AssignSchedule(days[size_t(d % 7)]);
        rig.ResetPending = true;
        log.Recording = d < 7;
        for (int64_t s = 0; s < 86400; ++s) {
            log.Now = d * 86400 + s;
            rig.Tick(KSchTime{uint8_t(s / 3600), uint8_t(s / 60 % 60), uint8_t(s % 60)});
        }
        if (d == 6)
            heapAfterFirstWeek = HeapInUse();
    }

    if (kMeasureHeap) {
        EXPECT_LE(HeapInUse(), heapAfterFirstWeek + HeapMargin)
            << "the alarm took memory as the weeks went on";
    }
    // Each midnight opens a file afresh, so the second week rings what the first did.
    EXPECT_EQ(log.SecondWeek, int64_t(log.Log.size()));

    std::map<int64_t, int32_t> fired;
    for (const Firing &f : log.Log) {
        EXPECT_EQ(f.Second % 60, 0) << "an alarm rang late, at second " << f.Second;
        EXPECT_TRUE(fired.emplace(f.Second, f.Minutes).second) << "two alarms at second " << f.Second;
    }
    EXPECT_EQ(fired.size(), log.Log.size());
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(sound.Plays, int64_t(log.Log.size()) + log.SecondWeek);
    EXPECT_EQ(rig.Alarm.JumpRecoveries, 0);
}
