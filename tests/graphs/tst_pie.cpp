#include "graphs/GraphTestUtil.h"
#include "graphs/KGraphMath.h"
#include "graphs/KTSchFramePopup.h"
#include "graphs/KTSchedulePie.h"

#include <QMouseEvent>
#include <QtTest>

using namespace GraphTest;

class PieTest : public QObject {
    Q_OBJECT

    // Pixel of the pie picture at distance r and dial angle theta from the centre.
    static uint32_t At(const KTSchedulePie &pie, double r, double theta)
    {
        const QPoint c = pie.Centre();
        return Bgr(pie.Picture(), c.x() + int(KGraphMath::DialX(r, theta)),
                   c.y() + int(KGraphMath::DialY(r, theta)));
    }

private slots:
    void anglesFollowTheClock()
    {
        QCOMPARE(KGraphMath::TimeToAngle(T(0)), 270.0);
        QCOMPARE(KGraphMath::TimeToAngle(T(6)), 360.0);
        QCOMPARE(KGraphMath::TimeToAngle(T(12)), 450.0);
        QCOMPARE(KGraphMath::TimeToAngle(T(24)), 630.0);
        QCOMPARE(KGraphMath::TimeToAngle(KSchTime{23, 0, 59}), 615.0);
    }

    void wholeDayFrameFillsTheCircle()
    {
        KDaySchedule s;
        Fill(s, {{T(0), T(24), u"Free", 0x0000FF}});
        KTSchedulePie pie;
        pie.SetSchedule(&s);
        pie.Draw();
        QVERIFY(pie.Drawn());
        QCOMPARE(pie.width(), KTPieGraph::SideFor(100, 5, 0));
        for (int theta = 0; theta < 360; theta += 15) {
            if (theta >= 60 && theta <= 120)
                continue; // the label sits above the centre
            QCOMPARE(At(pie, 95, theta), 0x0000FFu);
            QCOMPARE(At(pie, 30, theta), 0x0000FFu);
        }
        QCOMPARE(At(pie, 104, 45), 0xFFFFFFu);
        // Mid-angle 450 + 180: the label is centred half a radius above the centre.
        const QRect label = pie.ItemLabelRect(0);
        QVERIFY(qAbs(label.center().x() - pie.Centre().x()) <= 1);
        QVERIFY(qAbs(label.center().y() - (pie.Centre().y() - 50)) <= 1);
    }

    void lateFrameIsASliceAcrossTheBottom()
    {
        KDaySchedule s;
        Fill(s, {{T(23), T(2), u"Night", 0xFF0000}});
        KTSchedulePie pie;
        pie.SetSchedule(&s);
        pie.Draw();
        // 615 to 645 degrees: 255 .. 285 on the dial, centred on the bottom.
        QCOMPARE(At(pie, 80, 270), 0xFF0000u);
        QCOMPARE(At(pie, 80, 258), 0xFF0000u);
        QCOMPARE(At(pie, 80, 282), 0xFF0000u);
        QCOMPARE(At(pie, 80, 250), 0xFFFFFFu);
        QCOMPARE(At(pie, 80, 290), 0xFFFFFFu);
        QCOMPARE(At(pie, 80, 90), 0xFFFFFFu);
    }

    void zeroLengthFrameDrawsNothing()
    {
        KDaySchedule s;
        Fill(s, {{T(6), T(0), u"Zero", 0x00C000}});
        KTSchedulePie pie;
        pie.SetSchedule(&s);
        pie.Draw();
        QCOMPARE(CountNear(pie.Picture(), pie.Picture().rect(), 0x00C000, 10), 0);
        QCOMPARE(pie.ItemLabelCount(), 1);
        QVERIFY(!pie.ItemLabelShown(0)); // no room for the name on a line
        QCOMPARE(CountNear(pie.Picture(), pie.Picture().rect(), 0x000000, 80), 0);
    }

    void labelColourFollowsLuminance()
    {
        // Navy (dark, blue hue) and dark red give white text; yellow and white keep black text.
        QCOMPARE(KGraphMath::LabelTextColor(0x800000), 0xFFFFFFu);
        QCOMPARE(KGraphMath::LabelTextColor(0x000080), 0xFFFFFFu);
        QCOMPARE(KGraphMath::LabelTextColor(0x00FFFF), 0x000000u);
        QCOMPARE(KGraphMath::LabelTextColor(0xFFFFFF), 0x000000u);

        KDaySchedule s;
        Fill(s, {{T(0), T(12), u"Dark", 0x800000}, {T(12), T(12), u"Light", 0x00FFFF}});
        KTSchedulePie pie;
        pie.SetRadius(150);
        pie.SetSchedule(&s);
        pie.Draw();
        const QImage &img = pie.Picture();
        QVERIFY(CountNear(img, pie.ItemLabelRect(0), 0xFFFFFF, 60) > 3);
        QVERIFY(CountNear(img, pie.ItemLabelRect(1), 0x000000, 60) > 3);
        QCOMPARE(CountNear(img, pie.ItemLabelRect(1), 0xFFFFFF, 60), 0);
    }

    void hourLabelsEveryThreeHoursOrEveryHour()
    {
        KDaySchedule s;
        Fill(s, {{T(0), T(24), u"Free", 0xFFFFFF}});
        KTSchedulePie pie;
        pie.SetSchedule(&s);
        pie.SetHourLabelMode(2);
        pie.Draw();
        QCOMPARE(pie.LabelMargin(), 30);
        QCOMPARE(pie.HourLabelCount(), 8);
        const auto &labels = pie.HourLabels();
        QCOMPARE(labels[0].Text, QString("00"));
        QCOMPARE(labels[1].Text, QString("03"));
        QCOMPARE(labels[4].Text, QString("12"));
        const QPoint c = pie.Centre();
        QVERIFY(labels[0].Rect.top() > c.y() + 100);    // midnight below the dial
        QVERIFY(labels[4].Rect.bottom() < c.y() - 100); // noon above
        QVERIFY(labels[2].Rect.right() < c.x() - 100);  // 06 on the left
        QVERIFY(labels[6].Rect.left() > c.x() + 100);   // 18 on the right
        QVERIFY(CountNear(pie.Picture(), labels[4].Rect, 0x000000, 80) > 3);

        pie.SetHourLabelMode(3); // redraws at once
        QCOMPARE(pie.HourLabelCount(), 24);
        QCOMPARE(pie.HourLabels()[23].Text, QString("23"));
        for (const auto &l : pie.HourLabels())
            QVERIFY(CountNear(pie.Picture(), l.Rect, 0x000000, 80) > 0);

        pie.SetHourLabelMode(0);
        QCOMPARE(pie.HourLabelCount(), 0);
        QCOMPARE(pie.LabelMargin(), 0);
    }

    void timeMarkMovesRoundTheDialWithoutRedrawing()
    {
        KDaySchedule s;
        Fill(s, {{T(0), T(24), u"Free", 0xFFFFFF}});
        QWidget panel;
        panel.resize(400, 400);
        auto *pie = new KTSchedulePie(&panel);
        pie->move(20, 30);
        pie->SetSchedule(&s);
        pie->SetTimeMarkSize(13);
        pie->TimeMarkOffset = 5;
        pie->ShowTime(T(6)); // before the first draw: nothing
        QVERIFY(pie->TimeMark() == nullptr);
        pie->SetTimeMarkStyle(2);
        pie->Draw();
        QVERIFY(pie->TimeMark() != nullptr);
        QCOMPARE(pie->TimeMark()->parentWidget(), &panel);
        const int draws = pie->DrawCount();
        const QPoint c = pie->pos() + QPoint(pie->width() / 2, pie->height() / 2);
        const int rho = pie->Radius() + 5;

        pie->ShowTime(T(6));
        QRect m = pie->TimeMark()->geometry();
        QCOMPARE(m.size(), QSize(13, 13));
        QVERIFY(qAbs(m.center().x() - (c.x() - rho)) <= 1);
        QVERIFY(qAbs(m.center().y() - c.y()) <= 1);

        pie->ShowTime(T(12));
        m = pie->TimeMark()->geometry();
        QVERIFY(qAbs(m.center().x() - c.x()) <= 1);
        QVERIFY(qAbs(m.center().y() - (c.y() - rho)) <= 1);
        QCOMPARE(pie->DrawCount(), draws);

        // The mark is magenta on screen, outside the picture.
        panel.show();
        const QImage shot = panel.grab().toImage();
        QVERIFY(CountNear(shot, m, 0xFF00FF, 30) > 20);
        QCOMPARE(CountNear(pie->Picture(), pie->Picture().rect(), 0xFF00FF, 30), 0);

        pie->SetTimeMarkStyle(0);
        QVERIFY(pie->TimeMark() == nullptr);
    }

    void popupFollowsTheLabelsAsTheDialDoes()
    {
        KDaySchedule s;
        Fill(s, {{T(23, 30), T(1), u"Late", 0xFFFFFF, u"memo text"}, {T(0, 30), T(23), u"Rest", 0xFFFFFF}});
        QWidget panel;
        panel.resize(500, 500);
        auto *pie = new KTSchedulePie(&panel);
        pie->SetRadius(150);
        pie->SetSchedule(&s);
        pie->Draw();
        int hidden = 0;
        pie->SetOnPopupHidden([&] { ++hidden; });
        auto move = [&](QPoint p) {
            QMouseEvent ev(QEvent::MouseMove, QPointF(p), pie->mapToGlobal(QPointF(p)), Qt::NoButton,
                           Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(pie, &ev);
        };
        move(pie->ItemLabelRect(0).center());
        KTSchFramePopup *popup = pie->FramePopup();
        QVERIFY(popup && !popup->isHidden());
        QCOMPARE(popup->ItemText(), QString("Late"));
        QCOMPARE(popup->TimeText(), QString("23:30 ～ 00:30"));
        QCOMPARE(popup->MemoText(), QString("memo text"));
        // Straight into the other label: the first frame's popup stays.
        move(pie->ItemLabelRect(1).center());
        QCOMPARE(popup->ItemText(), QString("Late"));
        move(QPoint(2, 2));
        QVERIFY(popup->isHidden());
        QCOMPARE(hidden, 1);
        move(pie->ItemLabelRect(1).center());
        QCOMPARE(popup->ItemText(), QString("Rest"));

        pie->SetPopupsEnabled(false);
        QVERIFY(pie->FramePopup() == nullptr);
    }
};

QTEST_MAIN(PieTest)
#include "tst_pie.moc"
