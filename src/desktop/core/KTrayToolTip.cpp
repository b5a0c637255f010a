#include "desktop/core/KTrayToolTip.h"

namespace {
constexpr int64_t DaySeconds = 24 * 3600;

std::u16string Ascii(const std::string &s)
{
    return std::u16string(s.begin(), s.end());
}

// Forward distance on the 24-hour circle from a to b, in seconds.
int64_t Forward(int64_t a, int64_t b)
{
    return ((b - a) % DaySeconds + DaySeconds) % DaySeconds;
}

int64_t ClockSeconds(KSchTime t)
{
    return ToClockTime(t).TotalSeconds();
}
} // namespace

std::u16string KTrayToolTip::FormatLeft(int64_t seconds)
{
    const int64_t minutes = seconds <= 0 ? 0 : (seconds + 59) / 60;
    const int64_t m = minutes % 60;
    return Ascii(std::to_string(minutes / 60) + (m < 10 ? ":0" : ":") + std::to_string(m));
}

std::u16string KTrayToolTip::Text(const KDaySchedule &schedule, KSchTime now, int language)
{
    const bool english = language == 1;
    std::u16string text = u"Orvella\n";
    const int64_t nowSeconds = ClockSeconds(now);
    const KScheduleFrame *frame = schedule.GetFrame(schedule.FindFrameAt(now));
    if (frame != nullptr) {
        const int64_t left =
            frame->Duration.TotalSeconds() - Forward(ClockSeconds(frame->StartTime), nowSeconds);
        text += frame->ItemName + u"  " + FormatTime(ToClockTime(frame->StartTime), false) + u" - " +
                FormatTime(ToClockTime(frame->EndTime()), false) + u"\n";
        text += english ? FormatLeft(left) + u" left" : u"残り " + FormatLeft(left);
        return text;
    }
    // Between frames: the frame that begins next, going round the day.
    const KScheduleFrame *next = nullptr;
    int64_t until = 0;
    for (int32_t i = 0; i < schedule.GetCount(); ++i) {
        const KScheduleFrame *f = schedule.GetFrame(i);
        if (f == nullptr || !f->HasItemName())
            continue;
        const int64_t d = Forward(nowSeconds, ClockSeconds(f->StartTime));
        if (next == nullptr || d < until) {
            next = f;
            until = d;
        }
    }
    text += english ? u"No frame now" : u"予定なし";
    if (next != nullptr) {
        const std::u16string start = FormatTime(ToClockTime(next->StartTime), false);
        text += english ? u"\nNext: " + next->ItemName + u" at " + start + u" (in " + FormatLeft(until) + u")"
                        : u"\n次: " + start + u" " + next->ItemName + u" (あと " + FormatLeft(until) + u")";
    }
    return text;
}
