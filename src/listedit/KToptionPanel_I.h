#pragma once

#include <QFrame>

class TKCalendarView;
class TKClock;
class TKCurSchView;

// Lays out the blocks of a side panel from the top: each block sits in a bevelled box
// as wide as the panel less 8 pixels, 5 pixels below the previous box.
class KSidePanelLayout {
public:
    struct Block {
        QFrame *Box = nullptr;
        QWidget *Content = nullptr;
        enum Placement { Centred, Inset, CentredInBox } How = Centred;
        int ContentHeight = -1; // the content's own height when negative
    };
    static void Apply(QWidget *panel, const QList<Block> &blocks);
    static QFrame *MakeBox(QWidget *panel);
};

// The side panel of normal mode: clock, current-schedule view and month calendar.
class KToptionPanel_I : public QFrame {
public:
    explicit KToptionPanel_I(QWidget *owner = nullptr);
    KToptionPanel_I(QWidget *owner, QWidget *host);

    void SetHeight(int h);
    void SetWidth(int w);
    void Relayout();

    TKClock *Clock = nullptr;
    TKCurSchView *CurSchView = nullptr;
    TKCalendarView *CalendarView = nullptr;
    QFrame *ClockBox = nullptr;
    QFrame *CurSchBox = nullptr;
    QFrame *CalendarBox = nullptr;

private:
    void Build();
};
