// The alarm's side of the main window.
#include "app/TOrvellaForm.h"

void TOrvellaForm::TickAlarm(KSchTime now)
{
    (void)now;
    if (AlarmResetPending)
        AlarmResetPending = false;
}

void TOrvellaForm::StopAlarmSound()
{
}
