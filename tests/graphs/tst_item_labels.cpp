// Item labels of the pie and the timeline: a label is drawn only where it fits inside its
// frame, and a frame whose label is left out still names itself in the popup on hover.
#include "graphs/GraphTestUtil.h"
#include "graphs/KGraphMath.h"
#include "graphs/KTSchFramePopup.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"

#include <QMouseEvent>
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <numbers>

using namespace GraphTest;

namespace {

const char16_t *const Names[] = {u"A", u"Work", u"睡眠", u"Breakfast with friends", u"長い項目の名前です"};

// Consecutive frames from a random start, some without length, some short, some long, at
// most a day in all.
void RandomDay(KDaySchedule &s, QRandomGenerator &rng)
{
    s.ClearFrames();
    int minute = rng.bounded(1440);
    int left = 1440;
    const int count = 1 + rng.bounded(12);
    for (int i = 0; i < count && left >= 0; ++i) {
        const int kind = rng.bounded(10);
        int length = kind < 2 ? 0 : kind < 5 ? 1 + rng.bounded(30) : 30 + rng.bounded(300);
        length = std::min(length, left);
        left -= length;
        s.AppendFrame(KScheduleFrame(KSchTime::MakeTime(uint8_t(minute / 60), uint8_t(minute % 60), 0),
                                     KSchTime::MakeTime(uint8_t(length / 60), uint8_t(length % 60), 0),
                                     Names[rng.bounded(5)], 0xFFFFFF, u""));
        minute = (minute + length) % 1440;
    }
}

// The seed of a run: ORVELLA_SEED repeats a failed one.
quint32 Seed()
{
    return qEnvironmentVariableIsSet("ORVELLA_SEED") ? qEnvironmentVariable("ORVELLA_SEED").toUInt()
                                                     : QRandomGenerator::global()->generate();
}

// "seed, round: 08:00+01:30 Work, ..." for the failure messages.
QString Where(quint32 seed, int round, const KDaySchedule &s)
{
    QString text = QString("seed %1 round %2:").arg(seed).arg(round);
    for (int i = 0; i < s.GetCount(); ++i) {
        const KScheduleFrame &f = *s.GetFrame(i);
        text += QString(" %1:%2+%3:%4 %5")
                    .arg(f.StartTime.Hour, 2, 10, QChar('0'))
                    .arg(f.StartTime.Minute, 2, 10, QChar('0'))
                    .arg(f.Duration.Hour)
                    .arg(f.Duration.Minute, 2, 10, QChar('0'))
                    .arg(QString::fromStdU16String(f.ItemName));
    }
    return text;
}

double Minutes(KSchTime t)
{
    return t.Hour * 60.0 + t.Minute;
}

// The pie's own geometry, from the frame's times: whether point p (control coordinates) is
// inside the frame's slice.
bool InSlice(const KTSchedulePie &pie, const KScheduleFrame &f, QPointF p)
{
    const QPointF d = p - QPointF(pie.Centre());
    if (std::hypot(d.x(), d.y()) > pie.Radius())
        return false;
    if (Minutes(f.Duration) >= 1440)
        return true;
    // Dial angle 0 is left, 90 top; 00:00 is at the bottom and the day runs clockwise.
    const double angle = std::atan2(-d.y(), -d.x()) * 180 / std::numbers::pi;
    const double start = KGraphMath::TimeToAngle(f.StartTime);
    double rel = std::fmod(angle - start, 360.0);
    if (rel < 0)
        rel += 360.0;
    return rel <= Minutes(f.Duration) / 4.0;
}

bool RectInSlice(const KTSchedulePie &pie, const KScheduleFrame &f, const QRect &r)
{
    if (r.contains(pie.Centre()) && Minutes(f.Duration) < 1440)
        return false;
    for (int x = r.left(); x <= r.left() + r.width(); ++x)
        if (!InSlice(pie, f, QPointF(x, r.top())) || !InSlice(pie, f, QPointF(x, r.top() + r.height())))
            return false;
    for (int y = r.top(); y <= r.top() + r.height(); ++y)
        if (!InSlice(pie, f, QPointF(r.left(), y)) || !InSlice(pie, f, QPointF(r.left() + r.width(), y)))
            return false;
    return true;
}

template <class Graph> void Move(Graph &g, QPointF p)
{
    QMouseEvent ev(QEvent::MouseMove, p, g.mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&g, &ev);
}

// The frame the popup names after the pointer comes from outside to p.
template <class Graph> const KScheduleFrame *PopupAt(Graph &g, QPointF p)
{
    Move(g, QPointF(-50, -50));
    Move(g, p);
    return g.FramePopup() && !g.FramePopup()->isHidden() ? g.FramePopup()->ShownFrame() : nullptr;
}

} // namespace

class ItemLabelsTest : public QObject {
    Q_OBJECT

private slots:
    void pieLabelsFitTheirSlices()
    {
        const quint32 seed = Seed();
        QRandomGenerator rng(seed);
        for (int round = 0; round < 150; ++round) {
            KDaySchedule s;
            RandomDay(s, rng);
            QWidget panel;
            panel.resize(400, 400);
            KTSchedulePie pie(&panel);
            pie.SetRadius(round % 2 ? 100 : 160);
            pie.SetSchedule(&s);
            pie.Draw();
            const QString at = Where(seed, round, s);
            QCOMPARE(pie.ItemLabelCount(), s.GetCount());
            const QFontMetrics fm(pie.font());
            for (int i = 0; i < s.GetCount(); ++i) {
                const KScheduleFrame &f = *s.GetFrame(i);
                const QRect r = pie.ItemLabelRect(i);
                if (pie.ItemLabelShown(i)) {
                    QVERIFY2(RectInSlice(pie, f, r),
                             qPrintable(at + QString(": label %1 leaves its slice").arg(i)));
                    for (int j = 0; j < i; ++j)
                        QVERIFY2(!r.intersects(pie.ItemLabelRect(j)), qPrintable(at + ": labels overlap"));
                } else {
                    // Where the label would sit half a radius out it does not fit (even with a
                    // pixel to spare all round, for rounding).
                    const double m = KGraphMath::TimeToAngle(f.StartTime) + Minutes(f.Duration) / 8.0;
                    const QSize size(fm.horizontalAdvance(QString::fromStdU16String(f.ItemName)),
                                     fm.height());
                    const QPointF c =
                        QPointF(pie.Centre()) + QPointF(KGraphMath::DialX(pie.Radius() / 2.0, m),
                                                        KGraphMath::DialY(pie.Radius() / 2.0, m));
                    const QRect standard(int(c.x() - size.width() / 2.0), int(c.y() - size.height() / 2.0),
                                         size.width(), size.height());
                    QVERIFY2(!RectInSlice(pie, f, standard.adjusted(-1, -1, 1, 1)),
                             qPrintable(at + QString(": label %1 left out though it fits").arg(i)));
                    // Its frame names itself: on the slice's middle near the rim (or on the
                    // line of a frame without length).
                    const QPoint onSlice =
                        (QPointF(pie.Centre()) + QPointF(KGraphMath::DialX(pie.Radius() * 0.9, m),
                                                         KGraphMath::DialY(pie.Radius() * 0.9, m)))
                            .toPoint();
                    bool underLabel = false;
                    for (int j = 0; j < s.GetCount(); ++j)
                        underLabel =
                            underLabel || pie.ItemLabelRect(j).adjusted(-1, -1, 1, 1).contains(onSlice);
                    if (underLabel)
                        continue;
                    const KScheduleFrame *named = PopupAt(pie, onSlice);
                    QVERIFY2(named, qPrintable(at + QString(": frame %1 without a popup").arg(i)));
                    // Only the line of a frame without length, three pixels either side, comes
                    // first; where a slice is narrower than a pixel, whole pixels decide.
                    const QPointF d = QPointF(onSlice) - QPointF(pie.Centre());
                    const double dist = std::hypot(d.x(), d.y());
                    const double pointer = std::atan2(-d.y(), -d.x()) * 180 / std::numbers::pi;
                    auto lineNear = [&](const KScheduleFrame &z) {
                        const double apart =
                            std::fabs(std::remainder(KGraphMath::TimeToAngle(z.StartTime) - pointer, 360.0));
                        return Minutes(z.Duration) == 0 &&
                               dist * apart * std::numbers::pi / 180 <= 3.0 + 1e-6;
                    };
                    const double arc = dist * Minutes(f.Duration) / 4.0 * std::numbers::pi / 180;
                    QVERIFY2(named == &f || lineNear(*named) || arc < 2.0,
                             qPrintable(at + QString(": frame %1 named another").arg(i)));
                }
            }
        }
    }

    void timelineLabelsFitTheirBlocks()
    {
        const quint32 seed = Seed();
        QRandomGenerator rng(seed);
        for (int round = 0; round < 150; ++round) {
            KDaySchedule s;
            RandomDay(s, rng);
            QWidget panel;
            panel.resize(400, 700);
            KTScheduleTimeline t(&panel);
            t.resize(380, 660);
            t.AxisLength = round % 2 ? 400 : 600;
            t.BarWidth = 200;
            t.LabelOffset = 30;
            t.SetSchedule(&s);
            t.Draw();
            const QString at = Where(seed, round, s);
            const int h = QFontMetrics(t.font()).height();
            for (int i = 0; i < s.GetCount(); ++i) {
                const KScheduleFrame &f = *s.GetFrame(i);
                // The parts of the block on the axis, in whole pixel rows (minute * axis / 1440,
                // rounded down).
                const int axis = t.AxisLength, start = int(Minutes(f.StartTime)) % 1440;
                const int end = start + int(Minutes(f.Duration));
                auto row = [&](int minute) { return t.Origin.y() + minute * axis / 1440; };
                const int top1 = row(start);
                const int bottom1 = row(std::min(end, 1440));
                const int bottom2 = end > 1440 ? row(end - 1440) : t.Origin.y();
                const bool fits = bottom1 - top1 >= h || bottom2 - t.Origin.y() >= h;
                QVERIFY2(t.ItemLabelShown(i) == fits,
                         qPrintable(
                             at + QString(": label %1 %2 (block rows %3-%4, %5 and a line of %6)")
                                      .arg(i)
                                      .arg(fits ? "left out though it fits" : "drawn though it does not fit")
                                      .arg(top1)
                                      .arg(bottom1)
                                      .arg(bottom2 - t.Origin.y())
                                      .arg(h)));
                if (fits) {
                    const QRect r = t.ItemLabelRect(i);
                    const bool inFirst = r.top() >= top1 && r.top() + r.height() <= bottom1;
                    const bool inSecond = r.top() >= t.Origin.y() && r.top() + r.height() <= bottom2;
                    QVERIFY2(inFirst || inSecond,
                             qPrintable(at + QString(": label %1 leaves its block").arg(i)));
                    continue;
                }
                const int y = (top1 + bottom1) / 2;
                bool underLabel = false;
                const QPoint p(t.BlocksLeft() + 3, y);
                for (int j = 0; j < s.GetCount(); ++j)
                    underLabel = underLabel || t.ItemLabelRect(j).adjusted(-1, -1, 1, 1).contains(p);
                if (underLabel)
                    continue;
                const KScheduleFrame *named = PopupAt(t, p);
                QVERIFY2(named, qPrintable(at + QString(": block %1 without a popup").arg(i)));
                // Only the line of a frame without a pixel row, three pixels either side, comes first.
                auto lineNear = [&](const KScheduleFrame &z) {
                    const int from = int(Minutes(z.StartTime)) % 1440;
                    const int line = row(from);
                    return line == row(std::min(1440, from + int(Minutes(z.Duration)))) &&
                           std::abs(line - y) <= 3;
                };
                QVERIFY2(named == &f || lineNear(*named),
                         qPrintable(at + QString(": block %1 named another").arg(i)));
            }
        }
    }

    // Frames without length draw nothing at all, their labels included, however many sit
    // at one time.
    void framesWithoutLengthLeaveThePictureAlone()
    {
        KDaySchedule plain, piled;
        Fill(plain, {{T(0), T(24), u"Day", 0xFFFFFF}});
        Fill(piled, {{T(0), T(24), u"Day", 0xFFFFFF},
                     {T(9), T(0), u"One", 0x0000FF},
                     {T(9), T(0), u"Two", 0x0000FF},
                     {T(9), T(0), u"Three", 0x0000FF},
                     {T(17, 30), T(0), u"Four", 0x0000FF}});
        KTSchedulePie a, b;
        a.SetSchedule(&plain);
        b.SetSchedule(&piled);
        a.Draw();
        b.Draw();
        QCOMPARE(b.Picture(), a.Picture());
        KTScheduleTimeline c, d;
        for (KTScheduleTimeline *t : {&c, &d}) {
            t->resize(300, 440);
            t->AxisLength = 400;
            t->BarWidth = 150;
        }
        c.SetSchedule(&plain);
        d.SetSchedule(&piled);
        c.Draw();
        d.Draw();
        QCOMPARE(d.Picture(), c.Picture());
        // The first of the pile names itself on its line.
        const QPoint at(d.BlocksLeft() + 3, d.Origin.y() + 9 * 400 / 24);
        QCOMPARE(PopupAt(d, at), piled.GetFrame(1));
        const QPointF line =
            QPointF(b.Centre()) + QPointF(KGraphMath::DialX(80, KGraphMath::TimeToAngle(T(17, 30))),
                                          KGraphMath::DialY(80, KGraphMath::TimeToAngle(T(17, 30))));
        QCOMPARE(PopupAt(b, line), piled.GetFrame(4));
    }
};

QTEST_MAIN(ItemLabelsTest)
#include "tst_item_labels.moc"
