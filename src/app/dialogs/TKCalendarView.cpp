#include "app/dialogs/TKCalendarView.h"

#include "app/dialogs/KMonthCalendar.h"
#include "platform/qt/KFontMap.h"

#include <QPushButton>
#include <QTextCharFormat>

TKCalendarView::TKCalendarView(QWidget *owner, int language) : QFrame(owner)
{
    MonthCalendar = new KMonthCalendar(this);
    MonthCalendar->setFont(KFontMap::PointFont(QStringLiteral("Tahoma"), 9));
    ButtonToday = new QPushButton(this);
    language_ = -1; // so that the texts are written below
    SetLanguage(language);
    ButtonToday->setFocusPolicy(Qt::TabFocus);
    connect(ButtonToday, &QPushButton::clicked, this, [this] { GoToday(); });
    Relayout();
    GoToday();
}

void TKCalendarView::SetLanguage(int language)
{
    language = language == 1 ? 1 : 0;
    if (language == language_)
        return;
    language_ = language;
    MonthCalendar->SetLanguage(language);
    ButtonToday->setText(language == 1 ? QStringLiteral("Today") : QStringLiteral("今日"));
}

void TKCalendarView::SetFontSize(int points)
{
    if (points == fontSize_)
        return;
    fontSize_ = points;
    QFont f = KFontMap::PointFont(QStringLiteral("Tahoma"), points);
    MonthCalendar->setFont(f);
    ButtonToday->setFont(f);
    Relayout();
}

void TKCalendarView::SetMaxWidth(int w)
{
    if (w == maxWidth_)
        return;
    maxWidth_ = w;
    Relayout();
}

void TKCalendarView::Relayout()
{
    inLayout_ = true;
    QSize cal = MonthCalendar->sizeHint();
    if (maxWidth_ > 0)
        cal.setWidth(std::min(cal.width(), maxWidth_));
    MonthCalendar->setGeometry(0, 0, cal.width(), cal.height());
    ButtonToday->setGeometry(0, cal.height(), cal.width(), 25);
    resize(cal.width(), cal.height() + 25);
    inLayout_ = false;
}

void TKCalendarView::GoToday()
{
    QDate today = Today ? Today() : QDate::currentDate();
    MonthCalendar->SetSelectedDate(today);
}

void TKCalendarView::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    if (inLayout_)
        return;
    Relayout();
    GoToday();
}
