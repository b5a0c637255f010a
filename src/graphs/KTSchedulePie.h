#pragma once

#include "graphs/KTPieGraph.h"
#include "graphs/KTScheduleGraph.h"

extern template class KTScheduleGraph<KTPieGraph>;

// The pie view of a day schedule: slices, item and hour labels, the current-time
// mark and the frame popup. The picture is drawn once per Draw; ShowTime only moves the mark.
class KTSchedulePie : public KTScheduleGraph<KTPieGraph> {
public:
    explicit KTSchedulePie(QWidget *parent = nullptr);

    KDragTarget HitAt(QPointF p) const override;
    int32_t SecondsAt(QPointF p) const override;
    bool OnTimeline() const override { return false; }
    Qt::CursorShape EdgeCursor(const KDragEdge &edge) const override;

protected:
    void PaintSchedule() override;
    void PaintHourLabels() override;
    QPoint TimeMarkPlace(KSchTime now, int size) const override;
};
