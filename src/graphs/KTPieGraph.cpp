#include "graphs/KTPieGraph.h"

#include "graphs/KGraphMath.h"
#include "platform/qt/KColorConv.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <numbers>

using KGraphMath::Trunc;

namespace {
double Rad(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}
} // namespace

KTPieGraph::KTPieGraph(QWidget *parent) : KTGraphImage(parent)
{
    SetTickLength(5);
    FillCanvasWhite();
}

int KTPieGraph::SideFor(int radius, int tickLength, int labelMargin)
{
    return (radius + tickLength + labelMargin) * 2 + 10;
}

void KTPieGraph::ApplySize()
{
    const int side = SideFor(radius_, tickLength_, labelMargin_);
    resize(side, side);
    boxOrigin_ = QPoint(side / 2 - radius_, side / 2 - radius_);
}

void KTPieGraph::SetRadius(int r)
{
    if (r == radius_)
        return;
    radius_ = r;
    ApplySize();
    FillCanvasWhite();
}

void KTPieGraph::SetTickLength(int n)
{
    if (n == tickLength_)
        return;
    tickLength_ = n;
    ApplySize();
}

void KTPieGraph::SetLabelMargin(int n)
{
    if (n == labelMargin_)
        return;
    labelMargin_ = n;
    ApplySize();
}

void KTPieGraph::PaintSlices(const std::vector<KPieSlice> &slices)
{
    QPainter p(&Canvas());
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(KColorConv::ToQColor(SegmentPenColor), 1));
    const QRectF box(boxOrigin_.x(), boxOrigin_.y(), 2.0 * radius_, 2.0 * radius_);
    for (const KPieSlice &s : slices) {
        p.setBrush(KColorConv::ToQColor(s.Color));
        const double span = s.End - s.Start;
        if (span >= 360.0) {
            p.drawEllipse(box);
        } else if (span > 0.0) {
            // Clockwise on the screen from the start to the end: the platform pie runs
            // counter-clockwise from the end point to the start point.
            const int startSixteenths = int(std::lround((180.0 - s.End) * 16.0));
            const int spanSixteenths = int(std::lround(span * 16.0));
            p.drawPie(box, startSixteenths, spanSixteenths);
        }
    }
    update();
}

void KTPieGraph::PaintScaleLines()
{
    if (TickCount <= 0)
        return;
    QPainter p(&Canvas());
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(boxOrigin_.x() + radius_, boxOrigin_.y() + radius_);
    for (int i = 0; i < TickCount; ++i) {
        const double theta = TickStartAngle + i * (360.0 / TickCount);
        const bool thick = TickThickEvery != 0 && i % TickThickEvery == 0;
        p.setPen(QPen(KColorConv::ToQColor(TickColor), thick ? TickThickWidth : 0));
        const double r1 = radius_, r2 = radius_ + tickLength_;
        p.drawLine(QPointF(c.x() + KGraphMath::DialX(r1, theta), c.y() + KGraphMath::DialY(r1, theta)),
                   QPointF(c.x() + KGraphMath::DialX(r2, theta), c.y() + KGraphMath::DialY(r2, theta)));
    }
    update();
}

void KTPieGraph::PlaceAndPaintItemLabels(const std::vector<KPieSlice> &slices)
{
    const QFontMetrics fm(font());
    const double R = radius_;
    const int bx = boxOrigin_.x(), by = boxOrigin_.y();
    std::vector<QRect> labelRects(slices.size()); // placement areas, used for the overlap test
    itemLabels_.assign(slices.size(), QRect());   // final places of the labels

    for (size_t i = 0; i < slices.size(); ++i) {
        const KPieSlice &s = slices[i];
        const int w = fm.horizontalAdvance(s.Name);
        const int h = fm.height();
        double d = s.End - s.Start;
        if (d < 0)
            d += 360.0;
        const double m = s.Start + d / 2.0;
        const double cm = std::cos(Rad(m)), sm = std::sin(Rad(m));
        QRect r(Trunc(R - cm * R / 2.0 - w / 2.0) + bx, Trunc(R - sm * R / 2.0 - h / 2.0) + by, w, h);

        int obstacle = FirstOverlap(labelRects, i, r);
        const bool met = obstacle >= 0;
        int moves = 0;
        while (obstacle >= 0 && moves < MaxLabelMoves) {
            // A slice centred on 06:00 or 18:00 has no way up or down: it stays put.
            if (std::fabs(sm) < 1e-9)
                break;
            const double tj = itemLabels_[size_t(obstacle)].top() - by;
            const double dist = sm >= 0 ? (R - tj + h + 1) / sm : -(tj - R + h + 1) / sm;
            r = QRect(Trunc(R - cm * dist - w / 2.0) + bx, Trunc(R - sm * dist) + by, w, h);
            ++moves;
            obstacle = FirstOverlap(labelRects, i, r);
        }
        labelRects[i] = r;

        QRect placed = r;
        if (met) {
            if (placed.left() < 0)
                placed.moveLeft(0);
            else if (placed.left() + placed.width() > width())
                placed.moveLeft(width() - placed.width());
            if (placed.top() < 0)
                placed.moveTop(0);
            else if (placed.top() + placed.height() > height())
                placed.moveTop(height() - placed.height());
        }
        itemLabels_[i] = placed;
    }

    QPainter p(&Canvas());
    p.setFont(font());
    for (size_t i = 0; i < slices.size(); ++i) {
        p.setPen(KColorConv::ToQColor(KGraphMath::LabelTextColor(slices[i].Color)));
        p.drawText(itemLabels_[i], Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, slices[i].Name);
    }
    update();
}
