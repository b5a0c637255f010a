#include "desktop/core/KDesktopAlarmNotifier.h"
#include "platform/fakes/KFakeDesktopNotifier.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
class RecordingWindows : public KSchAlarmNotifier {
public:
    void ShowAlarmPopup(const KSchAlarmPopupInfo &info) override { Popups.push_back(info.LeadMinutes); }
    void ShowAlarmError(int code, int) override { Errors.push_back(code); }
    std::vector<int> Popups;
    std::vector<int> Errors;
};

KSchAlarmPopupInfo Info(int lead, int language, bool withNext)
{
    KSchAlarmPopupInfo info;
    info.Language = language;
    info.LeadMinutes = lead;
    info.EndingFrame = KScheduleFrame(KSchTime{23, 30, 0}, KSchTime{1, 0, 0}, u"仕事", 0, u"");
    if (withNext)
        info.NextFrame = KScheduleFrame(KSchTime{0, 30, 0}, KSchTime{7, 0, 0}, u"Sleep", 0, u"");
    return info;
}
} // namespace

TEST(DesktopAlarmNotifier, PopupAlsoNotifiesTheDesktopWithItsTexts)
{
    RecordingWindows windows;
    KFakeDesktopNotifier desktop;
    KDesktopAlarmNotifier notifier(&windows, &desktop);

    notifier.ShowAlarmPopup(Info(5, 0, true));
    notifier.ShowAlarmPopup(Info(0, 1, false));
    ASSERT_EQ(windows.Popups, (std::vector<int>{5, 0}));
    ASSERT_EQ(desktop.Notifications.size(), 2u);
    // A frame across midnight shows its end on the clock.
    EXPECT_EQ(desktop.Notifications[0].Summary, u"終了時間、5分前になりました。");
    EXPECT_EQ(desktop.Notifications[0].Body, u"23:30～ 00:30 仕事\n次のスケジュール: 00:30～ 07:30 Sleep");
    EXPECT_EQ(desktop.Notifications[1].Summary, u"Time to end the schedule.");
    EXPECT_EQ(desktop.Notifications[1].Body, u"23:30～ 00:30 仕事");
    EXPECT_EQ(KDesktopAlarmNotifier::Summary(Info(10, 1, false)),
              u"Time before 10[min] before the end of schedule.");
}

TEST(DesktopAlarmNotifier, TurnedOffOrWithoutServiceOnlyThePopupShows)
{
    RecordingWindows windows;
    KFakeDesktopNotifier desktop;
    KDesktopAlarmNotifier off(&windows, &desktop);
    off.Enabled = false;
    off.ShowAlarmPopup(Info(5, 0, true));
    off.ShowAlarmError(33, 0);
    EXPECT_EQ(windows.Popups.size(), 1u);
    EXPECT_EQ(windows.Errors, std::vector<int>{33});
    EXPECT_TRUE(desktop.Notifications.empty());

    KDesktopAlarmNotifier noDesktop(&windows, nullptr);
    noDesktop.ShowAlarmPopup(Info(5, 0, true));
    EXPECT_EQ(windows.Popups.size(), 2u);
}
