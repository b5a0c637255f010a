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
    // While frames are dragged the other slices are kept drawn: a move paints only the
    // dragged slices over them, then the scale and the labels.
    void BeginMoving(const std::vector<int32_t> &frames) override;
    void RepaintMoving() override;
    void EndMoving() override;

protected:
    void PaintSchedule() override;
    void PaintHourLabels() override;
    QPoint TimeMarkPlace(KSchTime now, int size) const override;

private:
    // One slice per used frame, in frame order.
    std::vector<KPieSlice> Slices() const;
    // Scale settings of the tick mode; whether scale lines are drawn.
    bool ApplyTickMode();

    std::vector<int32_t> moving_;
    QImage still_; // white, with the slices of the frames that do not move
};
