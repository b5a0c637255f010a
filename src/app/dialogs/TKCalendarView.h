#pragma once

#include <QDate>
#include <QFrame>
#include <functional>

class KMonthCalendar;
class QPushButton;

// A month calendar with a button that returns it to today.
class TKCalendarView : public QFrame {
public:
    explicit TKCalendarView(QWidget *owner = nullptr, int language = 0);

    void SetFontSize(int points);
    // Month and day names and the button in Japanese (0) or English (1; any other value is Japanese).
    void SetLanguage(int language);
    int Language() const { return language_; }
    // The widest the frame may become; 0 for no limit.
    void SetMaxWidth(int w);
    int FontSize() const { return fontSize_; }
    // Calendar at the top keeping its natural height, the button right below it.
    void Relayout();
    // Sets the calendar to today.
    void GoToday();
    // Where "today" comes from; the system date when none is given.
    std::function<QDate()> Today;

    KMonthCalendar *MonthCalendar = nullptr;
    QPushButton *ButtonToday = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int fontSize_ = 0;
    int language_ = 0;
    int maxWidth_ = 0;
    bool inLayout_ = false;
};
