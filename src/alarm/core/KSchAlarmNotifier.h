#pragma once

#include "model/KScheduleFrame.h"

#include <cstdint>
#include <optional>

// What the popup shows. The frames are copies: the schedule they came from may be
// replaced while the popup is open.
struct KSchAlarmPopupInfo {
    int Language = 0;
    int LeadMinutes = 0; // 0 for the end of the frame
    KScheduleFrame EndingFrame;
    std::optional<KScheduleFrame> NextFrame;
    uint32_t PanelColor = 0xC0DCC0;
};

// The windows an alarm opens: the popup and the error window.
class KSchAlarmNotifier {
public:
    virtual ~KSchAlarmNotifier() = default;
    // Opens the popup, or updates the one already shown.
    virtual void ShowAlarmPopup(const KSchAlarmPopupInfo &info) = 0;
    // A new error window with the catalogue message code.
    virtual void ShowAlarmError(int code, int language) = 0;
};
