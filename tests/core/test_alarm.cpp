#include "AlarmRig.h"
#include "model/KMessageCatalog.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

TEST(AlarmTiming, EveryPointFiresOnceAtTheFirstTickOfItsMinuteThenTheNextFrameIsWatched)
{
    AlarmRig rig;
    rig.Add(8, 0, 60, u"Early");
    rig.Add(9, 0, 60, u"Work");
    rig.Add(10, 0, 120, u"Lunch");
    rig.TurnOn({0, 1, 2, 3});
    rig.Run(T(9, 30), T(10, 0, 30));

    EXPECT_EQ(rig.Fired(), (Strings{"09:45:00 15", "09:50:00 10", "09:55:00 5", "10:00:00 0"}));
    // One chime per alarm.
    EXPECT_EQ(rig.Sound.Played.size(), 4u);
    // The end alarm shows the frame that has just begun as the next one; a before alarm
    // shows the frame after the current one.
    ASSERT_EQ(rig.Notifier.Popups.size(), 4u);
    EXPECT_EQ(rig.Notifier.Popups[2].Info.EndingFrame.ItemName, u"Work");
    EXPECT_EQ(rig.Notifier.Popups[2].Info.NextFrame->ItemName, u"Lunch");
    EXPECT_EQ(rig.Notifier.Popups[3].Info.NextFrame->ItemName, u"Lunch");
    // Now watching Lunch (10:00-12:00), with all four points armed again.
    EXPECT_EQ(rig.Alarm.WatchedIndex(), 2);
    EXPECT_EQ(rig.Alarm.EndTime, T(12, 0));
    EXPECT_EQ(rig.Alarm.Armed, (std::vector<int32_t>{0, 5, 10, 15}));
    rig.Run(T(11, 44, 58), T(11, 45, 1));
    EXPECT_EQ(rig.Fired().back(), "11:45:00 15");
}

TEST(AlarmTiming, APointIsArmedOnlyWhenTheFrameIsLongerThanItsLead)
{
    AlarmRig rig;
    rig.Add(9, 52, 8, u"Short");
    rig.Add(10, 0, 10, u"Ten");
    rig.Add(10, 10, 0, u"Zero");
    rig.TurnOn({0, 1, 2, 3});

    rig.Run(T(9, 52), T(10, 0, 5));
    EXPECT_EQ(rig.Fired(), (Strings{"09:55:00 5", "10:00:00 0"}));

    // The ten-minute frame arms the end and the five-minute point only.
    EXPECT_EQ(rig.Alarm.Armed, (std::vector<int32_t>{0, 5, -1, -1}));
    // A frame of no length never holds the time: after Ten nothing is watched.
    rig.Run(T(10, 0, 6), T(10, 10, 1));
    EXPECT_EQ(rig.Alarm.WatchedIndex(), KSchAlarm::NoFrame);
    EXPECT_EQ(rig.Alarm.Armed, (std::vector<int32_t>{-1, -1, -1, -1}));
}

TEST(AlarmTiming, StartedLateOnlyTheClosestDuePointFiresWithTheRealLead)
{
    AlarmRig rig;
    rig.Add(9, 0, 60, u"Work");
    rig.Add(10, 0, 60, u"Next");
    rig.TurnOn({0, 1, 2});
    rig.Run(T(9, 57), T(10, 0, 2));
    EXPECT_EQ(rig.Fired(), (Strings{"09:57:00 3", "10:00:00 0"}));
    EXPECT_EQ(rig.Notifier.Popups[0].FiredPoint, 1);
}

TEST(AlarmTiming, AClockGoingBackReArmsNothing)
{
    AlarmRig rig;
    rig.Add(9, 0, 60, u"Work");
    rig.Add(10, 0, 60, u"Next");
    rig.TurnOn({0, 1, 2});
    rig.Run(T(9, 45), T(9, 45, 5)); // armed, nothing due yet
    rig.Run(T(9, 55), T(9, 55, 5)); // the 5-minute point fires, the 10-minute one is dropped
    rig.Run(T(9, 40), T(9, 59, 59));
    EXPECT_EQ(rig.Fired(), (Strings{"09:55:00 5"}));
    rig.Tick(10, 0, 0);
    EXPECT_EQ(rig.Fired().back(), "10:00:00 0");
}

TEST(AlarmTiming, AFrameAcrossMidnightCountsTheTimeLeftOverMidnight)
{
    AlarmRig rig;
    rig.Add(0, 10, 60, u"Morning");
    rig.Add(23, 50, 20, u"Night");
    rig.TurnOn({1, 3});
    rig.Run(T(23, 50), T(23, 55));
    EXPECT_EQ(rig.Alarm.Remaining, T(0, 15));
    rig.Run(T(23, 55, 1), T(23, 59, 59));
    rig.Run(T(0, 0), T(0, 6));
    EXPECT_EQ(rig.Fired(), (Strings{"23:55:00 15", "00:05:00 5"}));
}

TEST(AlarmTiming, SwitchesAndTypesDecideWhatHappens)
{
    {
        SCOPED_TRACE("all types off: nothing fires");
        AlarmRig rig;
        rig.Add(9, 0, 60, u"Work");
        rig.Add(10, 0, 60, u"Next");
        rig.Config.AlarmTypes = 0;
        rig.TurnOn({0, 1});
        rig.Alarm.Enabled = false;
        rig.Run(T(9, 54), T(10, 1));
        EXPECT_TRUE(rig.Fired().empty());
    }
    {
        SCOPED_TRACE("popup only: no sound, and the end still moves to the next frame");
        AlarmRig rig;
        rig.Add(9, 0, 60, u"Work");
        rig.Add(10, 0, 60, u"Next");
        rig.Config.AlarmTypes = KSchAlarmConfig::PopupAlarm;
        rig.TurnOn({0});
        rig.Run(T(9, 59), T(10, 0, 1));
        EXPECT_EQ(rig.Fired(), (Strings{"10:00:00 0"}));
        EXPECT_TRUE(rig.Sound.Requests.empty());
        EXPECT_EQ(rig.Alarm.WatchedIndex(), 1);
    }
    {
        SCOPED_TRACE("sound only: a chime and no popup");
        AlarmRig rig;
        rig.Add(9, 0, 60, u"Work");
        rig.Config.AlarmTypes = KSchAlarmConfig::SoundAlarm;
        rig.TurnOn({1});
        rig.Run(T(9, 54, 59), T(9, 55, 0));
        EXPECT_TRUE(rig.Notifier.Popups.empty());
        EXPECT_EQ(rig.Sound.Played.size(), 1u);
    }
    {
        SCOPED_TRACE("end point off: the next frame is still watched when the first ends");
        AlarmRig rig;
        rig.Add(9, 0, 60, u"Work");
        rig.Add(10, 0, 840, u"Rest");
        rig.TurnOn({1});
        rig.Run(T(9, 50), T(23, 59, 59));
        EXPECT_EQ(rig.Fired(), (Strings{"09:55:00 5", "23:55:00 5"}));
        EXPECT_EQ(rig.Alarm.WatchedIndex(), 1);
    }
    {
        SCOPED_TRACE("a configuration without points arms nothing");
        AlarmRig rig;
        rig.Config = KSchAlarmConfig();
        rig.Config.AlarmTypes = KSchAlarmConfig::PopupAlarm;
        rig.Add(9, 0, 60, u"Work");
        rig.Alarm.Prepare();
        rig.Alarm.Enabled = true;
        rig.Run(T(9, 59), T(10, 0, 1));
        EXPECT_TRUE(rig.Alarm.Armed.empty());
        EXPECT_TRUE(rig.Fired().empty());
    }
}

TEST(AlarmTiming, ASecondCheckWithinTheSameSecondDoesNothing)
{
    AlarmRig rig;
    rig.Add(9, 0, 60, u"Work");
    rig.TurnOn({1});
    rig.Alarm.Enabled = false;
    rig.Tick(9, 55, 0); // seen while off
    rig.Alarm.Enabled = true;
    rig.Tick(9, 55, 0);
    EXPECT_TRUE(rig.Fired().empty());
    rig.Tick(9, 55, 1);
    EXPECT_EQ(rig.Fired(), (Strings{"09:55:01 5"}));
}

TEST(AlarmTiming, AJumpForwardPastTheEndWatchesTheFrameThatHoldsTheTimeWithoutStaleAlarms)
{
    {
        SCOPED_TRACE("resumed in the middle of the next frame");
        AlarmRig rig;
        rig.Add(9, 0, 60, u"Work");
        rig.Add(10, 0, 60, u"Next");
        rig.Add(11, 0, 60, u"Later");
        rig.TurnOn({0, 1, 2});
        rig.Run(T(9, 30), T(9, 30, 5));
        rig.Run(T(10, 20), T(10, 55, 0));
        EXPECT_EQ(rig.Alarm.JumpRecoveries, 1);
        EXPECT_EQ(rig.Fired(), (Strings{"10:50:00 10", "10:55:00 5"}));
        rig.Run(T(10, 55, 1), T(11, 0, 0));
        EXPECT_EQ(rig.Fired().back(), "11:00:00 0");
        EXPECT_EQ(rig.Notifier.Popups.back().Info.EndingFrame.ItemName, u"Next");
    }
    {
        SCOPED_TRACE("resumed three minutes before the next frame's end: one alarm, not a burst");
        AlarmRig rig;
        rig.Add(9, 0, 60, u"Work");
        rig.Add(10, 0, 60, u"Next");
        rig.TurnOn({0, 1, 2});
        rig.Run(T(9, 30), T(9, 30, 5));
        rig.Run(T(10, 57), T(10, 57, 5));
        EXPECT_EQ(rig.Fired(), (Strings{"10:57:00 3"}));
        EXPECT_EQ(rig.Notifier.Popups[0].Info.EndingFrame.ItemName, u"Next");
    }
    {
        SCOPED_TRACE("a long jump inside the frame rings its closest due point once");
        AlarmRig rig;
        rig.Add(9, 0, 60, u"Work");
        rig.TurnOn({0, 1, 2});
        rig.Run(T(9, 10), T(9, 10, 5));
        rig.Run(T(9, 52), T(9, 52, 1));
        EXPECT_EQ(rig.Alarm.JumpRecoveries, 1);
        EXPECT_EQ(rig.Fired(), (Strings{"09:52:00 8"}));
    }
    {
        SCOPED_TRACE("asleep from evening to morning: more than half a day, told by the real time");
        AlarmRig rig;
        rig.Add(0, 0, 1080, u"Day");
        rig.Add(18, 0, 60, u"Evening");
        rig.Add(19, 0, 300, u"Night");
        rig.TurnOn({0, 1});
        const int64_t evening = 1'800'000'000;
        rig.Tick(T(18, 10), evening);
        rig.Tick(T(18, 10, 1), evening + 1);
        const int64_t morning = evening + 14 * 3600;
        rig.Tick(T(8, 10), morning);
        EXPECT_EQ(rig.Alarm.JumpRecoveries, 1);
        EXPECT_EQ(rig.Alarm.FrameCopy.ItemName, u"Day");
        // Without the real time, fourteen hours forward reads as ten hours back.
        AlarmRig blind;
        blind.Add(0, 0, 1080, u"Day");
        blind.Add(18, 0, 60, u"Evening");
        blind.TurnOn({0, 1});
        blind.Run(T(18, 10), T(18, 10, 1));
        blind.Tick(8, 10, 0);
        EXPECT_EQ(blind.Alarm.JumpRecoveries, 0);
        EXPECT_TRUE(rig.Fired().empty());
    }
    {
        SCOPED_TRACE("a tick a few seconds late inside the end minute still rings the end");
        AlarmRig rig;
        rig.Add(9, 0, 60, u"Work");
        rig.Add(10, 0, 60, u"Next");
        rig.TurnOn({0});
        rig.Run(T(9, 59, 0), T(9, 59, 1));
        rig.Tick(10, 0, 50);
        EXPECT_EQ(rig.Fired(), (Strings{"10:00:50 0"}));
        EXPECT_EQ(rig.Alarm.JumpRecoveries, 0);
    }
}

TEST(AlarmTiming, AWholeDayFrameRingsItsEndOnceAtMidnight)
{
    AlarmRig rig;
    rig.Add(0, 0, 1440, u"Free");
    rig.TurnOn({0, 1});
    rig.Run(T(23, 54, 59), T(23, 59, 59));
    rig.Run(T(0, 0), T(0, 1));
    EXPECT_EQ(rig.Fired(), (Strings{"23:55:00 5", "00:00:00 0"}));
    // Started inside the first minute: the end of the day before rings, in its minute, once.
    AlarmRig late;
    late.Add(0, 0, 1440, u"Free");
    late.TurnOn({0});
    late.Run(T(0, 0, 30), T(0, 2));
    EXPECT_EQ(late.Fired(), (Strings{"00:00:30 0"}));
}

TEST(AlarmTiming, ReplacingTheScheduleNeverLeavesTheAlarmOnAStaleFrame)
{
    AlarmRig rig;
    for (int h = 0; h < 24; ++h)
        rig.Add(h, 0, 60, u"Hour");
    rig.TurnOn({0, 1});
    rig.Run(T(20, 10), T(20, 10, 1));
    ASSERT_EQ(rig.Alarm.WatchedIndex(), 20);

    KDaySchedule small(3);
    small.AppendFrame(KScheduleFrame(T(0, 0), T(24, 0), u"Free", 0xFFFFFF, u""));
    rig.Schedule.AssignSchedule(small);
    // Even untold, the next check watches the new schedule; the old frame's end never rings.
    rig.Run(T(20, 10, 2), T(21, 0, 5));
    EXPECT_EQ(rig.Alarm.FrameCopy.ItemName, u"Free");
    EXPECT_TRUE(rig.Fired().empty());
}

TEST(AlarmSound, BuiltInSoundsAndTheirFallback)
{
    AlarmRig rig;
    rig.Config.SetSoundName(0, u"SchoolChime");
    rig.Config.SetSoundName(1, u"");
    rig.Config.SetSoundName(2, u"NoSuchBell");
    rig.Alarm.PlayPointSound(0);
    rig.Alarm.PlayPointSound(1);
    rig.Alarm.PlayPointSound(2);
    rig.Alarm.PlayPointSound(-1);
    EXPECT_EQ(rig.Sound.Played,
              (std::vector<std::u16string>{u"SchoolChime", u"Chime_1", u"Chime_1", u"Chime_1"}));
    // Every play first stops what is playing.
    EXPECT_EQ(rig.Sound.Stops, 4);
    EXPECT_TRUE(rig.Notifier.Errors.empty());
}

TEST(AlarmSound, SoundFilesAndTheirFailures)
{
    AlarmRig rig;
    for (int i = 0; i < 4; ++i) {
        rig.Config.SetSource(i, 1);
        rig.Config.SetSoundName(i, u"AlarmBell");
    }
    rig.Config.SetSoundFile(0, u"/music/bell.mp3");
    rig.Config.SetSoundFile(1, u"/music/gone.wav");
    rig.Config.SetSoundFile(2, u"/music/broken.mp3");
    rig.Files.Put(u"/music/bell.mp3", {1, 2, 3});
    rig.Files.Put(u"/music/broken.mp3", {0});

    rig.Alarm.PlayPointSound(0);
    EXPECT_EQ(rig.FakePlayer().Plays, (std::vector<std::u16string>{u"/music/bell.mp3"}));
    EXPECT_TRUE(rig.FakePlayer().IsPlaying());
    EXPECT_TRUE(rig.Sound.Played.empty());
    rig.Alarm.StopSound();
    EXPECT_FALSE(rig.FakePlayer().IsPlaying());

    // A missing file: message 31, and the point's built-in sound rings instead.
    rig.Alarm.PlayPointSound(1);
    EXPECT_EQ(rig.Notifier.Errors, (std::vector<int>{KMessageCatalog::AlarmFileMissing}));
    EXPECT_EQ(rig.Sound.Played, (std::vector<std::u16string>{u"AlarmBell"}));

    // A file the player refuses at once, and one that fails while decoding: message 32.
    rig.FakePlayer().RefuseOpen = true;
    rig.Alarm.PlayPointSound(2);
    rig.FakePlayer().RefuseOpen = false;
    rig.Alarm.PlayPointSound(2);
    rig.FakePlayer().FailLater();
    EXPECT_EQ(rig.Notifier.Errors, (std::vector<int>{31, 32, 32}));
    EXPECT_EQ(rig.Sound.Played.size(), 3u);

    // A failure reported after the sound was stopped is not the user's concern.
    rig.Alarm.PlayPointSound(2);
    rig.Alarm.StopSound();
    rig.FakePlayer().FailLater();
    EXPECT_EQ(rig.Notifier.Errors.size(), 3u);

    // No file chosen: the built-in sound.
    rig.Alarm.PlayPointSound(3);
    EXPECT_EQ(rig.Sound.Played.size(), 4u);
    EXPECT_EQ(rig.Notifier.Errors.size(), 3u);
}
