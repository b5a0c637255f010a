#pragma once

#include <QDate>
#include <QWidget>

// A month calendar drawn in one widget: the month's title between two arrows, the weekday
// names and six weeks starting on Sunday, the selected day highlighted, days of the
// neighbouring months in grey. There is no today mark. The arrows, the mouse wheel, Page Up
// and Page Down change the month; a click or the arrow keys change the selected day.
class KMonthCalendar : public QWidget {
public:
    explicit KMonthCalendar(QWidget *parent = nullptr);

    QDate SelectedDate() const { return selected_; }
    // Selects the day and shows its month.
    void SetSelectedDate(const QDate &date);
    void SetCurrentPage(int year, int month);
    int YearShown() const { return year_; }
    int MonthShown() const { return month_; }

    // Japanese (0) or English (1) title and weekday names.
    void SetLanguage(int language);
    QString Title() const;
    QString DayName(int column) const;
    // The day at column 0..6, week 0..5 of the shown page.
    QDate DateAt(int column, int week) const;

    int CellWidth() const;
    // Where the arrows, the weekday names and a day lie.
    QRect PreviousArrowRect() const;
    QRect NextArrowRect() const;
    QRect DayRect(int column, int week) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int HeaderHeight() const;
    int CellHeight() const;
    int NamesTop() const { return HeaderHeight(); }
    int DaysTop() const { return HeaderHeight() + CellHeight() + 2; }
    void StepMonths(int months);

    QDate selected_;
    int year_ = 2000;
    int month_ = 1;
    int language_ = 0;
};
