#include "app/dialogs/TKCalendarView.h"

#include "app/dialogs/KMonthCalendar.h"

#include <QPushButton>
#include <QtTest>

class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void layoutAndToday();
    void monthPageAndSelection();
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

    view.MonthCalendar->SetSelectedDate(QDate(2025, 3, 1));
    QTest::mouseClick(view.ButtonToday, Qt::LeftButton);
    QCOMPARE(view.MonthCalendar->SelectedDate(), today);
    QCOMPARE(view.MonthCalendar->MonthShown(), 12);

    view.SetMaxWidth(180);
    QVERIFY(view.width() <= 180);

    TKCalendarView english(nullptr, 1);
    QCOMPARE(english.ButtonToday->text(), QString("Today"));
}

void TestCalendar::monthPageAndSelection()
{
    KMonthCalendar cal;
    cal.resize(cal.sizeHint());
    cal.show();
    cal.SetSelectedDate(QDate(2026, 12, 9));
    QCOMPARE(cal.Title(), QString("2026年12月"));
    QCOMPARE(cal.DayName(0), QString("日"));
    // December 2026 begins on a Tuesday: the first row holds 29 and 30 November.
    QCOMPARE(cal.DateAt(0, 0), QDate(2026, 11, 29));
    QCOMPARE(cal.DateAt(2, 0), QDate(2026, 12, 1));
    QCOMPARE(cal.DateAt(6, 5), QDate(2027, 1, 9));

    // A click on a day selects it; one on a grey day of the next month turns the page as well.
    QTest::mouseClick(&cal, Qt::LeftButton, {}, cal.DayRect(4, 2).center());
    QCOMPARE(cal.SelectedDate(), QDate(2026, 12, 17));
    QTest::mouseClick(&cal, Qt::LeftButton, {}, cal.DayRect(5, 5).center());
    QCOMPARE(cal.SelectedDate(), QDate(2027, 1, 8));
    QCOMPARE(cal.MonthShown(), 1);
    QCOMPARE(cal.YearShown(), 2027);

    // The arrows turn the page only; the selection stays.
    QTest::mouseClick(&cal, Qt::LeftButton, {}, cal.PreviousArrowRect().center());
    QTest::mouseClick(&cal, Qt::LeftButton, {}, cal.PreviousArrowRect().center());
    QCOMPARE(cal.MonthShown(), 11);
    QCOMPARE(cal.YearShown(), 2026);
    QCOMPARE(cal.SelectedDate(), QDate(2027, 1, 8));
    QTest::mouseClick(&cal, Qt::LeftButton, {}, cal.NextArrowRect().center());
    QCOMPARE(cal.MonthShown(), 12);

    // Keys move the selected day across the month's edges.
    cal.SetSelectedDate(QDate(2026, 12, 31));
    QTest::keyClick(&cal, Qt::Key_Right);
    QCOMPARE(cal.SelectedDate(), QDate(2027, 1, 1));
    QCOMPARE(cal.MonthShown(), 1);
    QTest::keyClick(&cal, Qt::Key_Up);
    QCOMPARE(cal.SelectedDate(), QDate(2026, 12, 25));
    QTest::keyClick(&cal, Qt::Key_PageUp);
    QCOMPARE(cal.SelectedDate(), QDate(2026, 11, 25));

    // The selected day is drawn highlighted, a day of another month in grey.
    const QImage shot = cal.grab().toImage();
    const auto hasColour = [&](const QRect &r, const QColor &c) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (shot.pixelColor(x, y) == c)
                    return true;
        return false;
    };
    const QRect selectedRect = cal.DayRect(3, 3); // 25 November 2026, a Wednesday
    QCOMPARE(cal.DateAt(3, 3), QDate(2026, 11, 25));
    QVERIFY(hasColour(selectedRect, cal.palette().color(QPalette::Highlight)));
    QVERIFY(!hasColour(cal.DayRect(3, 2), cal.palette().color(QPalette::Highlight)));

    cal.SetLanguage(1);
    QCOMPARE(cal.Title(), QString("November 2026"));
    QCOMPARE(cal.DayName(6), QString("S"));
}

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
