#pragma once

#include "model/KScheduleFrame.h"

#include <QDialog>
#include <QPoint>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QFrame;

// The small stay-on-top window of an alarm: which frame is ending, how soon, and which
// frame comes next. It keeps copies of both frames, so it never points into a schedule
// that may be replaced while it is open.
class TKAlarmPopUpDialog : public QDialog {
    Q_OBJECT

public:
    explicit TKAlarmPopUpDialog(QWidget *owner = nullptr);

    void SetLanguage(int language);
    void SetLeadMinutes(int minutes);
    // Minutes the alarm rang after its own minute (the clock stepped over it); shown in the
    // title strip, nothing when 0.
    void SetLateMinutes(int minutes);
    void SetEndingFrame(const std::optional<KScheduleFrame> &frame);
    void SetNextFrame(const std::optional<KScheduleFrame> &frame);
    void SetPanelColor(uint32_t color);
    // Destroys the window (after the current event) when ReleaseOnClose, else hides it.
    void CloseAlarmPopup();

    std::function<void()> StopHandler;
    int Language = 0;
    bool ReleaseOnClose = false;
    uint32_t PanelColor = 0xC0DCC0;
    int LeadMinutes = 0;
    int LateMinutes = 0;
    std::optional<KScheduleFrame> EndingFrame;
    std::optional<KScheduleFrame> NextFrame;
    bool Dragging = false;
    QPoint DragFormPos;
    QPoint DragMousePos;

    // Controls.
    QLabel *DialogTitleLabel = nullptr;
    QToolButton *CloseSpdButton = nullptr;
    QFrame *Panel1 = nullptr;
    QLabel *AlarmMsgLabel = nullptr;
    QLineEdit *CurrSchItemEdit = nullptr;
    QLabel *CurrSchTimeLabel = nullptr;
    QFrame *Splitter1 = nullptr;
    QLabel *NextSchTitleLabel = nullptr;
    QLineEdit *NextSchItemEdit = nullptr;
    QLabel *NextSchTimeLabel = nullptr;
    QPushButton *Button_OK = nullptr;
    QPushButton *Button_SoundStop = nullptr;

    // The texts for a lead and a frame (an empty text without a frame).
    static QString AlarmMessage(int lead, int language);
    static QString FrameTimes(const KScheduleFrame &frame);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void reject() override;

private:
    void Button_OKClick();
    void CloseSpdButtonClick();
    void Button_SoundStopClick();
    void SetCaptions();
    void SetTitle();
    void BuildTexts();
    // Gives the lead text the lines it needs, moving the rest of the popup down.
    void FitMessage();
    void FormMouseDown(QPoint globalPos);
    void FormMouseMove(QPoint globalPos);
};
