#pragma once

#include "graphs/KTScheduleGraph.h"
#include "graphs/KTTimelineGraph.h"

extern template class KTScheduleGraph<KTTimelineGraph>;

// The vertical timeline view of a day schedule: axis, blocks, item and hour labels,
// the current-time mark and the frame popup. ShowTime only moves the mark.
class KTScheduleTimeline : public KTScheduleGraph<KTTimelineGraph> {
public:
    explicit KTScheduleTimeline(QWidget *parent = nullptr);

    KDragTarget HitAt(QPointF p) const override;
    int32_t SecondsAt(QPointF p) const override;
    bool OnTimeline() const override { return true; }
    Qt::CursorShape EdgeCursor(const KDragEdge &edge) const override;
    // The blocks of the used frames of a schedule, in frame order.
    static std::vector<KTimelineBlock> BlocksOf(const KDaySchedule &schedule);

protected:
    void PaintSchedule() override;
    void PaintHourLabels() override;
    QPoint TimeMarkPlace(KSchTime now, int size) const override;
};
