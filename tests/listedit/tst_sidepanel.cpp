#include "app/dialogs/TKCalendarView.h"
#include "app/dialogs/TKClock.h"
#include "graphs/TKCurSchView.h"
#include "graphs/TKSchGraphView.h"
#include "listedit/KToptionPanel_I.h"
#include "listedit/KToptionPanel_II.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {
KSchTime T(int h, int m, int s = 0)
{
    return KSchTime::MakeTime(uint8_t(h), uint8_t(m), uint8_t(s));
}
} // namespace

class TestSidePanel : public QObject {
    Q_OBJECT

private slots:
    void clockTimeTexts();
    void remainingTime();
    void viewFollowsTheTick();
    void panelLayout();
    void schedulingPanelLayout();
};

void TestSidePanel::clockTimeTexts()
{
    QCOMPARE(TKCurSchView::ClockTimeText(T(12, 0), false, false), QString("PM 12:00"));
    QCOMPARE(TKCurSchView::ClockTimeText(T(13, 30), false, false), QString("PM 01:30"));
    QCOMPARE(TKCurSchView::ClockTimeText(T(0, 0), false, false), QString("AM 00:00"));
    QCOMPARE(TKCurSchView::ClockTimeText(T(0, 15), false, false), QString("AM 00:15"));
    QCOMPARE(TKCurSchView::ClockTimeText(T(9, 5, 7), true, true), QString("09:05:07"));
    QCOMPARE(TKCurSchView::ClockTimeText(T(25, 0), true, false), QString("01:00")); // reduced to the clock
}

void TestSidePanel::remainingTime()
{
    // A frame 23:00 lasting 2:00 at 23:30: end 01:00, 01:30 to go.
    QCOMPARE(TKCurSchView::RemainText(T(25, 0), T(23, 30), false), QString("01:30"));
    QCOMPARE(TKCurSchView::RemainText(T(25, 0), T(0, 45), false), QString("00:15"));
    // A whole day at 18:00.
    QCOMPARE(TKCurSchView::RemainText(T(24, 0), T(18, 0), false), QString("06:00"));
    QCOMPARE(TKCurSchView::RemainText(T(10, 0), T(9, 58, 30), true), QString("00:01:30"));
    QCOMPARE(TKCurSchView::RemainText(T(10, 0), T(9, 58, 30), false), QString("00:01"));
}

void TestSidePanel::viewFollowsTheTick()
{
    TKCurSchView view;
    QCOMPARE(view.EditSchItem->text(), QString("---"));
    QCOMPARE(view.LabelCurSchTitle->text(), QString("現在のスケジュール"));
    QCOMPARE(view.LabelRemainTime->text(), QString("残り時間"));
    view.SetNow(T(23, 30));
    view.SetShowSeconds(false);
    view.SetStart(T(23, 0));
    view.SetEnd(T(25, 0));
    QCOMPARE(view.EditStartTime->text(), QString("23:00"));
    QCOMPARE(view.EditEndTime->text(), QString("01:00"));
    QCOMPARE(view.EditRemainTime->text(), QString("01:30"));
    view.SetClock24H(false);
    QCOMPARE(view.EditStartTime->text(), QString("PM 11:00"));
    QCOMPARE(view.EditEndTime->text(), QString("AM 01:00"));
    QCOMPARE(view.EditRemainTime->text(), QString("01:30")); // always 24-hour form
    view.SetShowSeconds(true);
    view.SetNow(T(23, 30, 10));
    QCOMPARE(view.EditRemainTime->text(), QString("01:29:50"));
    QCOMPARE(view.EditStartTime->text(), QString("PM 11:00:00"));

    TKCurSchView english(nullptr, 1);
    QCOMPARE(english.LabelCurSchTitle->text(), QString("Current Schedule"));
    QCOMPARE(english.LabelRemainTime->text(), QString("Remained"));
}

void TestSidePanel::panelLayout()
{
    QWidget host;
    KToptionPanel_I panel(&host, &host);
    QVERIFY(panel.isHidden());
    QCOMPARE(panel.size(), QSize(280, 500));
    panel.SetWidth(250);
    panel.SetHeight(700);
    // Clock: first box at (4, 4), centred by the box width from the panel's edge.
    QCOMPARE(panel.ClockBox->geometry(), QRect(4, 4, 242, 80 + 8));
    QCOMPARE(panel.Clock->pos(), QPoint((242 - 182) / 2, 8));
    // Current-schedule view: 5 below, panel width - 16 wide at the box's left + 4.
    QCOMPARE(panel.CurSchBox->y(), 4 + 88 + 5);
    QCOMPARE(panel.CurSchView->geometry(), QRect(8, 97 + 4, 234, 140));
    QCOMPARE(panel.CurSchView->palette().color(QPalette::Window), QColor(192, 220, 192));
    QCOMPARE(panel.CurSchView->EditSchItem->focusPolicy(), Qt::NoFocus);
    // Calendar below, with the font size 10, inside the panel.
    QCOMPARE(panel.CalendarBox->y(), panel.CurSchBox->geometry().bottom() + 1 + 5);
    QCOMPARE(panel.CalendarView->FontSize(), 10);
    QCOMPARE(panel.CalendarBox->height(), panel.CalendarView->height() + 8);
    QVERIFY(panel.CalendarView->geometry().right() < 250);
    QVERIFY(panel.CalendarView->x() >= 0);
    // The value fields keep the design's column rule: gap 15, centred.
    TKCurSchView *v = panel.CurSchView;
    QCOMPARE(v->EditStartTime->x() - v->LabelStartTime->x(), v->LabelColumnWidth() + 15);
}

void TestSidePanel::schedulingPanelLayout()
{
    QWidget host;
    KToptionPanel_II panel(&host, &host);
    panel.SetWidth(250);
    panel.SetHeight(700);
    QVERIFY(panel.GraphView);
    QCOMPARE(panel.GraphView->height(), 260);
    QCOMPARE(panel.GraphView->width(), 234);
    QCOMPARE(panel.GraphView->x(), 4 + (242 - 234) / 2);
    QCOMPARE(panel.GraphBox->y(), panel.CurSchBox->geometry().bottom() + 1 + 5);
    QCOMPARE(panel.GraphBox->height(), 260 + 8);
}

QTEST_MAIN(TestSidePanel)
#include "tst_sidepanel.moc"
