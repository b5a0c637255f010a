#pragma once

#include "graphs/KTGraphImage.h"

#include <QPoint>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

// One block of the timeline: start and end as fractions of the day, colour, name.
struct KTimelineBlock {
    double Start = 0;
    double End = 0;
    uint32_t Color = 0xFFFFFF;
    QString Name;
};

// The vertical 24-hour axis as a drawing component: axis bar, blocks, scale,
// item labels and their hit areas. It knows nothing of schedules.
class KTTimelineGraph : public KTGraphImage {
public:
    explicit KTTimelineGraph(QWidget *parent = nullptr);

    int TickIntervals = 10;
    uint32_t TickColor = 0x000000;
    int TickThickEvery = 0;
    int TickThickWidth = 3;
    int BarWidth = 6;
    int AxisLength = 400;
    int BarGap = 8;
    int LabelSpacing = 10;
    int AxisWidth = 20;
    uint32_t AxisColor = 0x808080;
    QPoint Origin{20, 10};
    int TickLength = 5;
    int LabelOffset = 16;
    int MaxLabelMoves = 8;

    // Left edge of the blocks.
    int BlocksLeft() const { return Origin.x() + AxisWidth + BarGap; }

protected:
    void PaintAxis();
    void PaintBlocks(const std::vector<KTimelineBlock> &blocks);
    void PaintScale();
    // Places one label per block and paints the names of the blocks tall enough to hold them.
    void PlaceAndPaintItemLabels(const std::vector<KTimelineBlock> &blocks);
    int HiddenLabelFrameAt(const QPoint &pos) const override;

private:
    // Top and bottom pixel rows of the block's first part (to midnight for a block that
    // crosses it) and of its second part (empty when there is none).
    int RowOf(double fraction) const;
    std::pair<int, int> FirstPart(const KTimelineBlock &b) const;
    std::pair<int, int> SecondPart(const KTimelineBlock &b) const;

    // Height in pixels a frame answers the pointer on when its block is lower.
    static constexpr int HoverHeight = 6;
    std::vector<KTimelineBlock> blocks_; // of the last draw: where a block without a label is hovered
};
