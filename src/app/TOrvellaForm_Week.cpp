// The week panel of the main window.
#include "app/TOrvellaForm.h"

#include "model/KMessageCatalog.h"

#include <QAction>

#include <QFrame>
#include <QPushButton>
#include <QToolButton>

void TOrvellaForm::InitWeekPanel(int language)
{
    const bool en = language == 1;
    WeekSchFileOpenButton->hide();
    WkTodayButton->setGeometry(4, 1, 100, 30);
    WkTodayButton->setText(en ? "TODAY" : "今日");
    static const char *const ja[7] = {"日", "月", "火", "水", "木", "金", "土"};
    static const char *const enNames[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    int left = WkTodayButton->x() + WkTodayButton->width() + 20;
    for (int i = 0; i < 7; ++i) {
        QPushButton *b = WeekdayButtons[size_t(i)];
        b->setText(QString::fromUtf8(en ? enNames[i] : ja[i]));
        b->setGeometry(left, 1, 50, 30);
        b->setEnabled(false);
        left += 55;
    }
    WkTodayButton->setEnabled(false);

    for (QFrame *indicator : {TodayIndImage, WeekOpnIndImage}) {
        indicator->resize(6, 6);
        indicator->setAutoFillBackground(true);
        // Placed on a button they would otherwise paint with the button's colour.
        indicator->setBackgroundRole(QPalette::Window);
        indicator->hide();
    }
    QPalette blue = TodayIndImage->palette();
    blue.setColor(QPalette::Window, QColor(0, 0, 255));
    TodayIndImage->setPalette(blue);
    TodayIndImage->move(4, 20);
    QPalette magenta = WeekOpnIndImage->palette();
    magenta.setColor(QPalette::Window, QColor(255, 0, 255));
    WeekOpnIndImage->setPalette(magenta);
    WeekOpnIndImage->move(4, 4);
}

void TOrvellaForm::TickWeekPanel(int weekday)
{
    if (weekday < 0 || weekday > 6)
        return;
    // The today mark sits in the corner of today's button and follows midnight.
    QPushButton *today = WeekdayButtons[size_t(weekday)];
    if (TodayIndImage->parentWidget() != today) {
        TodayIndImage->setParent(today);
        TodayIndImage->move(4, 20);
    }
    TodayIndImage->show();
}

void TOrvellaForm::ViewTypeWeeklyExecute()
{
    // The check mark shows whether a week schedule is in use, not the click.
    Action("ViewTypeWeekly")->setChecked(WeekSchOpen);
    if (!WeekSchOpen && WeekSchFileName.isEmpty()) {
        ShowMessageCode(KMessageCatalog::NoWeekFile);
        return;
    }
    // Reopening the week file with today's day file, and going back to the day file,
    // come with the week schedule commands.
}
