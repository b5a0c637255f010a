#include "graphs/GraphTestUtil.h"
#include "graphs/KGraphMath.h"
#include "graphs/KTScheduleTimeline.h"

#include <QFontMetrics>
#include <QtTest>

using namespace GraphTest;

class TimelineTest : public QObject {
    Q_OBJECT

    // A timeline like the main window's: 400-pixel axis, wide blocks.
    static void Configure(KTScheduleTimeline &t)
    {
        t.resize(300, 440);
        t.AxisLength = 400;
        t.BarWidth = 150;
        t.LabelOffset = 30;
    }
    static int Y(const KTScheduleTimeline &t, double fraction)
    {
        return t.Origin.y() + int(fraction * t.AxisLength);
    }
    static int BlockX(const KTScheduleTimeline &t) { return t.BlocksLeft() + 3; }

private slots:
    void frameAcrossMidnightIsTwoBlocks()
    {
        KDaySchedule s;
        Fill(s, {{T(22), T(4), u"Night", 0x0000C0}});
        KTScheduleTimeline t;
        Configure(t);
        t.SetSchedule(&s);
        t.Draw();
        const QImage &img = t.Picture();
        const int x = BlockX(t);
        QCOMPARE(Bgr(img, x, Y(t, 1.0 / 24)), 0x0000C0u);  // 01:00, upper block
        QCOMPARE(Bgr(img, x, Y(t, 23.0 / 24)), 0x0000C0u); // 23:00, lower block
        QCOMPARE(Bgr(img, x, Y(t, 0.5)), 0xFFFFFFu);       // noon: nothing
        QCOMPARE(Bgr(img, x, Y(t, 3.0 / 24)), 0xFFFFFFu);
        // The name sits in the middle of the lower block.
        const int mid = Y(t, (22.0 / 24 + 1.0) / 2);
        QVERIFY(qAbs(t.ItemLabelRect(0).center().y() - mid) <= 1);
        QCOMPARE(t.ItemLabelRect(0).left(), t.BlocksLeft() + 30);
    }

    void blocksReachTheEndsAndZeroFramesDrawNothing()
    {
        KDaySchedule s;
        Fill(s, {{T(18), T(6), u"Evening", 0x00A000},
                 {T(6), T(24), u"Whole", 0xA00000},
                 {T(12), T(0), u"Zero", 0x0000FF}});
        KTScheduleTimeline t;
        Configure(t);
        t.SetSchedule(&s);
        t.Draw();
        const QImage &img = t.Picture();
        const int x = BlockX(t);
        QCOMPARE(Bgr(img, x, Y(t, 1.0) - 2), 0x00A000u); // ends at 24:00, the bottom
        QCOMPARE(Bgr(img, x, Y(t, 0.5)), 0xFFFFFFu);     // 06:00 + 24:00 is a zero-height block
        QCOMPARE(CountNear(img, img.rect(), 0x0000FF, 10), 0);
        QCOMPARE(t.ItemLabelCount(), 3);
        // No room for a name on a line (06:00 + 24:00 ends where it starts).
        QVERIFY(t.ItemLabelShown(0) && !t.ItemLabelShown(1) && !t.ItemLabelShown(2));
    }

    void scaleAndHourLabels()
    {
        KDaySchedule s;
        Fill(s, {{T(0), T(24), u"Free", 0xFFFFFF}});
        KTScheduleTimeline t;
        Configure(t);
        t.TickIntervals = 8;
        t.TickThickEvery = 2;
        t.TickThickWidth = 0;
        t.SetTickMode(4);
        t.SetHourLabelMode(1);
        t.SetSchedule(&s);
        t.Draw();
        const QImage &img = t.Picture();
        // Nine outer strokes, the last at the bottom end of the axis.
        for (int i = 0; i <= 8; ++i)
            QCOMPARE(Bgr(img, t.Origin.x() - 3, t.Origin.y() + i * 50), 0x000000u);
        QCOMPARE(Bgr(img, t.Origin.x() - 3, t.Origin.y() + 25), 0xFFFFFFu);
        QCOMPARE(t.HourLabelCount(), 5);
        QStringList texts;
        for (const auto &l : t.HourLabels())
            texts << l.Text;
        QCOMPARE(texts, QStringList({"00", "06", "12", "18", "24"}));
        QVERIFY(qAbs(t.HourLabels()[2].Rect.center().y() - Y(t, 0.5)) <= 1);
        QVERIFY(CountNear(img, t.HourLabels()[4].Rect, 0x000000, 80) > 0);

        t.SetHourLabelMode(2);
        QCOMPARE(t.HourLabelCount(), 9);
        t.SetHourLabelMode(3);
        QCOMPARE(t.HourLabelCount(), 25);
    }

    void collidingLabelsMoveRight()
    {
        // Hour blocks just taller than a name: each holds its name, but the names are closer
        // than the room a label keeps around it.
        KTScheduleTimeline t;
        Configure(t);
        const int h = QFontMetrics(t.font()).height();
        t.AxisLength = (h + 2) * 24;
        t.resize(300, t.AxisLength + 40);
        KDaySchedule s;
        Fill(s, {{T(8), T(1), u"One", 0xFFFFFF}, {T(9), T(1), u"Two", 0xFFFFFF}});
        t.SetSchedule(&s);
        t.Draw();
        QVERIFY(t.ItemLabelShown(0) && t.ItemLabelShown(1));
        const QRect a = t.ItemLabelRect(0), b = t.ItemLabelRect(1);
        QCOMPARE(b.left(), a.left() + a.width() + t.LabelSpacing + 10);
        // Moving is sideways only: the label keeps the top it has when nothing is in its way.
        KDaySchedule alone;
        Fill(alone, {{T(9), T(1), u"Two", 0xFFFFFF}});
        KTScheduleTimeline free;
        Configure(free);
        free.AxisLength = t.AxisLength;
        free.SetSchedule(&alone);
        free.Draw();
        QCOMPARE(free.ItemLabelRect(0).left(), t.BlocksLeft() + 30);
        QCOMPARE(b.top(), free.ItemLabelRect(0).top());
        QVERIFY(qAbs(b.center().y() - Y(t, 9.5 / 24)) <= 1);

        // Too narrow to move: the label stays where it was.
        KTScheduleTimeline narrow;
        Configure(narrow);
        narrow.AxisLength = t.AxisLength;
        narrow.resize(narrow.BlocksLeft() + 35, t.AxisLength + 40);
        narrow.SetSchedule(&s);
        narrow.Draw();
        QCOMPARE(narrow.ItemLabelRect(1).left(), narrow.ItemLabelRect(0).left());
    }

    void timeMarkFollowsTheAxisWithoutRedrawing()
    {
        KDaySchedule s;
        Fill(s, {{T(0), T(24), u"Free", 0xFFFFFF}});
        QWidget panel;
        panel.resize(400, 500);
        auto *t = new KTScheduleTimeline(&panel);
        t->move(2, 10);
        Configure(*t);
        t->SetSchedule(&s);
        t->SetTimeMarkSize(13);
        t->TimeMarkOffset = -13;
        t->SetTimeMarkStyle(2);
        t->Draw();
        const int draws = t->DrawCount();
        t->ShowTime(T(6));
        const QRect m = t->TimeMark()->geometry();
        QCOMPARE(m.size(), QSize(13, 13));
        QCOMPARE(m.top(), 10 + int(t->Origin.y() + 100 - 6.5));
        QCOMPARE(m.left(), 2 + t->Origin.x() + t->BarGap + t->AxisWidth - 13);
        t->ShowTime(T(18));
        QCOMPARE(t->TimeMark()->y(), 10 + int(t->Origin.y() + 300 - 6.5));
        QCOMPARE(t->DrawCount(), draws);
        t->Clear();
        QVERIFY(t->TimeMark() == nullptr);
        t->ShowTime(T(6)); // ignored after Clear
        QVERIFY(!t->Drawn());
    }
};

QTEST_MAIN(TimelineTest)
#include "tst_timeline.moc"
