#pragma once

#include "model/KSchTime.h"

#include <QFrame>
#include <QPoint>
#include <functional>

class QComboBox;
class QLabel;

// A small movable panel with an hour box and a minute box for entering a time.
// Typing goes from the hour to the minutes by itself: "0730", "730" and "7:30" all give
// 07:30. Tab, Right, ':' or '.' in the hour box move to the minutes; an hour or a minute
// out of range is refused (with a beep), never changed into another value.
class KTTimeEntryComb : public QFrame {
public:
    // Receives Enter and Escape from either box (after the boxes were read on Enter), Tab
    // from the minute box and Shift+Tab from the hour box: the keys that leave the entry.
    using KeyCallback = std::function<void(KTTimeEntryComb *, int key)>;
    using DoubleClickCallback = std::function<void(KTTimeEntryComb *)>;

    explicit KTTimeEntryComb(QWidget *owner = nullptr);

    // Sets the parent; with a parent the boxes get their lists and show the current value.
    void SetParent(QWidget *parent);

    KSchTime GetEntryValue();
    void SetEntryValue(KSchTime t);
    // Reads the boxes into the value.
    void ReadBoxes();

    void SetKeyHandler(KeyCallback h) { keyHandler_ = std::move(h); }
    void SetDoubleClickHandler(DoubleClickCallback h) { dblClick_ = std::move(h); }

    QComboBox *HourBox() const { return hourBox_; }
    QComboBox *MinuteBox() const { return minuteBox_; }
    QLabel *ColonLabel() const { return colon_; }
    // Highest hour the hour box offers: 23, or 24 while its list holds "24".
    int MaxHour() const;

protected:
    bool eventFilter(QObject *obj, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void FillLists();
    void HourEdited();
    void KeyStep(int key);
    // A key pressed in a box; true when the entry used it up.
    bool BoxKey(QComboBox *box, QKeyEvent *key);
    bool TypeDigit(QComboBox *box, QChar digit);
    void GoToMinutes();
    void GoToHours();

    KSchTime entryValue_;
    QComboBox *hourBox_ = nullptr;
    QComboBox *minuteBox_ = nullptr;
    QLabel *colon_ = nullptr;
    KeyCallback keyHandler_;
    DoubleClickCallback dblClick_;
    bool dragging_ = false;
    QPoint dragMouse_, dragPos_;
};
