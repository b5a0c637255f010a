#include "storage/KICalExport.h"

#include "model/KCssColor.h"
#include "storage/KICalWriter.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int64_t SecondsPerDay = 24 * 3600;
const char *const DayCodes[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

struct LocalTime {
    KCivilDate Date;
    int64_t Seconds = 0; // of the day, 0 .. 86399
};

LocalTime At(const KCivilDate &day, int64_t seconds)
{
    return LocalTime{day.AddDays(seconds / SecondsPerDay), seconds % SecondsPerDay};
}

std::string Format(const LocalTime &t)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "T%02d%02d%02d", int(t.Seconds / 3600), int(t.Seconds / 60 % 60),
                  int(t.Seconds % 60));
    return t.Date.Compact() + buf;
}

std::string Trigger(int32_t minutes)
{
    return minutes == 0 ? "PT0S" : "-PT" + std::to_string(minutes) + "M";
}

void BeginCalendar(KICalWriter &w, const std::u16string &title)
{
    w.Begin("VCALENDAR");
    w.Property("VERSION", "2.0");
    w.Property("PRODID", "-//Tolvarin//Orvella//EN");
    w.Property("CALSCALE", "GREGORIAN");
    if (!title.empty()) {
        w.TextProperty("NAME", title);
        w.TextProperty("X-WR-CALNAME", title);
    }
}

void WriteEvent(KICalWriter &w, const KScheduleFrame &frame, const KCivilDate &day, const std::string &uid,
                bool weekly, int32_t weeks, const std::vector<int32_t> &reminders, const std::string &stamp)
{
    const int64_t duration = frame.Duration.TotalSeconds();
    const LocalTime start = At(day, frame.StartTime.TotalSeconds());
    w.Begin("VEVENT");
    w.Property("UID", uid);
    w.Property("DTSTAMP", stamp);
    w.Property("DTSTART", Format(start));
    // Without an end a timed event lasts no time at all, which is what a frame of length 0 is.
    if (duration > 0)
        w.Property("DTEND", Format(At(start.Date, start.Seconds + duration)));
    if (weekly) {
        std::string rule = "FREQ=WEEKLY;BYDAY=" + std::string(DayCodes[start.Date.Weekday()]);
        if (weeks > 0)
            rule += ";COUNT=" + std::to_string(weeks);
        w.Property("RRULE", rule);
    }
    w.TextProperty("SUMMARY", frame.ItemName);
    if (frame.HasMemo())
        w.TextProperty("DESCRIPTION", frame.Memo);
    w.Property("COLOR", KCssColor::NearestName(frame.Color));
    // The planner rings a point only when the frame lasts longer than the point's lead.
    for (int32_t m : reminders) {
        if (int64_t(m) * 60 >= duration)
            continue;
        w.Begin("VALARM");
        w.Property("ACTION", "DISPLAY");
        w.TextProperty("DESCRIPTION", frame.ItemName);
        w.Property("TRIGGER;RELATED=END", Trigger(m));
        w.End("VALARM");
    }
    w.End("VEVENT");
}

} // namespace

std::vector<int32_t> KICalExport::ReminderMinutes(const KSchAlarmConfig *config)
{
    std::vector<int32_t> minutes;
    if (!config || (config->AlarmTypes & 0xFFFF) == 0)
        return minutes;
    for (int i = 0; i < config->PointCount(); ++i) {
        const int32_t m = config->GetMinutes(i);
        if (config->IsPointOn(i) && m >= 0)
            minutes.push_back(m);
    }
    std::sort(minutes.begin(), minutes.end());
    minutes.erase(std::unique(minutes.begin(), minutes.end()), minutes.end());
    return minutes;
}

std::string KICalExport::SourceHash(const std::u16string &sourceKey)
{
    // FNV-1a over the UTF-16LE bytes: the same on every machine and build.
    uint64_t h = 0xCBF29CE484222325ull;
    for (char16_t c : sourceKey) {
        for (uint8_t byte : {uint8_t(c & 0xFF), uint8_t(c >> 8)}) {
            h ^= byte;
            h *= 0x100000001B3ull;
        }
    }
    char buf[24];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return buf;
}

std::string KICalExport::ExportDay(const std::u16string &title, const KDaySchedule &day,
                                   const Options &options)
{
    KICalWriter w;
    BeginCalendar(w, title);
    const std::vector<int32_t> reminders = ReminderMinutes(options.Alarms);
    const std::string prefix = SourceHash(options.SourceKey) + "-" + options.Date.Compact() + "-";
    for (int32_t i = 0; i < day.GetCount(); ++i) {
        const KScheduleFrame &frame = *day.GetFrame(i);
        if (frame.HasItemName())
            WriteEvent(w, frame, options.Date, prefix + std::to_string(i + 1) + "@orvella", false, 0,
                       reminders, options.Stamp);
    }
    w.End("VCALENDAR");
    return w.Text();
}

std::string KICalExport::ExportWeek(const std::u16string &title,
                                    const std::array<const KDaySchedule *, 7> &days, const Options &options)
{
    KICalWriter w;
    BeginCalendar(w, title);
    const std::vector<int32_t> reminders = ReminderMinutes(options.Alarms);
    const KCivilDate sunday = options.Date.AddDays(-options.Date.Weekday());
    const std::string hash = SourceHash(options.SourceKey);
    for (int d = 0; d < 7; ++d) {
        if (!days[d])
            continue;
        for (int32_t i = 0; i < days[d]->GetCount(); ++i) {
            const KScheduleFrame &frame = *days[d]->GetFrame(i);
            if (!frame.HasItemName())
                continue;
            std::string uid = hash + "-" + DayCodes[d] + "-" + std::to_string(i + 1) + "@orvella";
            WriteEvent(w, frame, sunday.AddDays(d), uid, true, options.Weeks, reminders, options.Stamp);
        }
    }
    w.End("VCALENDAR");
    return w.Text();
}
