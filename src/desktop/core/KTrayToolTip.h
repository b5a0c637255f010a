#pragma once

#include "model/KDaySchedule.h"
#include "model/KSchTime.h"

#include <string>

// The text of the tray icon's tooltip: the current frame with its start, end and the
// time left, or, between frames, the next frame and the time until it. Minutes are the
// finest step, so the text changes at most once a minute.
class KTrayToolTip {
public:
    // language: 1 English, anything else Japanese.
    static std::u16string Text(const KDaySchedule &schedule, KSchTime now, int language);

    // Seconds rounded up to whole minutes, as "H:MM".
    static std::u16string FormatLeft(int64_t seconds);
};
