#pragma once

#include "alarm/core/KSchAlarmNotifier.h"

#include <string>

class KDesktopNotifier;

// Passes the alarm's windows on to the program's own notifier and, while Enabled, also
// sends a desktop notification whenever the popup is shown, so that an alarm is seen
// while the window is hidden.
class KDesktopAlarmNotifier : public KSchAlarmNotifier {
public:
    KDesktopAlarmNotifier(KSchAlarmNotifier *windows, KDesktopNotifier *desktop)
        : windows_(windows), desktop_(desktop)
    {}

    void ShowAlarmPopup(const KSchAlarmPopupInfo &info) override;
    void ShowAlarmError(int code, int language) override;

    // The notification's texts: the popup's message, and the ending and next frames.
    static std::u16string Summary(const KSchAlarmPopupInfo &info);
    static std::u16string Body(const KSchAlarmPopupInfo &info);

    bool Enabled = true;

private:
    KSchAlarmNotifier *windows_;
    KDesktopNotifier *desktop_;
};
