#pragma once

#include "model/KSchTime.h"

#include <QFrame>
#include <functional>

class QCheckBox;
class QLabel;

// The digital clock at the top of the side panels, with its 24H and SEC check boxes.
class TKClock : public QFrame {
public:
    using Notification = std::function<void(TKClock *)>;

    explicit TKClock(QWidget *owner = nullptr);

    // The tick: redraws only when the time differs from the one shown.
    void SetTime(KSchTime t);
    void Set24H(bool on);
    void SetSeconds(bool on);
    KSchTime Time() const { return time_; }
    bool Is24H() const { return clock24_; }
    bool ShowsSeconds() const { return seconds_; }

    // Told when the user changes a check box (not when Set24H/SetSeconds are called).
    Notification On24HChanged;
    Notification OnSecondsChanged;

    // The text and period the clock shows for a time.
    static QString ClockText(KSchTime t, bool clock24, bool seconds);
    static QString PeriodText(KSchTime t);

    QLabel *AMPMLabel = nullptr;
    QLabel *ClockLabel = nullptr;
    QFrame *Splitter1 = nullptr;
    QCheckBox *_24H_CheckBox = nullptr;
    QCheckBox *DispSecBox = nullptr;

protected:
    bool eventFilter(QObject *obj, QEvent *event) override;

private:
    void Redraw();

    KSchTime time_;
    bool clock24_ = true;
    bool seconds_ = false;
    int periodWidth_ = 0;
};
