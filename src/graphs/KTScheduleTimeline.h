#pragma once

#include "graphs/KTScheduleGraph.h"
#include "graphs/KTTimelineGraph.h"

extern template class KTScheduleGraph<KTTimelineGraph>;

// The vertical timeline view of a day schedule: axis, blocks, item and hour labels,
// the current-time mark and the frame popup. ShowTime only moves the mark.
class KTScheduleTimeline : public KTScheduleGraph<KTTimelineGraph> {
public:
    explicit KTScheduleTimeline(QWidget *parent = nullptr);

protected:
    void PaintSchedule() override;
    void PaintHourLabels() override;
    QPoint TimeMarkPlace(KSchTime now, int size) const override;
};
