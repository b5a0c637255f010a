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

// What both side panels share: the clock and the current-schedule view in their boxes
// on top, a third block below them, and resizing that lays the blocks out again.
class KSidePanel : public QFrame {
public:
    void SetHeight(int h);
    void SetWidth(int w);
    virtual void Relayout() = 0;
    // Texts of the panel's blocks in Japanese (0) or English (1).
    virtual void SetLanguage(int language);

    TKClock *Clock = nullptr;
    TKCurSchView *CurSchView = nullptr;
    QFrame *ClockBox = nullptr;
    QFrame *CurSchBox = nullptr;

protected:
    // The panel belongs to the host when there is one, else to the owner.
    KSidePanel(QWidget *owner, QWidget *host);
    // Hides the panel and makes the three boxes (the third into thirdBox), the clock
    // and the current-schedule view.
    void BuildTop(QFrame *&thirdBox);
    // Gives the panel its first size and lays it out.
    void FinishBuild();
};

// The side panel of normal mode: clock, current-schedule view and month calendar.
class KToptionPanel_I : public KSidePanel {
public:
    explicit KToptionPanel_I(QWidget *owner = nullptr);
    KToptionPanel_I(QWidget *owner, QWidget *host);

    void Relayout() override;
    void SetLanguage(int language) override;

    TKCalendarView *CalendarView = nullptr;
    QFrame *CalendarBox = nullptr;

private:
    void Build();
};
