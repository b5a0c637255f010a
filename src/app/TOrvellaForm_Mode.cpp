// Scheduling mode, the side panels and the clock options.
#include "app/TOrvellaForm.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QToolButton>

void TOrvellaForm::ToggleSchedulingMode()
{
    if (SchedulingMode)
        ExitSchedulingMode();
    else
        EnterSchedulingMode();
}

void TOrvellaForm::EnterSchedulingMode()
{
    // Editing arrives with the list editor.
}

void TOrvellaForm::ExitSchedulingMode()
{
    // Normal mode: the side panel with the clock, the current schedule and the calendar.
    SchedulingMode = false;
    EnterEditSchButton->show();
    ExitEditSchButton->hide();
    QAction *scheduling = Action("EditScheduling");
    scheduling->setChecked(false);
    scheduling->setText("スケジュール作成(&G)");
    for (const char *name : {"EditAddSch", "EditInsSch", "EditDeleteSch", "EditCancel", "EditPaste", "EditCut",
                             "EditDelete"})
        Action(name)->setEnabled(false);
    QPalette bar = SchModDispBarPanel->palette();
    bar.setColor(QPalette::Window, palette().color(QPalette::Button));
    SchModDispBarPanel->setPalette(bar);
    SchTitleEdit->setReadOnly(true);
    BuildNormalSidePanel();
}

void TOrvellaForm::TickViews(KSchTime now)
{
    TickListAndPanel(now);
}

void TOrvellaForm::SetClock24H(bool value, int source)
{
    Clock24H = value;
    Action("OptClock12H")->setChecked(!value);
    Action("OptClock24H")->setChecked(value);
    ApplyClock24HToPanel(value, source);
}

void TOrvellaForm::SetClockSeconds(bool value, int source)
{
    ClockSeconds = value;
    Action("OptClockSec")->setChecked(value);
    ApplyClockSecondsToPanel(value, source);
}
