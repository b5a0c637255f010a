#include "desktop/core/KDesktopAlarmNotifier.h"

#include "platform/core/KDesktopNotifier.h"

namespace {
std::u16string Number(int n)
{
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

// "09:00～ 10:00 仕事"
std::u16string FrameLine(const KScheduleFrame &frame)
{
    return FormatTime(ToClockTime(frame.StartTime), false) + u"～ " +
           FormatTime(ToClockTime(frame.EndTime()), false) + u" " + frame.ItemName;
}
} // namespace

void KDesktopAlarmNotifier::ShowAlarmPopup(const KSchAlarmPopupInfo &info)
{
    if (windows_ != nullptr)
        windows_->ShowAlarmPopup(info);
    if (Enabled && desktop_ != nullptr)
        desktop_->Notify(Summary(info), Body(info));
}

void KDesktopAlarmNotifier::ShowAlarmError(int code, int language)
{
    if (windows_ != nullptr)
        windows_->ShowAlarmError(code, language);
}

std::u16string KDesktopAlarmNotifier::Summary(const KSchAlarmPopupInfo &info)
{
    const bool english = info.Language == 1;
    if (info.LeadMinutes == 0)
        return (english ? u"Time to end the schedule." : u"終了時間になりました。") + info.LateNote();
    return (english ? u"Time before " + Number(info.LeadMinutes) + u"[min] before the end of schedule."
                    : u"終了時間、" + Number(info.LeadMinutes) + u"分前になりました。") +
           info.LateNote();
}

std::u16string KDesktopAlarmNotifier::Body(const KSchAlarmPopupInfo &info)
{
    std::u16string body = FrameLine(info.EndingFrame);
    if (info.NextFrame)
        body += (info.Language == 1 ? u"\nNext Schedule: " : u"\n次のスケジュール: ") +
                FrameLine(*info.NextFrame);
    return body;
}
