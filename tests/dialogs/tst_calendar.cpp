#include "app/dialogs/TKCalendarView.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QtTest>

class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void layoutAndToday();
};

void TestCalendar::layoutAndToday()
{
    TKCalendarView view;
    QDate today(2026, 12, 9);
    view.Today = [&] { return today; };
    view.SetFontSize(10);
    QCOMPARE(view.ButtonToday->text(), QString("今日"));
    QCOMPARE(view.ButtonToday->height(), 25);
    QCOMPARE(view.ButtonToday->y(), view.MonthCalendar->height());
    QCOMPARE(view.ButtonToday->width(), view.MonthCalendar->width());
    QCOMPARE(view.height(), view.MonthCalendar->height() + 25);

    view.MonthCalendar->setSelectedDate(QDate(2025, 3, 1));
    QTest::mouseClick(view.ButtonToday, Qt::LeftButton);
    QCOMPARE(view.MonthCalendar->selectedDate(), today);
    QCOMPARE(view.MonthCalendar->monthShown(), 12);

    view.SetMaxWidth(180);
    QVERIFY(view.width() <= 180);

    TKCalendarView english(nullptr, 1);
    QCOMPARE(english.ButtonToday->text(), QString("Today"));
}

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
