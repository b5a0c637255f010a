// While a frame is dragged the pie keeps the slices that stay drawn and paints only the
// dragged ones over them, then the scale and the labels: the picture must be the one a whole
// draw of the same times gives, but for anti-aliased pixels along the dragged slices' edges.
#include "graphs/GraphTestUtil.h"
#include "graphs/KMainGraphSetup.h"
#include "graphs/KTGraphDragEditor.h"
#include "graphs/KTSchedulePie.h"
#include "model/KScheduleEditCore.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

using GraphTest::T;

namespace {
// Pixels where some colour channel differs by more than tolerance.
int Differing(const QImage &a, const QImage &b, int tolerance = 0)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int apart = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                        std::abs(qBlue(p) - qBlue(q))});
            n += apart > tolerance ? 1 : 0;
        }
    }
    return n;
}
} // namespace

class TestDragPicture : public QObject {
    Q_OBJECT

private slots:
    void draggedPieIsTheWholeDraw()
    {
        KDaySchedule shown;
        GraphTest::Fill(shown, {{T(0), T(6), u"睡眠", 0x996633},
                                {T(6), T(1, 30), u"朝", 0x33CCFF},
                                {T(7, 30), T(9, 30), u"仕事", 0xFF3300},
                                {T(17), T(2), u"夕食", 0x00CC66},
                                {T(19), T(5), u"夜", 0xCC99FF}});
        KScheduleEditCore core(shown); // outlives the pie
        QWidget panel;
        panel.resize(750, 599);
        auto *pie = new KTSchedulePie(&panel);
        KMainGraphSetup::SetUpPie(pie, panel.size(), false, false);
        pie->SetSchedule(&core.Edit());
        pie->Draw();
        pie->DragEditor()->SetEditCore(&core);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const QImage before = pie->Picture().copy();

        // The work frame's body a little over an hour later, its neighbours following.
        auto at = [pie](double minutes) {
            const double theta = (minutes / 4.0 + 270.0) * std::numbers::pi / 180.0;
            const double r = pie->Radius() * 0.6;
            return pie->Centre() +
                   QPoint(int(std::lround(-r * std::cos(theta))), int(std::lround(-r * std::sin(theta))));
        };
        QTest::mousePress(pie, Qt::LeftButton, {}, at(720));
        QTest::mouseMove(pie, at(760));
        QTest::mouseMove(pie, at(790));
        QVERIFY(pie->DragEditor()->Dragging());
        QVERIFY(core.Edit().GetFrame(2)->StartTime != T(7, 30));
        const QImage dragged = pie->Picture().copy();
        QVERIFY(Differing(before, dragged) > 2000); // the slices have moved

        pie->RepaintFrames(); // the whole picture of the same times
        const QImage whole = pie->Picture().copy();
        // Anti-aliased pixels along the dragged slices' edges blend in another order; every
        // other pixel is the same, and no pixel is far off.
        const int apart = Differing(dragged, whole, 0);
        QVERIFY2(apart < 8 * pie->Radius(), qPrintable(QString::number(apart)));
        const int farOff = Differing(dragged, whole, 80);
        QVERIFY2(farOff == 0, qPrintable(QString::number(farOff)));

        QTest::mouseRelease(pie, Qt::LeftButton, {}, at(790));
        QVERIFY(!pie->DragEditor()->Dragging());
    }
};

QTEST_MAIN(TestDragPicture)
#include "tst_drag_picture.moc"
