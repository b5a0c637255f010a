#include "app/WindowHarness.h"
#include "model/KMessageCatalog.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {
using Harness = WindowHarness;

QString Q(const std::u16string &s)
{
    return QString::fromStdU16String(s);
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void clientSizeFollowsTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("client");
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize(1000, 691);
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(1000, 800);
        QTest::newRow("800x600") << QSize(800, 600) << QSize(900, 600);
    }

    void clientSizeFollowsTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, client);
        Harness h(screen);
        TOrvellaForm &f = *h.form;
        QCOMPARE(TOrvellaForm::ComputeWindowSize(screen), client);
        QCOMPARE(f.PanelMainView_1->size(), client);
        // The list panel sits under the three 30/32-pixel rows and leaves 250 pixels for the side panel.
        QCOMPARE(f.SchListPanel->geometry(), QRect(0, 92, client.width() - 250, client.height() - 92));
        QCOMPARE(f.BaseListHeight, client.height() - 92);
        QCOMPARE(f.BaseListWidth, client.width() - 250);
        QCOMPARE(f.WeekPanel->geometry(), QRect(0, 30, client.width() - 250, 32));
        QCOMPARE(f.SchTitlePanel->geometry(), QRect(0, 60, client.width() - 250, 32));
        QCOMPARE(f.SchModDispBarPanel->y(), 88);
        QCOMPARE(f.ControlPanel2->geometry(), QRect(350, 0, client.width() - 250 - 350, 30));
        // Skin buttons in the bottom right corner of the list panel.
        QCOMPARE(f.EnterSkinModeButton->geometry().bottomRight(),
                 QPoint(f.SchListPanel->width() - 3, f.SchListPanel->height() - 3));
    }

    void startsWithTheDefaultSchedule()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        QCOMPARE(f.windowTitle(), QString("Orvella"));
        QCOMPARE(f.ShownSchedule.GetCount(), 1);
        const KScheduleFrame *frame = f.ShownSchedule.GetFrame(0);
        QCOMPARE(Q(frame->ItemName), QString("自由"));
        QCOMPARE(frame->Duration, (KSchTime{24, 0, 0}));
        QCOMPARE(frame->Color, 0xFFFFFFu);
        QCOMPARE(f.ViewType, int(TOrvellaForm::vtList));
        QVERIFY(f.Action("ViewTypeList")->isChecked());
        QVERIFY(!f.Action("ViewTypeWeekly")->isEnabled());
        QVERIFY(!f.Action("EditAddSch")->isEnabled());
        QVERIFY(f.Action("EditCopy")->isEnabled());
        QCOMPARE(f.Action("EditScheduling")->text(), QString("スケジュール作成(&G)"));
        QVERIFY(!f.ExitEditSchButton->isVisibleTo(&f));
        QVERIFY(!f.EnterSkinModeButton->isVisibleTo(&f));
        QCOMPARE(f.SchPieViewButton->toolTip(), QString("円グラフ"));
        QCOMPARE(f.Action("FileOpen")->shortcut(), QKeySequence("Ctrl+O"));
        // The default frame holds noon.
        QCOMPARE(f.CurFrameIndex, 0);
        QVERIFY(f.CurFrame == f.ShownSchedule.GetFrame(0));
    }

    void menusCarryTheirCaptionsInOrder()
    {
        Harness h;
        QStringList titles;
        for (QAction *a : h.form->menuBar()->actions())
            if (a->isVisible())
                titles << a->text();
        QCOMPARE(titles, QStringList({"ファイル(&F)", "編集(&E)", "表示(&V)", "週間スケジュール作成(&W)",
                                      "アラーム(&A)", "言語(&L)", "ヘルプ(&H)"}));
        QStringList view;
        for (QAction *a : h.form->VIEW_Menu->actions())
            if (!a->isSeparator())
                view << a->text();
        QCOMPARE(view.mid(0, 7),
                 QStringList({"週間表示(&X)", "リスト(&L)", "円グラフ(&P)", "時間軸（縦）グラフ(&T)",
                              "週間グラフ(&E)", "集計(&C)", "週間スケジュール集計(&W)"}));
        QVERIFY(view.contains("グラフ 毎時刻表示(&G)"));
    }

    void tickFindsTheCurrentFrame()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        f.ShownSchedule.ClearFrames();
        f.ShownSchedule.AppendFrame(KScheduleFrame({0, 0, 0}, {7, 0, 0}, u"睡眠", 0xFF0000, u""));
        f.ShownSchedule.AppendFrame(KScheduleFrame({7, 0, 0}, {2, 0, 0}, u"朝", 0x00FF00, u""));
        f.ShownSchedule.AppendFrame(KScheduleFrame({22, 0, 0}, {2, 0, 0}, u"夜", 0x0000FF, u""));

        h.clock.Set(7, 0, 0);
        f.ClockTick();
        QCOMPARE(f.CurFrameIndex, 1);
        QVERIFY(f.CurFrame == f.ShownSchedule.GetFrame(1));
        QVERIFY(f.FrameProvider(true) == f.CurFrame);
        QVERIFY(f.FrameProvider(false) == f.ShownSchedule.GetFrame(2));

        h.clock.Set(23, 59, 59);
        f.ClockTick();
        QCOMPARE(f.CurFrameIndex, 2);
        QVERIFY(f.FrameProvider(false) == f.ShownSchedule.GetFrame(0)); // after the last comes the first

        // 09:00 .. 22:00 is a gap.
        h.clock.Set(12, 0, 0);
        f.ClockTick();
        QCOMPARE(f.CurFrameIndex, f.ShownSchedule.Capacity());
        QVERIFY(f.CurFrame == nullptr);
        QVERIFY(f.FrameProvider(true) == nullptr);
        QVERIFY(f.FrameProvider(false) == f.ShownSchedule.GetFrame(0));
        QVERIFY(!f.AlarmResetPending);
    }

    void timerDrivesTheTick()
    {
        Harness h(QSize(1024, 768), true);
        TOrvellaForm &f = *h.form;
        // Each shot is aimed just past the next whole second of the clock (it reads .000 here).
        QVERIFY(f.Timer1->isSingleShot());
        QCOMPARE(f.Timer1->interval(), 1003);
        QVERIFY(f.Timer1->isActive());
        f.ShownSchedule.GetFrame(0)->StartTime = KSchTime{6, 0, 0}; // whole day from 06:00 misses 05:00
        h.clock.Set(5, 0, 0);
        h.clock.SetMillisecond(700);
        QTRY_COMPARE_WITH_TIMEOUT(f.CurFrameIndex, 50, 2500);
        // Re-aimed from .700: 300 ms to the boundary.
        QCOMPARE(f.Timer1->interval(), 303);
        QVERIFY(f.Timer1->isActive());
    }

    void showMessageCodeComposesTheText()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        f.ShowMessageCode(0, "/tmp/x.ors");
        QCOMPARE(h.prompter.History.size(), size_t(0));

        f.ShowMessageCode(16);
        QCOMPARE(h.prompter.History.size(), size_t(1));
        QCOMPARE(Q(h.prompter.History[0].Caption), QString("エラー"));
        QCOMPARE(Q(h.prompter.History[0].Text), QString("ファイルが見つかりません。"));
        QVERIFY(h.prompter.History[0].Icon == KMsgIcon::None);
        QVERIFY(h.prompter.History[0].Buttons == KMsgButtons::Ok);

        f.ShowMessageCode(16, "/home/u/plan.ors");
        QCOMPARE(Q(h.prompter.History[1].Text), QString("/home/u/plan.ors\n\nファイルが見つかりません。"));
    }

    void clockOptionsCheckTheirActions()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        f.Action("OptClock24H")->trigger();
        QVERIFY(f.Clock24H);
        QVERIFY(!f.Action("OptClock12H")->isChecked());
        f.Action("OptClockSec")->trigger();
        QVERIFY(f.ClockSeconds);
        f.Action("OptClockSec")->trigger();
        QVERIFY(!f.ClockSeconds);
        f.Action("OptCTimeMark")->trigger();
        QVERIFY(!f.CurTimeMark);
        QVERIFY(!f.Action("OptCTimeMark")->isChecked());
    }

    void weekToggleWithoutAWeekFile()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        f.ViewTypeWeeklyExecute();
        QCOMPARE(h.prompter.History.size(), size_t(1));
        QCOMPARE(Q(h.prompter.History[0].Text), QString("週間スケジュールファイルは読込まれていません。"));
        QVERIFY(!f.WeekSchOpen);
        QVERIFY(!f.Action("ViewTypeWeekly")->isChecked());
    }

    void todayMarkFollowsTheWeekday()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        h.clock.Set(23, 59, 59, 2);
        f.ClockTick();
        QVERIFY(f.TodayIndImage->parentWidget() == f.WeekdayButtons[2]);
        h.clock.Set(0, 0, 0, 3);
        f.ClockTick();
        QVERIFY(f.TodayIndImage->parentWidget() == f.WeekdayButtons[3]);
        // A blue square low in the button, left of its caption, in either language.
        f.ClockTick();
        QVERIFY(f.TodayIndImage->isVisible());
        for (const char *language : {"OptLangEN", "OptLangJP"}) {
            f.Action(language)->trigger();
            QPushButton *b = f.WeekdayButtons[3];
            const QRect mark = f.TodayIndImage->geometry();
            const int caption = b->fontMetrics().horizontalAdvance(b->text());
            QVERIFY2(mark.right() < (b->width() - caption) / 2, qPrintable(b->text()));
            QVERIFY(mark.left() > 0 && mark.top() >= 16);
            const QImage button = b->grab().toImage();
            QCOMPARE(button.pixelColor(mark.center()), QColor(0, 0, 255));
        }
    }

    // The arrow keys travel the whole menu bar, past the week schedule entry (a command, not
    // a menu), to the alarm, language and help menus and back; Enter there runs the command.
    void arrowKeysTravelTheWholeMenuBar()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        QMenuBar *bar = f.menuBar();
        QAction *week = f.Action("OptWkSchConfig");
        // To the open menu, else to the widget with the focus, else to the window.
        auto key = [&f](Qt::Key k) {
            QWidget *to = QApplication::activePopupWidget();
            if (!to)
                to = QApplication::focusWidget();
            QTest::keyClick(to ? to : &f, k);
        };
        bar->setActiveAction(f.VIEW_Menu->menuAction());
        QTRY_VERIFY(f.VIEW_Menu->isVisible());
        key(Qt::Key_Right);
        QTRY_COMPARE(bar->activeAction(), week);
        for (QMenu *next : {f.ALARM_Menu, f.LANGUAGE_Menu, f.HELP_Menu}) {
            key(Qt::Key_Right);
            QTRY_VERIFY2(next->isVisible(), qPrintable(next->objectName()));
        }
        for (QMenu *back : {f.LANGUAGE_Menu, f.ALARM_Menu}) {
            key(Qt::Key_Left);
            QTRY_VERIFY2(back->isVisible(), qPrintable(back->objectName()));
        }
        key(Qt::Key_Left);
        QTRY_COMPARE(bar->activeAction(), week);
        QVERIFY(!QApplication::activePopupWidget());
        key(Qt::Key_Left);
        QTRY_VERIFY(f.VIEW_Menu->isVisible());
        key(Qt::Key_Right);
        QTRY_COMPARE(bar->activeAction(), week);

        // Enter on the entry runs its command.
        int runs = 0;
        QObject::connect(week, &QAction::triggered, [&runs] { ++runs; });
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget *m = QApplication::activeModalWidget())
                m->close();
        });
        closer.start(10);
        key(Qt::Key_Return);
        QTRY_COMPARE(runs, 1);
        QVERIFY(!bar->activeAction());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
