#pragma once

#include "model/KScheduleFrame.h"

#include <cstdint>
#include <optional>
#include <string>

// What the popup shows. The frames are copies: the schedule they came from may be
// replaced while the popup is open.
struct KSchAlarmPopupInfo {
    int Language = 0;
    int LeadMinutes = 0; // 0 for the end of the frame
    // Minutes after its own minute that the alarm rang (the clock stepped over it), 0 on time.
    int LateMinutes = 0;
    KScheduleFrame EndingFrame;
    std::optional<KScheduleFrame> NextFrame;
    uint32_t PanelColor = 0xC0DCC0;

    // "（3分遅れ）" / " (rang 3 min late)", empty on time.
    std::u16string LateNote() const
    {
        if (LateMinutes <= 0)
            return {};
        const std::string n = std::to_string(LateMinutes);
        const std::u16string digits(n.begin(), n.end());
        return Language == 1 ? u" (rang " + digits + u" min late)" : u"（" + digits + u"分遅れ）";
    }
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
