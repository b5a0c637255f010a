#pragma once

#include "model/KSchTime.h"

#include <QFrame>
#include <cstdint>

class QLabel;
class QLineEdit;

// Shows the frame that holds the current time: its item, start, end and the time remaining.
class TKCurSchView : public QFrame {
public:
    explicit TKCurSchView(QWidget *owner = nullptr, int language = 0);

    void SetNow(KSchTime t);
    void SetShowSeconds(bool on);
    void SetClock24H(bool on);
    void SetStart(KSchTime t);
    void SetEnd(KSchTime t);
    // The ground colour the view paints itself with.
    void SetBackgroundColor(uint32_t color);

    KSchTime ShownStart() const { return shownStart_; }
    KSchTime ShownEnd() const { return shownEnd_; }
    KSchTime ShownNow() const { return shownNow_; }
    bool Clock24H() const { return clock24_; }
    bool ShowSeconds() const { return seconds_; }
    int Language() const { return language_; }
    // Captions in Japanese (0) or English (1; any other value is Japanese).
    void SetLanguage(int language);
    int LabelColumnWidth() const { return labelColumnWidth_; }
    int ValueColumnWidth() const { return valueColumnWidth_; }
    QString TimeText() const { return timeText_; }

    // A clock time as the start and end fields show it.
    static QString ClockTimeText(KSchTime t, bool clock24, bool seconds);
    // The time from now to the end, forward on the 24-hour circle.
    static QString RemainText(KSchTime end, KSchTime now, bool seconds);

    QLabel *LabelCurSchTitle = nullptr;
    QLabel *LabelSchItem = nullptr;
    QLabel *LabelStartTime = nullptr;
    QLabel *LabelEndTime = nullptr;
    QLabel *LabelRemainTime = nullptr;
    QLineEdit *EditSchItem = nullptr;
    QLineEdit *EditStartTime = nullptr;
    QLineEdit *EditEndTime = nullptr;
    QLineEdit *EditRemainTime = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Layout();
    static void ShowText(QLineEdit *edit, const QString &text);
    void RebuildStart();
    void RebuildEnd();
    void RebuildRemain();

    void WriteCaptions();
    int language_ = 0;
    KSchTime shownStart_, shownEnd_, shownNow_;
    bool clock24_ = true;
    bool seconds_ = false;
    QString timeText_;
    int labelColumnWidth_ = 0;
    int valueColumnWidth_ = 0;
};
