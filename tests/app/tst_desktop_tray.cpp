#include "app/WindowHarness.h"
#include "platform/fakes/KFakeTrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
// A window whose timer is stopped (the test ticks it by hand), with a fake tray.
struct TrayWindow {
    KFakeTrayIcon tray;
    WindowHarness h{QSize(1024, 768), false, false};
    KFakeClock &clock = h.clock;
    std::unique_ptr<TOrvellaForm> &form = h.form;

    explicit TrayWindow(bool trayAvailable)
    {
        tray.Available = trayAvailable;
        h.tray = &tray;
        h.Build();
    }
};

QStringList ActionNames(QMenu *menu)
{
    QStringList names;
    for (QAction *a : menu->actions())
        names << (a->isSeparator() ? QString("-") : a->objectName());
    return names;
}
} // namespace

class TestDesktopTray : public QObject {
    Q_OBJECT

private slots:
    void trayShowsTheCurrentFrameAndItsMenu()
    {
        TrayWindow w(true);
        QVERIFY(w.tray.Shown);
        QVERIFY(!w.tray.Icon.isNull());
        QCOMPARE(w.tray.Menu.data(), w.form->TrayMenu);
        QCOMPARE(ActionNames(w.form->TrayMenu),
                 QStringList({"TrayShowWindow", "AlarmSoundStop", "-", "FileExit1"}));
        // The default frame covers the whole day: at noon half of it is left.
        QCOMPARE(w.tray.ToolTip, QString("Orvella\n自由  00:00 - 00:00\n残り 12:00"));
    }

    // The tray hears only of changes: ticks within a minute cost nothing, a new minute
    // or a new schedule changes the text once.
    void tooltipFollowsTheTickOnlyWhenItChanges()
    {
        TrayWindow w(true);
        const int before = w.tray.ToolTipChanges;
        for (uint8_t s = 1; s < 60; ++s) {
            w.clock.Set(12, 0, s, 3);
            w.form->ClockTick();
        }
        QCOMPARE(w.tray.ToolTipChanges, before);
        QCOMPARE(w.tray.ToolTip, QString("Orvella\n自由  00:00 - 00:00\n残り 12:00"));
        w.clock.Set(12, 1, 0, 3);
        w.form->ClockTick();
        QCOMPARE(w.tray.ToolTipChanges, before + 1);
        QCOMPARE(w.tray.ToolTip, QString("Orvella\n自由  00:00 - 00:00\n残り 11:59"));

        w.form->ShownSchedule.ClearFrames();
        w.form->ShownSchedule.AppendFrame(
            KScheduleFrame(KSchTime{12, 0, 0}, KSchTime{0, 30, 0}, u"昼食", 0, u""));
        w.form->ClockTick();
        QCOMPARE(w.tray.ToolTipChanges, before + 2);
        QCOMPARE(w.tray.ToolTip, QString("Orvella\n昼食  12:00 - 12:30\n残り 0:29"));
    }

    void clickOrMenuHidesAndShowsTheWindow()
    {
        TrayWindow w(true);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        w.tray.Click();
        QVERIFY(!w.form->isVisible());
        w.tray.Click();
        QVERIFY(w.form->isVisible());
        w.form->Action("TrayShowWindow")->trigger();
        QVERIFY(!w.form->isVisible());
        w.form->Action("TrayShowWindow")->trigger();
        QVERIFY(w.form->isVisible());
    }

    void quitFromTheTrayClosesTheWindow()
    {
        TrayWindow w(true);
        w.form->show();
        QSignalSpy closed(w.form.get(), &TOrvellaForm::FormClosed);
        w.form->Action("FileExit1")->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w.form->isVisible());
    }

    void noTrayNoIcon()
    {
        TrayWindow w(false);
        QVERIFY(!w.tray.Shown);
        QVERIFY(w.form->TrayMenu == nullptr);
        w.form->ClockTick();
        QCOMPARE(w.tray.ToolTipChanges, 0);
        // The window still has the planner's icon.
        QVERIFY(!w.form->windowIcon().isNull());
    }
};

QTEST_MAIN(TestDesktopTray)
#include "tst_desktop_tray.moc"
