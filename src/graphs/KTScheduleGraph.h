#pragma once

#include "graphs/KTDragSurface.h"
#include "model/KSchTime.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class KDaySchedule;
class KTGraphDragEditor;
class KTSchFramePopup;
class QWidget;

// One hour label of a schedule view.
struct KScheduleHourLabel {
    QString Text;
    QRect Rect; // control coordinates
};

// A day schedule shown on a drawing component (the pie or the timeline): the schedule,
// the tick, hour-label and time-mark settings, the frame popup and the order of a whole
// draw. The view paints the schedule and its hour labels and says where the current-time
// mark goes; ShowTime only moves the mark.
template <class Graph> class KTScheduleGraph : public Graph, public KTDragSurface {
public:
    using HourLabel = KScheduleHourLabel;

    explicit KTScheduleGraph(QWidget *parent = nullptr);
    ~KTScheduleGraph() override;

    int TimeMarkOffset = 6;
    void SetOnPopupHidden(std::function<void()> handler) { this->popupHidden_ = std::move(handler); }

    const KDaySchedule *Schedule() const { return schedule_; }
    void SetSchedule(const KDaySchedule *schedule);
    void Draw();
    void Clear();
    bool Drawn() const { return drawn_; }

    int TickMode() const { return tickMode_; }
    void SetTickMode(int m);
    int HourLabelMode() const { return hourLabelMode_; }
    void SetHourLabelMode(int m);
    int TimeMarkStyle() const { return timeMarkStyle_; }
    void SetTimeMarkStyle(int s);
    int TimeMarkSize() const { return timeMarkSize_; }
    void SetTimeMarkSize(int n);
    bool PopupsEnabled() const { return popupsEnabled_; }
    void SetPopupsEnabled(bool on);
    void ShowTime(KSchTime now);

    // Editing by dragging: made on first use, lives as long as the view.
    KTGraphDragEditor *DragEditor();
    void RepaintFrames() override;
    void HideFramePopup() override { this->HidePopup(); }
    // Number of repaints of the frames alone (a drag's moves).
    int RepaintCount() const { return repaintCount_; }

    const std::vector<HourLabel> &HourLabels() const { return hourLabels_; }
    int HourLabelCount() const { return int(hourLabels_.size()); }
    // The current-time mark and the frame popup (none when they do not exist).
    QWidget *TimeMark() const { return this->TimeMarkWidget(); }
    KTSchFramePopup *FramePopup() const { return this->PopupWidget(); }

protected:
    // Paints the schedule itself: everything of a draw before the hour labels and the mark.
    virtual void PaintSchedule() = 0;
    // Fills hourLabels_ for the current hour-label mode and paints them.
    virtual void PaintHourLabels() = 0;
    // Top-left of a current-time mark of the given size, in the host's coordinates.
    virtual QPoint TimeMarkPlace(KSchTime now, int size) const = 0;

    std::vector<HourLabel> hourLabels_;

private:
    const KDaySchedule *schedule_ = nullptr;
    int tickMode_ = 0;
    int hourLabelMode_ = 0;
    int timeMarkStyle_ = 0;
    int timeMarkSize_ = 6;
    bool popupsEnabled_ = false;
    bool drawn_ = false;
    int repaintCount_ = 0;

protected:
    void CountRepaint() { ++repaintCount_; }

private:
    std::unique_ptr<KTGraphDragEditor> dragEditor_;
};
