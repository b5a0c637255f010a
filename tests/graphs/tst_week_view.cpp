// The week view's picture: seven columns drawn from the day files with the timeline's
// drawing, a day that cannot be shown greyed, today highlighted and the mark on it; a click
// on a usable column names its weekday.
#include "graphs/GraphTestUtil.h"
#include "graphs/KTWeekView.h"

#include <QtTest>

using namespace GraphTest;

namespace {
// Day d has one frame, from d+2 to d+5 o'clock in its own colour.
const uint32_t Colors[7] = {0x0000C0, 0x00A000, 0xC00000, 0x00C0C0, 0xC000C0, 0xC0C000, 0x004080};

struct Week {
    std::array<KDaySchedule, 7> Days;
    std::array<KTWeekView::Day, 7> View;
    Week()
    {
        for (int d = 0; d < 7; ++d) {
            Fill(Days[size_t(d)], {{T(d + 2), T(3), u"Work", Colors[d]}});
            View[size_t(d)].Schedule = &Days[size_t(d)];
            View[size_t(d)].Caption = QString("day %1").arg(d);
        }
        // Tuesday's file is missing.
        View[2].Schedule = nullptr;
        View[2].Reason = "The file doesn't exist.\n/w/tue.ors";
    }
};

// The middle of the blocks of a column, at a time.
QPoint BlockPoint(const KTWeekView &v, int day, int hour)
{
    const QRect c = v.ColumnRect(day);
    return QPoint(c.left() + c.width() * 2 / 3, v.TimeY(T(hour, 30)));
}
} // namespace

class WeekViewTest : public QObject {
    Q_OBJECT

private slots:
    void columnsShowTheDaysAndTodayCarriesTheMark()
    {
        Week week;
        QWidget host;
        host.resize(780, 560);
        KTWeekView view(&host);
        view.setGeometry(2, 6, 760, 540);
        view.SetDays(week.View);
        view.SetToday(3);
        view.SetTimeMarkStyle(2);
        view.Draw();
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        const QImage &img = view.Picture();

        for (int d = 0; d < 7; ++d) {
            const QPoint inBlock = BlockPoint(view, d, d + 3);
            if (d == 2) {
                // Greyed over its whole length: grey ground and hatching, no block.
                const QRect c = view.ColumnRect(d);
                const QRect body(c.left() + 2, view.TimeY(T(1)), c.width() - 4,
                                 view.TimeY(T(23)) - view.TimeY(T(1)));
                const int grey = CountNear(img, body, 0xDCDCDC, 6) + CountNear(img, body, 0xB0B0B0, 6);
                QVERIFY2(grey > body.width() * body.height() * 8 / 10, qPrintable(QString::number(grey)));
                QCOMPARE(CountNear(img, body, Colors[d], 10), 0);
                continue;
            }
            QCOMPARE(Bgr(img, inBlock.x(), inBlock.y()), Colors[d]);
            // Each day's block only in its own column, at its own hours.
            QCOMPARE(Bgr(img, inBlock.x(), view.TimeY(T(d + 6, 30))), d == 3 ? 0xC8F4FFu : 0xFFFFFFu);
            for (int other = 0; other < 7; ++other)
                if (other != d)
                    QCOMPARE(CountNear(img, view.ColumnRect(other), Colors[d], 10), 0);
        }

        // The mark: on today's column at the time, moved without drawing the picture again.
        view.ShowTime(T(12));
        QWidget *mark = view.TimeMark();
        QVERIFY(mark && mark->isVisible());
        const QPoint centre = mark->geometry().center() - view.pos();
        QVERIFY(view.ColumnRect(3).contains(centre));
        QVERIFY(qAbs(centre.y() - view.TimeY(T(12))) <= 1);
        const int draws = view.DrawCount();
        view.ShowTime(T(18, 45));
        QVERIFY(qAbs(mark->geometry().center().y() - view.pos().y() - view.TimeY(T(18, 45))) <= 1);
        QCOMPARE(view.DrawCount(), draws);

        // After midnight the highlight and the mark move to the next day: one draw.
        view.SetToday(4);
        view.ShowTime(T(0, 5));
        QCOMPARE(view.DrawCount(), draws + 1);
        QVERIFY(view.ColumnRect(4).contains(mark->geometry().center() - view.pos()));
        const QPoint wasToday = BlockPoint(view, 3, 9);
        QCOMPARE(Bgr(view.Picture(), wasToday.x(), wasToday.y()), 0xFFFFFFu);
    }

    void clickingAUsableColumnNamesItsDay()
    {
        Week week;
        KTWeekView view;
        view.resize(760, 540);
        view.SetDays(week.View);
        view.Draw();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        std::vector<int> clicked;
        view.OnDayClicked = [&](int day) { clicked.push_back(day); };
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.ColumnRect(5).center());
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.ColumnRect(0).left() + 3, 10)); // the header
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.ColumnRect(2).center());               // greyed
        QTest::mouseClick(&view, Qt::RightButton, {}, view.ColumnRect(1).center());
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(5, 100)); // the hour labels
        QCOMPARE(clicked, (std::vector<int>{5, 0}));
    }
};

QTEST_MAIN(WeekViewTest)
#include "tst_week_view.moc"
