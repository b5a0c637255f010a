#pragma once

#include "model/KSchTime.h"

#include <QFrame>
#include <QPoint>
#include <functional>

class QComboBox;
class QLabel;

// A small movable panel with an hour box and a minute box for entering a time.
class KTTimeEntryComb : public QFrame {
public:
    // Receives Enter and Escape from either box (after the boxes were read on Enter).
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

protected:
    bool eventFilter(QObject *obj, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void FillLists();
    void ClampBox(QComboBox *box, int limit);
    void HourEdited(const QString &text);
    void KeyStep(int key);

    KSchTime entryValue_;
    QComboBox *hourBox_ = nullptr;
    QComboBox *minuteBox_ = nullptr;
    QLabel *colon_ = nullptr;
    KeyCallback keyHandler_;
    DoubleClickCallback dblClick_;
    bool dragging_ = false;
    QPoint dragMouse_, dragPos_;
};
