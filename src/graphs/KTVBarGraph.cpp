#include "graphs/KTVBarGraph.h"

#include "graphs/KGraphMath.h"
#include "platform/qt/KColorConv.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

using KGraphMath::Trunc;

KTVBarGraph::KTVBarGraph(QWidget *parent) : KTGraphImage(parent)
{
    rowHeight_ = 20;
    FillCanvasWhite();
}

void KTVBarGraph::ClearBars()
{
    FillCanvasWhite();
    lastBars_.clear();
}

void KTVBarGraph::SetBars(const std::vector<KBarItem> &items, bool baseline)
{
    CountDraw();
    const int n = int(items.size());
    barCount_ = n;
    lastBars_.clear();
    if (n == 0)
        return;

    const QFontMetrics fm(font());
    maxValue_ = items.front().Value;
    int widestName = 0;
    valueTextWidth_ = 0;
    for (const KBarItem &item : items) {
        if (item.Value > maxValue_)
            maxValue_ = item.Value;
        widestName = std::max(widestName, fm.horizontalAdvance(item.Name));
        valueTextWidth_ = std::max(valueTextWidth_, fm.horizontalAdvance(item.TimeText));
    }
    nameColumnWidth_ = std::min(widestName, width() / 2);
    barAreaWidth_ = Trunc(width() - (nameColumnWidth_ + valueTextWidth_ + 24.0));
    rowHeight_ = std::clamp((height() - 4 * n - 8) / n, 2, 100);

    const int barLeft = nameColumnWidth_ + 8;
    for (const KBarItem &item : items) {
        BarRecord bar;
        bar.Height = rowHeight_;
        bar.Left = barLeft;
        bar.Length = maxValue_ == 0 ? 0 : Trunc(barAreaWidth_ * item.Value / maxValue_);
        bar.TimeLeft = bar.Left + bar.Length + 8;
        bar.Color = item.Color;
        bar.Name = item.Name;
        bar.TimeText = item.TimeText;
        lastBars_.push_back(bar);
    }

    QPainter p(&Canvas());
    p.setFont(font());
    if (baseline) {
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(barLeft, 4, barLeft, height() - 4);
    }
    const int labelHeight = fm.height();
    int y = 4;
    for (BarRecord &bar : lastBars_) {
        bar.Top = y;
        const uint32_t fill = bar.Color == 0xFFFFFF ? 0xFFFFFE : bar.Color;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(KColorConv::ToQColor(fill));
        if (bar.Length > 0 && bar.Height > 0)
            p.drawRect(QRect(bar.Left, y, bar.Length - 1, bar.Height - 1));
        p.setBrush(Qt::NoBrush);
        p.save();
        p.setClipRect(QRect(4, y, nameColumnWidth_, labelHeight));
        p.drawText(QPoint(4, y + fm.ascent()), bar.Name);
        p.restore();
        p.drawText(QPoint(4 + bar.TimeLeft, y + fm.ascent()), bar.TimeText);
        y += rowHeight_ + 4;
    }
    update();
}
