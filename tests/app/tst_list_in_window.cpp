#include "ModalAnswer.h"
#include "app/WindowHarness.h"
#include "app/dialogs/TKClock.h"
#include "app/dialogs/TKHelpWindow.h"
#include "app/dialogs/TKVersionDialog.h"
#include "graphs/TKCurSchView.h"
#include "listedit/KScheduleList.h"
#include "listedit/KTTimeVIndicator.h"
#include "listedit/KToptionPanel_I.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>
#include <memory>

namespace {
struct Window : WindowHarness {
    Window() : WindowHarness(QSize(1024, 768), false) {}
};
} // namespace

class TestListInWindow : public QObject {
    Q_OBJECT

private slots:
    void listAndPanelAtStart();
    void tickMovesTheMarkAndThePanel();
    void clockOptions();
    void helpCommands();
    void scrollBarOnlyWhenFramesAreHidden();
};

void TestListInWindow::listAndPanelAtStart()
{
    Window w;
    TOrvellaForm &f = *w.form;
    QVERIFY(f.SchList);
    QCOMPARE(f.SchList->geometry(), QRect(QPoint(0, 0), f.SchListPanel->size()));
    QCOMPARE(f.SchList->RowCount(), f.SchListPanel->height() / 24 + 1);
    QCOMPARE(f.SchList->CellText(1, 2), QString("自由"));
    QCOMPARE(f.SchList->CellText(1, 4), QString("24:00"));
    QCOMPARE(f.SchList->TimeMarkSize(), 13);
    QVERIFY(!f.ColorDialog1); // made when a colour is first chosen
    QVERIFY(f.SchList->ColorDialog() == f.ColorDialog1);
    QVERIFY(f.ColorDialog1);
    QCOMPARE(f.SchList->CursorRow(), 1);
    QCOMPARE(f.SchList->CursorCol(), 1);
    QVERIFY(f.OptionPanel1 && f.OptionPanel1->isVisible());
    QVERIFY(!f.OptionPanel2);
    QCOMPARE(f.OptionPanel1->geometry(),
             QRect(f.SchListPanel->width(), f.ControlPanel1->y(), 250,
                   f.SchListPanel->y() + f.SchListPanel->height() - f.ControlPanel1->y()));
}

void TestListInWindow::tickMovesTheMarkAndThePanel()
{
    Window w;
    TOrvellaForm &f = *w.form;
    f.ShownSchedule.ClearFrames();
    f.ShownSchedule.AppendFrame(KScheduleFrame({8, 0, 0}, {2, 0, 0}, u"仕事", 0xFF0000, u""));
    f.ShownSchedule.AppendFrame(KScheduleFrame({23, 0, 0}, {2, 0, 0}, u"就寝", 0xC0C0C0, u""));
    f.SwitchView(TOrvellaForm::vtList);
    w.clock.Set(23, 29, 59, 3);
    f.ClockTick(); // the mark moves first, then the current row is found
    w.clock.Set(23, 30, 0, 3);
    f.ClockTick();
    QCOMPARE(f.SchList->MarkedFrame(), 1);
    QVERIFY(f.SchList->TimeMark()->isVisible());
    TKCurSchView *view = f.OptionPanel1->CurSchView;
    QCOMPARE(view->EditSchItem->text(), QString("就寝"));
    QCOMPARE(view->EditRemainTime->text(), QString("01:30"));
    QCOMPARE(f.OptionPanel1->Clock->Time(), KSchTime::MakeTime(23, 30, 0));
    const int before = f.SchList->TimeMark()->y();
    w.clock.Set(0, 30, 0, 4);
    f.ClockTick();
    QVERIFY(f.SchList->TimeMark()->y() > before);
    QCOMPARE(view->EditRemainTime->text(), QString("00:30"));
    // A gap: the view keeps what it showed, the mark hides.
    w.clock.Set(12, 0, 0, 4);
    f.ClockTick();
    QCOMPARE(view->EditSchItem->text(), QString("就寝"));
    QVERIFY(!f.SchList->TimeMark()->isVisible());
    // The mark option removes the mark.
    f.Action("OptCTimeMark")->trigger();
    QVERIFY(!f.CurTimeMark);
    QVERIFY(!f.SchList->TimeMark());
    f.Action("OptCTimeMark")->trigger();
    QVERIFY(f.SchList->TimeMark());
}

void TestListInWindow::clockOptions()
{
    Window w;
    TOrvellaForm &f = *w.form;
    TKClock *clock = f.OptionPanel1->Clock;
    TKCurSchView *view = f.OptionPanel1->CurSchView;
    f.Action("OptClock24H")->trigger();
    QVERIFY(f.Clock24H && clock->Is24H() && view->Clock24H());
    f.Action("OptClock12H")->trigger();
    QVERIFY(!f.Clock24H && !clock->Is24H() && !view->Clock24H());
    f.Action("OptClockSec")->trigger();
    QVERIFY(f.ClockSeconds && clock->ShowsSeconds());
    // The clock's own box reaches the menu and the view.
    f.show();
    QTest::mouseClick(clock->_24H_CheckBox, Qt::LeftButton);
    QVERIFY(f.Clock24H);
    QVERIFY(f.Action("OptClock24H")->isChecked());
    QVERIFY(view->Clock24H());
    QTest::mouseClick(clock->DispSecBox, Qt::LeftButton);
    QVERIFY(!f.ClockSeconds);
    QVERIFY(!f.Action("OptClockSec")->isChecked());
}

void TestListInWindow::helpCommands()
{
    Window w;
    TOrvellaForm &f = *w.form;
    f.Action("HelpContents")->trigger();
    QVERIFY(TKHelpWindow::Instance() && TKHelpWindow::Instance()->isVisible());
    QVERIFY(w.prompter.History.empty());
    QString title;
    ModalAnswer answer([&](QDialog *dlg) {
        if (auto *v = dynamic_cast<TKVersionDialog *>(dlg))
            title = v->windowTitle();
        dlg->accept();
    });
    f.Action("HelpVersion")->trigger();
    QVERIFY(answer.Seen());
    QCOMPARE(title, QString("Orvella バージョン情報"));
}

void TestListInWindow::scrollBarOnlyWhenFramesAreHidden()
{
    // Frames added one by one from the command in scheduling mode: the vertical scroll bar
    // shows as soon as a frame runs past the bottom, and only then. A reverted working copy
    // brings the short schedule back whole, from its first row, without a bar.
    Window w;
    TOrvellaForm &f = *w.form;
    f.Action("EditScheduling")->trigger();
    QVERIFY(f.SchedulingMode);
    KScheduleList *list = f.SchList;
    QScrollBar *bar = list->verticalScrollBar();
    const int before = f.EditSchedule->GetCount();
    auto check = [&] {
        const int frames = f.EditSchedule->GetCount();
        const bool hidden = (frames + 1) * KScheduleList::RowHeight > list->height();
        QCOMPARE(bar->isVisibleTo(list), hidden);
        // The memo column ends at the bar.
        int columns = 0;
        for (int c = 0; c < KScheduleList::ColumnCount; ++c)
            columns += list->columnWidth(c);
        QVERIFY(columns <= list->viewport()->width());
    };
    while (f.EditSchedule->GetCount() < 50) {
        list->SetCursor(f.EditSchedule->GetCount(), 1);
        const int count = f.EditSchedule->GetCount();
        f.Action("EditAddSch")->trigger();
        QCOMPARE(f.EditSchedule->GetCount(), count + 1);
        check();
    }
    QVERIFY(bar->isVisibleTo(list));
    list->SetCursor(50, 1);
    QTRY_VERIFY(bar->value() > 0);

    w.prompter.Answers.push_back(KMsgAnswer::Yes);
    f.Action("EditCancel")->trigger();
    QCOMPARE(f.EditSchedule->GetCount(), before);
    check();
    QTRY_COMPARE(bar->value(), 0);
    QCOMPARE(list->rowViewportPosition(0), 0);
}

QTEST_MAIN(TestListInWindow)
#include "tst_list_in_window.moc"
