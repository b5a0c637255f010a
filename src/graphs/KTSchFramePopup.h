#pragma once

#include <QFrame>

class QLabel;
class KScheduleFrame;

// Tooltip-like panel with one frame's item, time range and memo, shown by the
// pie and the timeline while the pointer rests on an item name.
class KTSchFramePopup : public QFrame {
public:
    explicit KTSchFramePopup(QWidget *parent = nullptr);

    static constexpr int DefaultWidth = 350;

    // 1 English, anything else Japanese.
    int PopupLanguage = 0;

    const KScheduleFrame *ShownFrame() const { return shownFrame_; }
    int LineHeight() const { return lineHeight_; }
    int TitleWidth() const { return titleWidth_; }

    void SetHeight(int h);
    void SetWidth(int w);
    void ShowFrame(const KScheduleFrame *frame);
    // Shows the popup for a frame at point (x, y) of the host's parent; the host is the
    // graph the pointer rests on.
    void ShowAt(QWidget *host, const KScheduleFrame *frame, int x, int y);

    QString ItemText() const;
    QString TimeText() const;
    QString MemoText() const;

private:
    void ArrangeRows();
    void FillRows(const KScheduleFrame *frame);
    // Height of a value box: its wrapped line count limited to 1..6 lines, at most 150 pixels.
    int ValueHeight(QLabel *value) const;
    int RowHeight(QLabel *title, QLabel *value) const;

    const KScheduleFrame *shownFrame_ = nullptr;
    int lineHeight_ = 0;
    int titleWidth_ = 0;
    QLabel *TitleProbe = nullptr;
    QLabel *ItemTitle = nullptr;
    QLabel *TimeTitle = nullptr;
    QLabel *MemoTitle = nullptr;
    QLabel *ItemValue = nullptr;
    QLabel *TimeValue = nullptr;
    QLabel *MemoValue = nullptr;
};
