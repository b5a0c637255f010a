#pragma once

#include <QFrame>

class QToolButton;
class KDaySchedule;
class KTSchedulePie;
class KTScheduleTimeline;
class KTSchTimeCount;

// The graph selector of scheduling mode's side panel: three buttons choose a compact
// pie, a compact timeline or the time count of the schedule being edited.
class TKSchGraphView : public QFrame {
public:
    explicit TKSchGraphView(QWidget *parent = nullptr);
    ~TKSchGraphView() override;

    QToolButton *PieSelectButton = nullptr;
    QToolButton *TimelineSelectButton = nullptr;
    QToolButton *CountSelectButton = nullptr;

    KTSchedulePie *Pie() const { return pie_; }
    KTScheduleTimeline *Timeline() const { return timeline_; }
    KTSchTimeCount *Count() const { return count_; }
    const KDaySchedule *Schedule() const { return schedule_; }

    int Language() const { return language_; }
    void SetLanguage(int language);

    void SetSchedule(const KDaySchedule *schedule);
    void RefreshGraph();

    void PieSelectButtonClick();
    void TimelineSelectButtonClick();
    void CountSelectButtonClick();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void LayoutButtons();
    void SetHints();
    void LayoutAndDrawPie();
    void LayoutAndDrawTimeline();
    void FillCount();
    void DestroyPie();
    void DestroyTimeline();
    void DestroyCount();
    int ButtonBottom() const;

    KTSchedulePie *pie_ = nullptr;
    KTScheduleTimeline *timeline_ = nullptr;
    KTSchTimeCount *count_ = nullptr;
    int language_ = 0;
    const KDaySchedule *schedule_ = nullptr;
};
