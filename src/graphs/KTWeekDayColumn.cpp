#include "graphs/KTWeekDayColumn.h"

#include "graphs/KGraphMath.h"
#include "graphs/KTScheduleTimeline.h"
#include "model/KDaySchedule.h"
#include "platform/qt/KFontMap.h"

#include <QFontMetrics>
#include <QPainter>

using KGraphMath::Trunc;

KTWeekDayColumn::KTWeekDayColumn(QWidget *parent) : KTTimelineGraph(parent)
{
    hide();
    setFont(KFontMap::PointFont("MS UI Gothic", 8));
    AxisWidth = 6;
    BarGap = 2;
    TickLength = 4;
    TickIntervals = 8;
    TickThickEvery = 2;
    TickThickWidth = 0;
    LabelOffset = 3;
    // Labels stay on their blocks: a column has no room to move them aside.
    MaxLabelMoves = 0;
}

QImage KTWeekDayColumn::Render(const KDaySchedule *schedule, QSize size, int axisTop, int axisLength,
                               QColor ground)
{
    resize(size);
    Origin = QPoint(TickLength + 1, axisTop);
    AxisLength = axisLength;
    BarWidth = qMax(4, size.width() - BlocksLeft() - 3);
    Canvas().fill(ground);
    {
        QPainter p(&Canvas());
        p.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 1, Qt::DotLine));
        for (int h = 0; h <= 24; ++h) {
            const int y = Trunc(axisTop + axisLength * (h / 24.0));
            p.drawLine(0, y, size.width(), y);
        }
    }
    if (!schedule)
        return Picture();

    std::vector<KTimelineBlock> blocks = KTScheduleTimeline::BlocksOf(*schedule);
    // The drawing leaves out names of blocks too low for them; a name wider than the
    // column is cut to its width.
    const QFontMetrics fm(font());
    std::vector<KTimelineBlock> labels = blocks;
    for (KTimelineBlock &b : labels) {
        const QString fitted = fm.elidedText(b.Name, Qt::ElideRight, BarWidth - LabelOffset - 2);
        b.Name = fitted == QStringLiteral("…") ? QString() : fitted;
    }
    PaintAxis();
    PaintBlocks(blocks);
    PaintScale();
    PlaceAndPaintItemLabels(labels);
    return Picture();
}
