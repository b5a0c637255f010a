#pragma once

#include "graphs/KTTimelineGraph.h"
#include "model/KSchTime.h"

#include <functional>

class KDaySchedule;

// The vertical timeline view of a day schedule: axis, blocks, item and hour labels,
// the current-time mark and the frame popup. ShowTime only moves the mark.
class KTScheduleTimeline : public KTTimelineGraph {
public:
    explicit KTScheduleTimeline(QWidget *parent = nullptr);

    struct HourLabel {
        QString Text;
        QRect Rect; // control coordinates
    };

    int TimeMarkOffset = 6;
    void SetOnPopupHidden(std::function<void()> handler) { popupHidden_ = std::move(handler); }

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

    const std::vector<HourLabel> &HourLabels() const { return hourLabels_; }
    int HourLabelCount() const { return int(hourLabels_.size()); }
    QWidget *TimeMark() const { return TimeMarkWidget(); }
    KTSchFramePopup *FramePopup() const { return PopupWidget(); }

private:
    void PaintHourLabels();

    const KDaySchedule *schedule_ = nullptr;
    int tickMode_ = 0;
    int hourLabelMode_ = 0;
    int timeMarkStyle_ = 0;
    int timeMarkSize_ = 6;
    bool popupsEnabled_ = false;
    bool drawn_ = false;
    std::vector<HourLabel> hourLabels_;
};
