#include "graphs/KTTimelineGraph.h"

#include "graphs/KGraphMath.h"
#include "platform/qt/KColorConv.h"

#include <QFontMetrics>
#include <QPainter>

using KGraphMath::Trunc;

namespace {
// A rectangle from (x1, y1) to (x2, y2) with the right and bottom edges excluded,
// outlined by the current pen and filled with the current brush.
void Box(QPainter &p, int x1, int y1, int x2, int y2)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

// An earlier label counts as enlarged by 4 left, 10 above, 10 right and 4 below.
const QMargins LabelClearance(4, 10, 10, 4);
} // namespace

KTTimelineGraph::KTTimelineGraph(QWidget *parent) : KTGraphImage(parent)
{
    LabelOffset = BarWidth + LabelSpacing;
    FillCanvasWhite();
}

void KTTimelineGraph::PaintAxis()
{
    QPainter p(&Canvas());
    const QColor axis = KColorConv::ToQColor(AxisColor);
    p.setPen(QPen(axis, 1));
    p.setBrush(axis);
    Box(p, Origin.x(), Origin.y(), Origin.x() + AxisWidth, Origin.y() + AxisLength);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(Origin.x(), Origin.y(), Origin.x(), Origin.y() + AxisLength);
    update();
}

void KTTimelineGraph::PaintBlocks(const std::vector<KTimelineBlock> &blocks)
{
    QPainter p(&Canvas());
    p.setPen(QPen(Qt::black, 1));
    const int x0 = BlocksLeft();
    const double L = AxisLength;
    const int oy = Origin.y();
    for (const KTimelineBlock &b : blocks) {
        p.setBrush(KColorConv::ToQColor(b.Color));
        if (b.Start <= b.End) {
            Box(p, x0, Trunc(oy + b.Start * L), x0 + BarWidth, Trunc(oy + b.End * L));
        } else {
            Box(p, x0, Trunc(oy + b.Start * L), x0 + BarWidth, Trunc(oy + L));
            Box(p, x0, oy, x0 + BarWidth, Trunc(oy + b.End * L));
        }
    }
    update();
}

void KTTimelineGraph::PaintScale()
{
    if (TickIntervals <= 0)
        return;
    QPainter p(&Canvas());
    const QColor tick = KColorConv::ToQColor(TickColor);
    for (int i = 0; i <= TickIntervals; ++i) {
        const int d = Trunc(i * (double(AxisLength) / TickIntervals));
        const int y = Origin.y() + d;
        p.setPen(QPen(tick, 1, Qt::DotLine));
        p.drawLine(Origin.x(), y, Origin.x() + AxisWidth, y);
        const bool thick = TickThickEvery != 0 && i % TickThickEvery == 0;
        p.setPen(QPen(tick, thick ? TickThickWidth : 0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(Origin.x(), y, Origin.x() - TickLength, y);
    }
    update();
}

// The pixel row of a point of the day. A minute that falls exactly on a row (03:54 on a
// 400-pixel axis is row 65) must not land a row short through the rounding of its fraction;
// minutes lie at least 1/1440 of a row from any other row, far more than the margin added.
int KTTimelineGraph::RowOf(double fraction) const
{
    return Origin.y() + Trunc(fraction * AxisLength + 1e-6);
}

std::pair<int, int> KTTimelineGraph::FirstPart(const KTimelineBlock &b) const
{
    const double end = b.Start > b.End ? 1.0 : b.End;
    return {RowOf(b.Start), RowOf(end)};
}

std::pair<int, int> KTTimelineGraph::SecondPart(const KTimelineBlock &b) const
{
    if (b.Start <= b.End)
        return {0, 0};
    return {Origin.y(), RowOf(b.End)};
}

void KTTimelineGraph::PlaceAndPaintItemLabels(const std::vector<KTimelineBlock> &blocks)
{
    const QFontMetrics fm(font());
    const int x0 = BlocksLeft();
    const double L = AxisLength;
    const int viewLeft = parentWidget() ? x() : 0;
    blocks_ = blocks;
    std::vector<QRect> labelRects(blocks.size()); // areas used for the overlap test
    itemLabels_.assign(blocks.size(), QRect());   // final places; null: the label is not drawn

    for (size_t i = 0; i < blocks.size(); ++i) {
        const KTimelineBlock &b = blocks[i];
        const int w = fm.horizontalAdvance(b.Name);
        const int h = fm.height();
        // The name sits at the vertical middle of the block (of its first part when it
        // crosses midnight, or of the second when only that one is tall enough); a block
        // lower than the name shows none.
        double from = b.Start, to = b.Start > b.End ? 1.0 : b.End;
        const auto [top1, bottom1] = FirstPart(b);
        const auto [top2, bottom2] = SecondPart(b);
        if (bottom1 - top1 < h) {
            if (bottom2 - top2 < h)
                continue;
            from = 0.0;
            to = b.End;
        }
        const int top = Trunc((from + (to - from) / 2.0) * L + Origin.y() - h / 2.0);
        QRect r(x0 + LabelOffset, top, w, h);
        int obstacle = FirstOverlap(labelRects, i, r, LabelClearance);
        int moves = 0;
        while (obstacle >= 0 && moves < MaxLabelMoves) {
            const QRect o = itemLabels_[size_t(obstacle)];
            const int p = viewLeft + o.left() + o.width() + LabelSpacing + 10;
            if (width() >= p + o.width())
                r = QRect(p - viewLeft, r.top(), o.width(), r.height());
            ++moves;
            obstacle = FirstOverlap(labelRects, i, r, LabelClearance);
        }
        labelRects[i] = r;
        itemLabels_[i] = QRect(r.left(), top, w, h);
    }

    QPainter p(&Canvas());
    p.setFont(font());
    for (size_t i = 0; i < blocks.size(); ++i) {
        const QRect &r = itemLabels_[i];
        if (r.isNull())
            continue;
        const int textWidth = fm.horizontalAdvance(blocks[i].Name);
        const bool onBlock = LabelOffset < BarWidth - textWidth;
        const uint32_t color = onBlock ? KGraphMath::LabelTextColor(blocks[i].Color) : 0x000000;
        p.setPen(KColorConv::ToQColor(color));
        p.drawText(QPoint(r.left(), r.top() + fm.ascent()), blocks[i].Name);
    }
    update();
}

int KTTimelineGraph::HiddenLabelFrameAt(const QPoint &pos) const
{
    const int x0 = BlocksLeft();
    if (pos.x() < x0 || pos.x() >= x0 + std::max(BarWidth, HoverHeight))
        return -1;
    // Whether pos is on the part, a part lower than minHeight counting as that high around
    // its middle.
    auto holds = [&](std::pair<int, int> part, int minHeight) {
        auto [top, bottom] = part;
        if (bottom - top < minHeight) {
            const int mid = (top + bottom) / 2;
            top = mid - minHeight / 2;
            bottom = top + minHeight;
        }
        return top <= pos.y() && pos.y() < bottom;
    };
    auto on = [&](size_t i, int minHeight) {
        const KTimelineBlock &b = blocks_[i];
        return holds(FirstPart(b), minHeight) || (b.Start > b.End && holds(SecondPart(b), minHeight));
    };
    const size_t n = std::min(blocks_.size(), itemLabels_.size());
    auto hidden = [&](size_t i) { return itemLabels_[i].isNull(); };
    auto lineOnly = [&](size_t i) {
        const auto [top, bottom] = FirstPart(blocks_[i]);
        const auto [top2, bottom2] = SecondPart(blocks_[i]);
        return top == bottom && top2 == bottom2;
    };
    // A frame without a pixel row of its own (no length, or very short) is only a line: the
    // pixels around it are its.
    for (size_t i = 0; i < n; ++i)
        if (hidden(i) && lineOnly(i) && on(i, HoverHeight))
            return int(i);
    // The block under the pointer (the later blocks paint over the earlier ones)...
    for (size_t i = n; i-- > 0;) {
        if (!lineOnly(i) && on(i, 0)) {
            if (hidden(i))
                return int(i);
            break;
        }
    }
    // ...or a very low one beside it.
    for (size_t i = n; i-- > 0;)
        if (hidden(i) && !lineOnly(i) && on(i, HoverHeight))
            return int(i);
    return -1;
}
