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

void KTPieGraph::PaintSlices(const std::vector<KPieSlice> &slices, QImage *target)
{
    QPainter p(target ? target : &Canvas());
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

double KTPieGraph::AngleOf(QPointF p) const
{
    const QPointF c = QPointF(Centre());
    // DialX/DialY put angle 0 to the left and 90 at the top.
    double a = std::atan2(c.y() - p.y(), c.x() - p.x()) * 180.0 / std::numbers::pi;
    if (a < 0)
        a += 360.0;
    return a;
}

bool KTPieGraph::SliceHolds(const KPieSlice &s, QPointF p, double minWidth) const
{
    const QPointF d = p - QPointF(Centre());
    const double dist = std::hypot(d.x(), d.y());
    if (dist > radius_)
        return false;
    const double span = s.End - s.Start;
    if (span >= 360.0)
        return true;
    double rel = std::fmod(AngleOf(p) - s.Start, 360.0);
    if (rel < 0)
        rel += 360.0;
    // A slice narrower than minWidth pixels where the point is counts as that wide.
    const double arc = dist * Rad(span);
    const double slack = arc >= minWidth ? 0.0
                         : dist > 0      ? (minWidth - arc) / 2.0 / dist * 180.0 / std::numbers::pi
                                         : 360.0;
    return rel <= span + slack || rel >= 360.0 - slack;
}

bool KTPieGraph::SliceHoldsRect(const KPieSlice &s, const QRectF &r) const
{
    const double span = s.End - s.Start;
    if (span <= 0.0)
        return false;
    if (span < 360.0) {
        // The widest a slice gets is its chord at the rim.
        const double chord = span >= 180.0 ? 2.0 * radius_ : 2.0 * radius_ * std::sin(Rad(span / 2.0));
        if (chord < std::min(r.width(), r.height()) || r.contains(QPointF(Centre())))
            return false;
    }
    // Every point of the outline inside the slice: the slice then holds the whole rectangle,
    // as its outside cannot reach in without crossing the outline.
    const int stepsX = std::max(1, int(std::ceil(r.width() / 2.0)));
    const int stepsY = std::max(1, int(std::ceil(r.height() / 2.0)));
    for (int i = 0; i <= stepsX; ++i) {
        const double x = r.left() + r.width() * i / stepsX;
        if (!SliceHolds(s, {x, r.top()}) || !SliceHolds(s, {x, r.bottom()}))
            return false;
    }
    for (int i = 0; i <= stepsY; ++i) {
        const double y = r.top() + r.height() * i / stepsY;
        if (!SliceHolds(s, {r.left(), y}) || !SliceHolds(s, {r.right(), y}))
            return false;
    }
    return true;
}

void KTPieGraph::PlaceAndPaintItemLabels(const std::vector<KPieSlice> &slices)
{
    const QFontMetrics fm(font());
    const double R = radius_;
    const int bx = boxOrigin_.x(), by = boxOrigin_.y();
    slices_ = slices;
    itemLabels_.assign(slices.size(), QRect()); // null: the label is not drawn

    for (size_t i = 0; i < slices.size(); ++i) {
        const KPieSlice &s = slices[i];
        const int w = fm.horizontalAdvance(s.Name);
        const int h = fm.height();
        double d = s.End - s.Start;
        if (d < 0)
            d += 360.0;
        const double m = s.Start + d / 2.0;
        const double cm = std::cos(Rad(m)), sm = std::sin(Rad(m));
        // Centred half a radius out on the slice's middle; a narrow slice is wider further
        // out, so the label may move outwards (or, for a wide one, inwards) to fit.
        auto at = [&](double dist) {
            return QRect(Trunc(R - cm * dist - w / 2.0) + bx, Trunc(R - sm * dist - h / 2.0) + by, w, h);
        };
        std::vector<double> distances{R / 2.0};
        for (double dist = R / 2.0 + 4; dist <= R; dist += 4)
            distances.push_back(dist);
        for (double dist = R / 2.0 - 4; dist >= 0; dist -= 4)
            distances.push_back(dist);
        for (double dist : distances) {
            const QRect r = at(dist);
            // A label that would cover another frame's label (frames that overlap in time)
            // is left out as well.
            if (SliceHoldsRect(s, QRectF(r)) && FirstOverlap(itemLabels_, i, r) < 0) {
                itemLabels_[i] = r;
                break;
            }
        }
    }

    QPainter p(&Canvas());
    p.setFont(font());
    for (size_t i = 0; i < slices.size(); ++i) {
        if (itemLabels_[i].isNull())
            continue;
        p.setPen(KColorConv::ToQColor(KGraphMath::LabelTextColor(slices[i].Color)));
        p.drawText(itemLabels_[i], Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, slices[i].Name);
    }
    update();
}

int KTPieGraph::HiddenLabelFrameAt(const QPoint &pos) const
{
    const size_t n = std::min(slices_.size(), itemLabels_.size());
    auto hidden = [&](size_t i) { return itemLabels_[i].isNull(); };
    auto lineOnly = [&](size_t i) { return slices_[i].End <= slices_[i].Start; };
    // A frame without length has no area of its own: the pixels beside its line are its.
    for (size_t i = 0; i < n; ++i)
        if (hidden(i) && lineOnly(i) && SliceHolds(slices_[i], pos, HoverWidth))
            return int(i);
    // The slice under the pointer (the later slices paint over the earlier ones)...
    for (size_t i = n; i-- > 0;) {
        if (!lineOnly(i) && SliceHolds(slices_[i], pos)) {
            if (hidden(i))
                return int(i);
            break;
        }
    }
    // ...or a very narrow one beside it.
    for (size_t i = n; i-- > 0;)
        if (hidden(i) && !lineOnly(i) && SliceHolds(slices_[i], pos, HoverWidth))
            return int(i);
    return -1;
}
