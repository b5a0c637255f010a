#pragma once

#include "graphs/KTGraphImage.h"
#include "model/KSchTime.h"

#include <QString>
#include <array>
#include <functional>

class KDaySchedule;
class KTWeekDayColumn;
class QPrinter;

// The week at a glance: seven vertical timelines, Sunday to Saturday, with the hours across
// all of them, today's column highlighted and the current-time mark on it. The picture is
// drawn once into the image; the tick only moves the mark (and redraws once when the day
// changes). A click on a usable day's column calls OnDayClicked with its weekday.
class KTWeekView : public KTGraphImage {
public:
    // What the view shows of one weekday: the schedule (not owned) and a caption, or, for a
    // day that cannot be shown, the reason (it goes into the column's tooltip).
    struct Day {
        const KDaySchedule *Schedule = nullptr;
        QString Caption;
        QString Reason;
    };

    static constexpr int HeaderHeight = 40;
    static constexpr int HourColumnWidth = 28;

    explicit KTWeekView(QWidget *parent = nullptr);
    ~KTWeekView() override;

    void SetDays(const std::array<Day, 7> &days);
    const Day &DayAt(int weekday) const { return days_[size_t(weekday)]; }
    // Today's weekday (0 Sunday .. 6 Saturday); another day redraws the picture.
    void SetToday(int weekday);
    int Today() const { return today_; }
    void SetLanguage(int language);
    // 3 a label every hour, 2 every three hours.
    void SetHourLabelMode(int mode);
    // 0 no mark, 1 square, 2 circle.
    void SetTimeMarkStyle(int style);
    void SetTimeMarkSize(int size);

    void Draw();
    void Clear();
    bool Drawn() const { return drawn_; }
    // Moves the mark to the time on today's column.
    void ShowTime(KSchTime now);
    QWidget *TimeMark() const { return TimeMarkWidget(); }

    // The column of a weekday in control coordinates (header and timeline), and the weekday
    // under a point (-1 outside the columns).
    QRect ColumnRect(int weekday) const;
    int WeekdayAt(QPoint pos) const;
    // The vertical place of a time of day in control coordinates.
    int TimeY(KSchTime t) const;

    std::function<void(int weekday)> OnDayClicked;

    // One landscape page: the title above, the seven columns as large as the page allows.
    bool PrintWeek(QPrinter &printer, const QString &title);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int ColumnWidth() const;
    int AxisTop() const { return HeaderHeight; }
    int AxisLength() const { return qMax(24, height() - HeaderHeight - 12); }
    void PaintHeader(int weekday);
    void PaintHourLabels();

    std::array<Day, 7> days_;
    KTWeekDayColumn *column_; // a hidden child
    int today_ = 0;
    int language_ = 0;
    int hourLabelMode_ = 2;
    int timeMarkStyle_ = 0;
    int timeMarkSize_ = 11;
    bool drawn_ = false;
    int pressedDay_ = -1;
};
