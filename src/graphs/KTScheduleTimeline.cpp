#include "graphs/KTScheduleTimeline.h"

#include "graphs/KGraphMath.h"
#include "graphs/core/KDragGeometry.h"
#include "model/KDaySchedule.h"
#include "platform/qt/KFontMap.h"

#include <QFontMetrics>
#include <QPainter>

using KGraphMath::Trunc;

KTScheduleTimeline::KTScheduleTimeline(QWidget *parent) : KTScheduleGraph(parent)
{
    Origin = QPoint(35, 10);
}

std::vector<KTimelineBlock> KTScheduleTimeline::BlocksOf(const KDaySchedule &schedule)
{
    std::vector<KTimelineBlock> blocks;
    for (int32_t i = 0; i < schedule.Capacity(); ++i) {
        const KScheduleFrame *f = schedule.GetFrame(i);
        if (!f || !f->HasItemName())
            continue;
        KTimelineBlock b;
        b.Start = KGraphMath::TimeToFraction(f->StartTime);
        if (b.Start >= 1.0)
            b.Start -= 1.0;
        b.End = KGraphMath::TimeToFraction(f->EndTime());
        if (b.End > 1.0)
            b.End -= 1.0;
        if (f->Duration == KSchTime{})
            b.End = b.Start;
        b.Color = f->Color;
        b.Name = QString::fromStdU16String(f->ItemName);
        blocks.push_back(std::move(b));
    }
    return blocks;
}

void KTScheduleTimeline::PaintSchedule()
{
    const std::vector<KTimelineBlock> blocks = BlocksOf(*Schedule());

    const int tickMode = TickMode();
    bool scale = true;
    if (tickMode >= 1 && tickMode <= 3) {
        static const int intervals[] = {4, 8, 24};
        TickIntervals = intervals[tickMode - 1];
        TickColor = 0x000000;
        TickThickEvery = 0;
        TickThickWidth = 3;
    } else if (tickMode != 4) {
        scale = false;
    }

    PaintAxis();
    PaintBlocks(blocks);
    if (scale)
        PaintScale();
    PlaceAndPaintItemLabels(blocks);
}

namespace {
KDragGeometry::Axis AxisOf(const KTScheduleTimeline &t)
{
    return KDragGeometry::Axis{double(t.Origin.y()), double(t.AxisLength), double(t.BlocksLeft()),
                               double(t.BarWidth)};
}
} // namespace

KDragTarget KTScheduleTimeline::HitAt(QPointF p) const
{
    if (!Schedule())
        return {};
    return KDragGeometry::TimelineHit(*Schedule(), AxisOf(*this), p.x(), p.y(), EdgeTolerance);
}

int32_t KTScheduleTimeline::SecondsAt(QPointF p) const
{
    return KDragGeometry::TimelineSeconds(AxisOf(*this), p.y());
}

Qt::CursorShape KTScheduleTimeline::EdgeCursor(const KDragEdge &) const
{
    return Qt::SizeVerCursor;
}

QPoint KTScheduleTimeline::TimeMarkPlace(KSchTime now, int size) const
{
    const QPoint at = PosInHost();
    const int top = at.y() + Trunc(Origin.y() + AxisLength * KGraphMath::TimeToFraction(now) - size / 2.0);
    const int left = at.x() + Origin.x() + BarGap + AxisWidth + TimeMarkOffset;
    return QPoint(left, top);
}

void KTScheduleTimeline::PaintHourLabels()
{
    static const int counts[] = {5, 9, 25};
    static const int hourSteps[] = {6, 3, 1};
    const int mode = HourLabelMode();
    if (mode < 1 || mode > 3)
        return;
    const int n = counts[mode - 1];
    const KSchTime step = KSchTime::MakeTime(uint8_t(hourSteps[mode - 1]), 0, 0);
    const double fractionStep = 1.0 / (n - 1);

    const QFont font = KFontMap::PointFont("Tahoma", 10);
    const QFontMetrics fm(font);
    QPainter p(&Canvas());
    p.setFont(font);
    p.setPen(Qt::black);
    hourLabels_.clear();
    KSchTime t{};
    for (int i = 0; i < n; ++i) {
        HourLabel label;
        label.Text = QString::fromStdU16String(FormatTime(t, false).substr(0, 2));
        const int h = fm.height();
        const double fraction = i * fractionStep;
        label.Rect = QRect(10, Trunc(Origin.y() + AxisLength * fraction - h / 2.0), 35, h);
        p.drawText(label.Rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, label.Text);
        hourLabels_.push_back(label);
        t = AddTimes(t, step);
    }
    update();
}
