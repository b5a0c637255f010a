#include "app/WindowHarness.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {
// 1920 x 1080 gives a 1000 x 800 client area and a 750 x 708 view panel.
const QSize BigScreen(1920, 1080);

struct SkinHarness : WindowHarness {
    explicit SkinHarness(QSize screen = BigScreen) : WindowHarness(screen, false) {}
    TOrvellaForm &f() { return *form; }
};

int CheckedCount(TOrvellaForm &f, std::initializer_list<const char *> names)
{
    int n = 0;
    for (const char *name : names)
        n += f.Action(name)->isChecked() ? 1 : 0;
    return n;
}

void SendMouse(QWidget *target, QEvent::Type type, Qt::MouseButton button, QPoint global)
{
    const QPointF local = target->mapFromGlobal(QPointF(global));
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : button,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
} // namespace

class TestSkinMode : public QObject {
    Q_OBJECT

private slots:
    void sizesOnThePieAndTheTimeline()
    {
        SkinHarness h;
        TOrvellaForm &f = h.f();
        QCOMPARE(f.SchListPanel->size(), QSize(750, 708));
        f.SwitchView(TOrvellaForm::vtPie);
        f.EnterSkinMode();
        QVERIFY(f.SkinMode);
        // The initial size M1 and transparency 1.
        QCOMPARE(f.size(), QSize(375, 354));
        QVERIFY(f.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!f.menuBar()->isVisible());
        QVERIFY(!f.ControlPanel1->isVisible() && !f.WeekPanel->isVisible() && !f.SchTitlePanel->isVisible());
        QCOMPARE(f.SchListPanel->pos(), QPoint(0, 0));
        QCOMPARE(qRound(f.windowOpacity() * 255), 220);
        QVERIFY(f.ExitSkinModeButton->isVisible() && !f.EnterSkinModeButton->isVisible());
        QVERIFY(f.SkinModeClockLabel->isVisible());
        QCOMPARE(f.SkinModeClockLabel->text(), QString("12:00:00"));

        const struct {
            int size;
            QSize pie, timeline;
            int mark;
        } expected[] = {
            {0, {750, 708}, {750, 708}, 13}, {1, {600, 566}, {600, 566}, 15}, {2, {375, 354}, {375, 354}, 10},
            {3, {300, 283}, {375, 283}, 8},  {4, {225, 212}, {375, 212}, 6},
        };
        const char *sizeActions[] = {"SkinModeSize_ORG", "SkinModeSize_L", "SkinModeSize_M1",
                                     "SkinModeSize_M2", "SkinModeSize_S"};
        for (const auto &e : expected) {
            f.Action(sizeActions[e.size])->trigger();
            QCOMPARE(f.SkinSize, e.size);
            QCOMPARE(f.SchListPanel->size(), e.pie);
            QCOMPARE(f.size(), e.pie);
            QCOMPARE(f.SchPie->TimeMarkSize(), e.mark);
            QVERIFY(f.SchPie->TimeMark() && f.SchPie->TimeMark()->isVisibleTo(&f));
            // The pie is laid out again in the middle of the smaller panel.
            QCOMPARE(f.SchPie->Radius(), std::min(e.pie.width(), e.pie.height()) / 2 - 30);
            QVERIFY((f.SchPie->geometry().center() - QRect(QPoint(0, 0), e.pie).center()).manhattanLength() <=
                    1);
            QCOMPARE(CheckedCount(f, {"SkinModeSize_ORG", "SkinModeSize_L", "SkinModeSize_M1",
                                      "SkinModeSize_M2", "SkinModeSize_S"}),
                     1);
            QVERIFY(f.Action(sizeActions[e.size])->isChecked());
            // Buttons in the bottom-right corner; the clock at the left edge only at size S.
            QCOMPARE(f.ExitSkinModeButton->geometry(),
                     QRect(e.pie.width() - 26, e.pie.height() - 26, 24, 24));
            const QLabel *clock = f.SkinModeClockLabel;
            QCOMPARE(clock->y(), e.pie.height() - clock->height() - 4);
            QCOMPARE(clock->x(), e.size == 4 ? 10 : f.ExitSkinModeButton->x() - clock->width() - 10);
        }

        // The same sizes on the timeline keep half the width at M2 and S.
        f.ExitSkinMode();
        f.SwitchView(TOrvellaForm::vtTimeline);
        f.EnterSkinMode();
        for (const auto &e : expected) {
            f.SetSkinSize(e.size);
            QCOMPARE(f.size(), e.timeline);
            QCOMPARE(f.SchTimeline->TimeMarkSize(), e.mark);
            QCOMPARE(f.SchTimeline->geometry(),
                     QRect(2, 10, e.timeline.width() - 32, e.timeline.height() - 40));
        }
    }

    void transparencyLevels()
    {
        SkinHarness h;
        TOrvellaForm &f = h.f();
        const int alpha[] = {255, 220, 180, 140, 100, 60};
        for (int level = 0; level < 6; ++level)
            QCOMPARE(TOrvellaForm::SkinAlpha(level), alpha[level]);
        QCOMPARE(TOrvellaForm::SkinAlpha(6), 220);
        QCOMPARE(TOrvellaForm::SkinAlpha(-1), 220);
        QCOMPARE(TOrvellaForm::SkinAlpha(255), 220);

        f.SwitchView(TOrvellaForm::vtTimeline);
        f.EnterSkinMode();
        const char *names[] = {"SkinModeTransp_0", "SkinModeTransp_1", "SkinModeTransp_2",
                               "SkinModeTransp_3", "SkinModeTransp_4", "SkinModeTransp_5"};
        for (int level = 5; level >= 0; --level) {
            f.Action(names[level])->trigger();
            QCOMPARE(qRound(f.windowOpacity() * 255), alpha[level]);
            QCOMPARE(CheckedCount(f, {names[0], names[1], names[2], names[3], names[4], names[5]}), 1);
            QVERIFY(f.Action(names[level])->isChecked());
        }
        f.SetSkinTransparency(4);
        f.ExitSkinMode();
        QCOMPARE(f.windowOpacity(), 1.0);
        f.EnterSkinMode();
        QCOMPARE(qRound(f.windowOpacity() * 255), 100);
    }

    void leavingAndEnteringAgain()
    {
        SkinHarness h;
        TOrvellaForm &f = h.f();
        f.SwitchView(TOrvellaForm::vtPie);
        f.move(40, 2);
        const QSize normalSize = f.size();
        const QPoint normalPos = f.pos();
        const int pieRadius = f.SchPie->Radius();

        f.EnterSkinModeButton->click();
        QVERIFY(f.SkinMode);
        f.SetSkinSize(1);
        f.move(300, 200);
        f.Action("SkinModeExit")->trigger();
        QVERIFY(!f.SkinMode);
        QCOMPARE(f.SkinPos, QPoint(300, 200));
        QCOMPARE(f.pos(), normalPos);
        QCOMPARE(f.size(), normalSize);
        QCOMPARE(f.SchListPanel->geometry(), QRect(0, 92, 750, 708));
        QCOMPARE(f.SchPie->Radius(), pieRadius);
        QCOMPARE(f.SchPie->TimeMarkSize(), 13);
        QVERIFY(f.menuBar()->isVisible() && f.ControlPanel1->isVisible() &&
                f.SchModDispBarPanel->isVisible());
        QVERIFY(!f.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(f.EnterSkinModeButton->isVisible() && !f.ExitSkinModeButton->isVisible());
        QVERIFY(!f.SkinModeClockLabel->isVisible());
        // The size is remembered, though the check marks show ORG until the next size change.
        QCOMPARE(f.SkinSize, 1);
        QVERIFY(f.Action("SkinModeSize_ORG")->isChecked());

        f.Action("ViewSkinMode")->trigger();
        QVERIFY(f.SkinMode);
        QCOMPARE(f.pos(), QPoint(300, 200));
        QCOMPARE(f.size(), QSize(600, 566));

        // Stay on top follows its menu item.
        f.Action("SkinModeStayOnTop")->trigger();
        QVERIFY(!f.SkinStayOnTop);
        QVERIFY(!f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!f.Action("SkinModeStayOnTop")->isChecked());
        QVERIFY(f.isVisible());
        f.Action("SkinModeStayOnTop")->trigger();
        QVERIFY(f.SkinStayOnTop && f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(f.Action("SkinModeStayOnTop")->isChecked());
        f.ExitSkinModeButton->click();
        QVERIFY(!f.SkinMode);
    }

    void otherViewsLeaveSkinMode()
    {
        SkinHarness h;
        TOrvellaForm &f = h.f();
        f.SwitchView(TOrvellaForm::vtList);
        f.EnterSkinMode(); // not from the list
        QVERIFY(!f.SkinMode);
        QVERIFY(!f.Action("ViewSkinMode")->isEnabled());

        f.SwitchView(TOrvellaForm::vtPie);
        f.EnterSkinMode();
        f.SetSkinSize(4);
        // A graph made anew keeps the skin.
        f.SwitchView(TOrvellaForm::vtTimeline);
        QVERIFY(f.SkinMode);
        QCOMPARE(f.size(), QSize(375, 212));
        QCOMPARE(f.SchTimeline->PopupMenu(), f.SkinModePopupMenu);
        QVERIFY(!f.EnterSkinModeButton->isVisible() && f.ExitSkinModeButton->isVisible());
        // The list cannot be a skin: the window becomes normal.
        f.SwitchView(TOrvellaForm::vtList);
        QVERIFY(!f.SkinMode);
        QVERIFY(f.menuBar()->isVisible());
        QCOMPARE(f.SchListPanel->size(), QSize(750, 708));
        QVERIFY(!f.EnterSkinModeButton->isVisible() && !f.ExitSkinModeButton->isVisible());
    }

    void draggingAndClamping()
    {
        SkinHarness h;
        TOrvellaForm &f = h.f();
        f.SwitchView(TOrvellaForm::vtPie);
        f.SkinPos = QPoint(100, 100);
        f.EnterSkinMode();
        QCOMPARE(f.pos(), QPoint(100, 100));
        QCOMPARE(f.SchPie->PopupMenu(), f.SkinModePopupMenu);

        // On the graph.
        SendMouse(f.SchPie, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(200, 200));
        QVERIFY(f.Dragging);
        SendMouse(f.SchPie, QEvent::MouseMove, Qt::LeftButton, QPoint(260, 170));
        QCOMPARE(f.pos(), QPoint(160, 70));
        SendMouse(f.SchPie, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(260, 170));
        QVERIFY(!f.Dragging);
        QCOMPARE(f.SkinPos, QPoint(160, 70));

        // On the white margin of the panel; dropped partly off the screen it stays there.
        const QPoint corner = f.SchListPanel->mapToGlobal(QPoint(2, 2));
        SendMouse(f.SchListPanel, QEvent::MouseButtonPress, Qt::LeftButton, corner);
        SendMouse(f.SchListPanel, QEvent::MouseMove, Qt::LeftButton, corner + QPoint(1900, -100));
        SendMouse(f.SchListPanel, QEvent::MouseButtonRelease, Qt::LeftButton, corner + QPoint(1900, -100));
        QCOMPARE(f.pos(), QPoint(2060, -30));
        QCOMPARE(f.SkinPos, QPoint(2060, -30));
        // The right button does not drag.
        SendMouse(f.SchListPanel, QEvent::MouseButtonPress, Qt::RightButton, corner);
        QVERIFY(!f.Dragging);

        // The next size change pulls it back inside.
        f.SetSkinSize(1);
        QCOMPARE(f.pos(), QPoint(1920 - 600, 0));

        // Out of skin mode the mouse does not move the window.
        f.ExitSkinMode();
        const QPoint normal = f.pos();
        SendMouse(f.SchPie, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(200, 200));
        SendMouse(f.SchPie, QEvent::MouseMove, Qt::LeftButton, QPoint(260, 170));
        QVERIFY(!f.Dragging);
        QCOMPARE(f.pos(), normal);
        QVERIFY(f.SchPie->PopupMenu() == nullptr);
    }

    void stateRoundTripAndSmallerScreen()
    {
        TOrvellaForm::SkinStateRecord saved;
        {
            SkinHarness h;
            TOrvellaForm &f = h.f();
            f.SwitchView(TOrvellaForm::vtPie);
            f.EnterSkinMode();
            f.SetSkinSize(1);
            f.SetSkinTransparency(3);
            f.SetSkinStayOnTop(false);
            f.move(1300, 500);
            f.SkinPos = f.pos();
            f.PackSkinState();
            saved = f.SkinState;
            QCOMPARE(int(saved.Flags), 1);
            QCOMPARE(int(saved.Size), 1);
            QCOMPARE(int(saved.Transparency), 3);
            QCOMPARE(saved.Left, 1300);
            QCOMPARE(saved.Top, 500);

            // Unpacking what was packed changes nothing.
            f.UnpackSkinState();
            f.PackSkinState();
            QCOMPARE(f.SkinState.Flags, saved.Flags);
            QCOMPARE(f.SkinState.Size, saved.Size);
            QCOMPARE(f.SkinState.Transparency, saved.Transparency);
            QCOMPARE(f.SkinState.Top, saved.Top);
            QCOMPARE(f.SkinState.Left, saved.Left);

            f.ExitSkinMode();
            f.PackSkinState();
            QCOMPARE(int(f.SkinState.Flags), 0);
        }

        // The next start on a 1024 x 768 screen (panel 750 x 599): size L is 600 x 479, and the
        // saved position is pulled in so that the window's right and bottom edges are on the screen's.
        SkinHarness h(QSize(1024, 768));
        TOrvellaForm &f = h.f();
        f.SkinState = saved;
        f.SetStartWithLastView(true);
        f.LastViewType = TOrvellaForm::vtPie;
        f.RestoreLastView();
        QVERIFY(f.SkinMode);
        QVERIFY(f.SchPie);
        QCOMPARE(f.size(), QSize(600, 479));
        QCOMPARE(f.pos(), QPoint(1024 - 600, 768 - 479));
        QCOMPARE(f.SkinPos, f.pos());
        QCOMPARE(qRound(f.windowOpacity() * 255), 140);
        QVERIFY(!f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // Stray bytes and a position above the screen.
        SkinHarness g;
        TOrvellaForm &k = g.f();
        k.SkinState = {3, 77, 9, -500, -20};
        k.SetStartWithLastView(true);
        k.LastViewType = TOrvellaForm::vtTimeline;
        k.RestoreLastView();
        QVERIFY(k.SkinMode);
        QCOMPARE(k.SkinSize, 2);
        QCOMPARE(k.SkinTransparency, 1);
        QCOMPARE(k.pos(), QPoint(0, 0));

        // Skin mode was off: only the view comes back; the week count is never restored.
        SkinHarness n;
        TOrvellaForm &m = n.f();
        m.SkinState = {2, 1, 1, 0, 0};
        m.SetStartWithLastView(true);
        m.LastViewType = TOrvellaForm::vtTimeline;
        m.RestoreLastView();
        QVERIFY(!m.SkinMode && m.SchTimeline);
        m.LastViewType = TOrvellaForm::vtWeekCount;
        m.RestoreLastView();
        QCOMPARE(m.ViewType, int(TOrvellaForm::vtTimeline));
    }

    // Closed in skin mode, the window starts in skin mode again through its settings file.
    void skinModeComesBackAfterARestart()
    {
        SkinHarness h;
        TOrvellaForm &f = h.f();
        f.SetStartWithLastView(true);
        f.SwitchView(TOrvellaForm::vtTimeline);
        f.EnterSkinMode();
        f.SetSkinSize(3);
        f.SetSkinTransparency(5);
        f.SetSkinStayOnTop(false);
        f.move(400, 300);
        f.SkinPos = f.pos();
        h.Build();
        TOrvellaForm &g = h.f();
        QVERIFY(g.SkinMode);
        QVERIFY(g.SchTimeline);
        QCOMPARE(g.size(), QSize(375, 283));
        QCOMPARE(g.pos(), QPoint(400, 300));
        QCOMPARE(qRound(g.windowOpacity() * 255), 60);
        QVERIFY(!g.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!g.menuBar()->isVisible());

        // Left before closing, it starts in the normal window on the same view.
        g.ExitSkinMode();
        h.Build();
        QVERIFY(!h.f().SkinMode);
        QVERIFY(h.f().SchTimeline);
        QVERIFY(h.f().menuBar()->isVisible());
    }

    void enterOpensThePopupOncePerPress()
    {
        SkinHarness h;
        TOrvellaForm &f = h.f();
        f.SwitchView(TOrvellaForm::vtPie);
        QSignalSpy shown(f.SkinModePopupMenu, &QMenu::aboutToShow);
        // Outside skin mode Enter opens nothing.
        QTest::keyClick(f.SkinModeClockLabel, Qt::Key_Return);
        QCOMPARE(shown.count(), 0);

        f.EnterSkinMode();
        // The label ignores the key, which then passes through the panel and the central widget.
        QTest::keyClick(f.SkinModeClockLabel, Qt::Key_Return);
        QCOMPARE(shown.count(), 1);
        QVERIFY(f.SkinModePopupMenu->isVisible());
        // At the pie's top-left corner, as far as the screen allows.
        QVERIFY((f.SkinModePopupMenu->pos() - f.SchPie->mapToGlobal(QPoint(0, 0))).manhattanLength() <= 8);
        f.SkinModePopupMenu->hide();
        QTest::keyClick(&f, Qt::Key_Enter);
        QCOMPARE(shown.count(), 2);
        f.SkinModePopupMenu->hide();
    }

    void popupMenuOrder()
    {
        SkinHarness h;
        TOrvellaForm &f = h.f();
        QStringList items;
        for (QAction *a : f.SkinModePopupMenu->actions())
            items << (a->isSeparator() ? QString("-") : a->menu() ? a->menu()->objectName() : a->text());
        const QStringList expected = {"常に手前に表示(&V)",
                                      "-",
                                      "SkinModeSizePopupMenu",
                                      "SkinModeTranspPopupMenu",
                                      "グラフ 毎時間表示(&G)",
                                      "-",
                                      "アラーム音 停止(&Q)",
                                      "アラーム設定(&C)...",
                                      "-",
                                      "通常モードに戻る",
                                      "-",
                                      "アプリケーションを終了する(&X)"};
        QCOMPARE(items, expected);
        // The alarm entries run the window's alarm actions.
        QSignalSpy stop(f.Action("AlarmSoundStop"), &QAction::triggered);
        f.SkinModePopupMenu->actions()[6]->trigger();
        QCOMPARE(stop.count(), 1);
    }
};

QTEST_MAIN(TestSkinMode)
#include "tst_skin_mode.moc"
