#pragma once

#include <QFrame>

class TKClock;
class TKCurSchView;
class TKSchGraphView;

// The side panel of scheduling mode: clock, current-schedule view and graph selector.
class KToptionPanel_II : public QFrame {
public:
    static constexpr int GraphViewHeight = 260;

    explicit KToptionPanel_II(QWidget *owner = nullptr);
    KToptionPanel_II(QWidget *owner, QWidget *host);

    void SetHeight(int h);
    void SetWidth(int w);
    void Relayout();

    TKClock *Clock = nullptr;
    TKCurSchView *CurSchView = nullptr;
    TKSchGraphView *GraphView = nullptr;
    QFrame *ClockBox = nullptr;
    QFrame *CurSchBox = nullptr;
    QFrame *GraphBox = nullptr;

private:
    void Build();
};
