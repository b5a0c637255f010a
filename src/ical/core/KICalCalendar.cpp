// Everything that touches libical lives in this file.
#include "ical/core/KICalCalendar.h"

#include "model/KUtf8.h"
#include "platform/core/KLocalZone.h"

#include <libical/ical.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <set>

namespace {

constexpr int64_t DaySeconds = 86400;
// Zone offsets on earth stay within a day and a bit; a window this much wider than the date
// on the event's own clock holds every occurrence that can reach the date.
constexpr int64_t ZoneMargin = 3 * DaySeconds;
// Work allowed for all the recurrences of one file, however they are made up.
constexpr std::chrono::milliseconds ExpansionBudget(3000);
// A time-zone definition with more parts than this is not one a calendar program wrote.
constexpr int MaxZoneParts = 32;
constexpr int MaxZoneDates = 1000;
constexpr int MaxZoneOffset = 26 * 3600;
// Distinct zones one file may use: each costs libical an expansion of its rules.
constexpr size_t MaxZonesPerFile = 64;

struct FreeComponent {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
struct FreeIterator {
    void operator()(icalrecur_iterator *i) const { icalrecur_iterator_free(i); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, FreeComponent>;
using IteratorPtr = std::unique_ptr<icalrecur_iterator, FreeIterator>;

std::u16string Text(const char *s)
{
    return s ? KUtf8::ToUtf16(s) : std::u16string();
}

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Seconds of a time on its own wall clock, counted from 1970-01-01 as though it were UTC;
// false for fields out of range.
bool WallSeconds(const icaltimetype &t, int64_t &out)
{
    if (t.year < KCivilDate::MinYear || t.year > KCivilDate::MaxYear || t.month < 1 || t.month > 12 ||
        t.day < 1 || t.day > DaysInMonth(t.year, t.month))
        return false;
    out = KCivilDate{t.year, t.month, t.day}.DayNumber() * DaySeconds;
    if (t.is_date)
        return true;
    if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 60)
        return false;
    out += t.hour * 3600 + t.minute * 60 + std::min(t.second, 59);
    return true;
}

icaltimetype FromWall(int64_t wall, const icaltimezone *zone, bool isDate)
{
    int64_t day = wall / DaySeconds, s = wall % DaySeconds;
    if (s < 0) {
        s += DaySeconds;
        --day;
    }
    const KCivilDate d = KCivilDate::FromDayNumber(day);
    icaltimetype t = icaltime_null_time();
    t.year = d.Year;
    t.month = d.Month;
    t.day = d.Day;
    t.is_date = isDate ? 1 : 0;
    if (!isDate) {
        t.hour = int(s / 3600);
        t.minute = int(s / 60 % 60);
        t.second = int(s % 60);
    }
    t.zone = zone;
    return t;
}

int64_t FloorDay(int64_t wall)
{
    return wall / DaySeconds - (wall % DaySeconds < 0 ? 1 : 0);
}

bool Empty(const short *values)
{
    return values[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

int Count(const short *values, int size)
{
    int n = 0;
    while (n < size && values[n] != ICAL_RECURRENCE_ARRAY_MAX)
        ++n;
    return n;
}

bool HasAnyBy(const icalrecurrencetype &r)
{
    return !Empty(r.by_second) || !Empty(r.by_minute) || !Empty(r.by_hour) || !Empty(r.by_day) ||
           !Empty(r.by_month_day) || !Empty(r.by_year_day) || !Empty(r.by_week_no) || !Empty(r.by_month) ||
           !Empty(r.by_set_pos);
}

// A zone name that can only name a file of the system's zone database.
bool PlainZoneName(const char *id)
{
    const std::string_view s(id ? id : "");
    if (s.empty() || s.size() > 64 || s.front() == '/' || s.find("..") != std::string_view::npos)
        return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
               c == '-' || c == '+' || c == '/';
    });
}

std::vector<icalproperty *> Properties(icalcomponent *c, icalproperty_kind kind)
{
    std::vector<icalproperty *> out;
    for (icalproperty *p = icalcomponent_get_first_property(c, kind); p;
         p = icalcomponent_get_next_property(c, kind))
        out.push_back(p);
    return out;
}

std::vector<icalcomponent *> Children(icalcomponent *c, icalcomponent_kind kind)
{
    std::vector<icalcomponent *> out;
    for (icalcomponent *k = icalcomponent_get_first_component(c, kind); k;
         k = icalcomponent_get_next_component(c, kind))
        out.push_back(k);
    return out;
}

// How the times of one property read.
struct TimeRef {
    enum Basis { Floating, Utc, Zoned } Kind = Floating;
    icaltimezone *Zone = nullptr;
    bool BadZone = false;
    std::u16string ZoneName;
};

// An occurrence of an event: on the local clock (seconds from the date's midnight), and the
// day it starts on its own wall clock (for exceptions given as dates).
struct Occurrence {
    int64_t Start = 0;
    int64_t End = 0;
    int64_t WallDay = 0;
};

class Reader {
public:
    Reader(const KCivilDate &date, const KLocalZone &local, KICalDay &day)
        : local_(local), day_(day), dayStart_(date.DayNumber() * DaySeconds),
          deadline_(std::chrono::steady_clock::now() + ExpansionBudget)
    {}

    void ReadCalendar(icalcomponent *calendar);

private:
    TimeRef RefOf(icalproperty *p, const icaltimetype &value);
    bool ZoneUsable(icaltimezone *zone);
    bool LocalSeconds(int64_t wall, const TimeRef &ref, int64_t &out);
    bool Absolute(int64_t wall, const TimeRef &ref, int64_t &out);
    bool OccurrenceAt(int64_t wall, const TimeRef &ref, int64_t duration, bool allDay, Occurrence &out);
    void ReadOverrides(const std::vector<icalcomponent *> &events);
    void ReadEvent(icalcomponent *event, int32_t order);
    // Adds the rule's occurrences whose start lies in [from, to) on the event's wall clock.
    bool Expand(const icalrecurrencetype &rule, const icaltimetype &dtstart, int64_t wallStart, int64_t from,
                int64_t to, std::vector<int64_t> &walls, KICalSkip &why);
    void Skip(const std::u16string &summary, KICalSkip reason, const Occurrence *at,
              const std::u16string &detail = {});
    bool OutOfTime() const { return std::chrono::steady_clock::now() > deadline_; }

    const KLocalZone &local_;
    KICalDay &day_;
    int64_t dayStart_;
    std::chrono::steady_clock::time_point deadline_;
    int64_t fileSteps_ = 0;
    icalcomponent *calendar_ = nullptr;
    std::map<const icaltimezone *, bool> zoneChecked_;
    // Occurrences that an event of the same UID with a RECURRENCE-ID replaces.
    std::map<std::string, std::set<int64_t>> replacedAt_;
    std::map<std::string, std::set<int64_t>> replacedDays_;
};

bool Reader::ZoneUsable(icaltimezone *zone)
{
    auto known = zoneChecked_.find(zone);
    if (known != zoneChecked_.end())
        return known->second;
    // libical expands a zone's rules itself whenever it converts a time, from the first year of
    // each part up to the year converted: anything but a change or two a year, or a part
    // without offsets, could keep it busy for ages.
    bool ok = zoneChecked_.size() < MaxZonesPerFile;
    int parts = 0;
    icalcomponent *definition = icaltimezone_get_component(zone);
    for (icalcomponent *part :
         definition ? Children(definition, ICAL_ANY_COMPONENT) : std::vector<icalcomponent *>()) {
        const icalcomponent_kind kind = icalcomponent_isa(part);
        if (kind != ICAL_XSTANDARD_COMPONENT && kind != ICAL_XDAYLIGHT_COMPONENT)
            continue;
        ++parts;
        icalproperty *start = icalcomponent_get_first_property(part, ICAL_DTSTART_PROPERTY);
        icalproperty *to = icalcomponent_get_first_property(part, ICAL_TZOFFSETTO_PROPERTY);
        icalproperty *from = icalcomponent_get_first_property(part, ICAL_TZOFFSETFROM_PROPERTY);
        int64_t wall = 0;
        ok = ok && parts <= MaxZoneParts && start && to && from &&
             WallSeconds(icalproperty_get_dtstart(start), wall) &&
             std::abs(icalproperty_get_tzoffsetto(to)) <= MaxZoneOffset &&
             std::abs(icalproperty_get_tzoffsetfrom(from)) <= MaxZoneOffset &&
             Properties(part, ICAL_RDATE_PROPERTY).size() <= size_t(MaxZoneDates);
        for (icalproperty *p : Properties(part, ICAL_RRULE_PROPERTY)) {
            const icalrecurrencetype r = icalproperty_get_rrule(p);
            const int days = Count(r.by_day, ICAL_BY_DAY_SIZE);
            ok = ok && r.freq == ICAL_YEARLY_RECURRENCE && r.interval >= 1 && (!r.rscale || !*r.rscale) &&
                 Empty(r.by_second) && Empty(r.by_minute) && Empty(r.by_hour) && Empty(r.by_week_no) &&
                 Empty(r.by_set_pos) && Count(r.by_month, ICAL_BY_MONTH_SIZE) <= 1 && days <= 1 &&
                 Count(r.by_year_day, ICAL_BY_YEARDAY_SIZE) <= 1 &&
                 Count(r.by_month_day, ICAL_BY_MONTHDAY_SIZE) <= (days == 1 ? 7 : 1);
        }
    }
    ok = ok && parts > 0;
    zoneChecked_[zone] = ok;
    return ok;
}

TimeRef Reader::RefOf(icalproperty *p, const icaltimetype &value)
{
    TimeRef r;
    if (icaltime_is_utc(value)) {
        r.Kind = TimeRef::Utc;
        return r;
    }
    icalparameter *tz = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
    const char *id = tz ? icalparameter_get_tzid(tz) : nullptr;
    if (!id)
        return r;
    r.ZoneName = Text(id);
    icaltimezone *zone = icalcomponent_get_timezone(calendar_, id);
    bool usable = zone && ZoneUsable(zone);
    // The zone database of the system is trusted as it is.
    if (!zone && PlainZoneName(id)) {
        zone = icaltimezone_get_builtin_timezone(id);
        usable = zone != nullptr;
    }
    if (zone && zone == icaltimezone_get_utc_timezone()) {
        r.Kind = TimeRef::Utc;
        return r;
    }
    if (!usable) {
        r.BadZone = true;
        return r;
    }
    r.Kind = TimeRef::Zoned;
    r.Zone = zone;
    return r;
}

bool Reader::Absolute(int64_t wall, const TimeRef &ref, int64_t &out)
{
    if (ref.Kind != TimeRef::Zoned) {
        out = wall;
        return true;
    }
    icaltimetype t = FromWall(wall, ref.Zone, false);
    int daylight = 0;
    const int offset = icaltimezone_get_utc_offset(ref.Zone, &t, &daylight);
    if (std::abs(offset) > MaxZoneOffset)
        return false;
    out = wall - offset;
    return true;
}

bool Reader::LocalSeconds(int64_t wall, const TimeRef &ref, int64_t &out)
{
    if (ref.Kind == TimeRef::Floating) {
        out = wall - dayStart_;
        return true;
    }
    int64_t utc = 0;
    KLocalDateTime l;
    if (!Absolute(wall, ref, utc) || !local_.ToLocal(utc, l))
        return false;
    out = l.Date.DayNumber() * DaySeconds + l.Seconds - dayStart_;
    return true;
}

bool Reader::OccurrenceAt(int64_t wall, const TimeRef &ref, int64_t duration, bool allDay, Occurrence &out)
{
    out.WallDay = FloorDay(wall);
    if (allDay || ref.Kind == TimeRef::Floating) {
        out.Start = wall - dayStart_;
        out.End = out.Start + duration;
        return true;
    }
    // The end is found on the absolute time line, so a change of the clocks inside the event
    // shows on the local clock.
    int64_t utc = 0;
    KLocalDateTime a, b;
    if (!Absolute(wall, ref, utc) || !local_.ToLocal(utc, a) || !local_.ToLocal(utc + duration, b))
        return false;
    out.Start = a.Date.DayNumber() * DaySeconds + a.Seconds - dayStart_;
    out.End = std::max(out.Start, b.Date.DayNumber() * DaySeconds + b.Seconds - dayStart_);
    return true;
}

void Reader::Skip(const std::u16string &summary, KICalSkip reason, const Occurrence *at,
                  const std::u16string &detail)
{
    KICalSkipped s;
    s.Summary = summary;
    s.Reason = reason;
    s.HasStart = at != nullptr;
    s.Start = at ? at->Start : 0;
    s.Detail = detail;
    day_.Skipped.push_back(std::move(s));
}

bool Reader::Expand(const icalrecurrencetype &rule, const icaltimetype &dtstart, int64_t wallStart,
                    int64_t from, int64_t to, std::vector<int64_t> &walls, KICalSkip &why)
{
    if (rule.freq == ICAL_NO_RECURRENCE || rule.interval < 1) {
        why = KICalSkip::BadRecurrence;
        return false;
    }
    // More often than hourly, or hourly with filters, libical walks second by second or
    // minute by minute through the years: such a rule could keep it busy for hours.
    if ((rule.rscale && *rule.rscale) || rule.freq == ICAL_SECONDLY_RECURRENCE ||
        rule.freq == ICAL_MINUTELY_RECURRENCE || (rule.freq == ICAL_HOURLY_RECURRENCE && HasAnyBy(rule))) {
        why = KICalSkip::UnsupportedRecurrence;
        return false;
    }
    // An hourly rule (it has no filters) is a plain progression: begin it at its last
    // occurrence before the window, counting off the occurrences passed over. libical's own
    // way of beginning later loses the series' step for hours.
    icalrecurrencetype r = rule;
    icaltimetype first = dtstart;
    if (r.freq == ICAL_HOURLY_RECURRENCE && from > wallStart) {
        const int64_t period = 3600 * int64_t(r.interval);
        const int64_t passed = (from - wallStart) / period;
        if (r.count > 0 && passed >= r.count)
            return true;
        if (r.count > 0)
            r.count -= int(passed);
        first = FromWall(wallStart + passed * period, dtstart.zone, false);
        wallStart += passed * period;
    }
    IteratorPtr it(icalrecur_iterator_new(r, first));
    if (!it) {
        why = KICalSkip::BadRecurrence;
        return false;
    }
    // Without a count the iterator can begin near the date instead of at the first occurrence,
    // except for weekday positions ("2TU") in a weekly or daily rule, where libical's jump
    // misses occurrences.
    bool positions = false;
    for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        positions = positions || icalrecurrencetype_day_position(rule.by_day[i]) != 0;
    const bool positionsAllowed = rule.freq == ICAL_MONTHLY_RECURRENCE || rule.freq == ICAL_YEARLY_RECURRENCE;
    if (r.count == 0 && from > wallStart && r.freq != ICAL_HOURLY_RECURRENCE &&
        (!positions || positionsAllowed)) {
        // Days and weeks: the new beginning keeps the series' step.
        const int64_t period = r.freq == ICAL_DAILY_RECURRENCE    ? DaySeconds
                               : r.freq == ICAL_WEEKLY_RECURRENCE ? 7 * DaySeconds
                                                                  : 0;
        if (period > 0)
            from = wallStart + (from - wallStart) / (period * r.interval) * (period * r.interval);
        if (!icalrecur_iterator_set_start(it.get(), FromWall(from, first.zone, first.is_date))) {
            it.reset(icalrecur_iterator_new(r, first));
            if (!it) {
                why = KICalSkip::BadRecurrence;
                return false;
            }
        }
    }
    int64_t steps = 0;
    for (;;) {
        const icaltimetype t = icalrecur_iterator_next(it.get());
        int64_t wall = 0;
        if (icaltime_is_null_time(t) || !WallSeconds(t, wall) || wall >= to)
            return true;
        if (++steps > KICalCalendar::MaxStepsPerEvent || ++fileSteps_ > KICalCalendar::MaxStepsPerFile ||
            ((steps & 1023) == 0 && OutOfTime())) {
            why = KICalSkip::RecurrenceTooLong;
            return false;
        }
        if (wall >= from)
            walls.push_back(wall);
    }
}

void Reader::ReadOverrides(const std::vector<icalcomponent *> &events)
{
    for (icalcomponent *event : events) {
        icalproperty *rid = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
        const char *uid = icalcomponent_get_uid(event);
        if (!rid || !uid)
            continue;
        const icaltimetype t = icalproperty_get_recurrenceid(rid);
        int64_t wall = 0, at = 0;
        if (!WallSeconds(t, wall))
            continue;
        if (t.is_date)
            replacedDays_[uid].insert(FloorDay(wall));
        else if (LocalSeconds(wall, RefOf(rid, t), at))
            replacedAt_[uid].insert(at);
    }
}

void Reader::ReadEvent(icalcomponent *event, int32_t order)
{
    const std::u16string summary = Text(icalcomponent_get_summary(event));
    icalproperty *startProp = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!startProp)
        return; // an event without a start belongs to no day
    const icaltimetype start = icalproperty_get_dtstart(startProp);
    int64_t wallStart = 0;
    if (icaltime_is_null_time(start) || !WallSeconds(start, wallStart)) {
        Skip(summary, KICalSkip::BadTime, nullptr);
        return;
    }
    const bool allDay = start.is_date != 0;
    TimeRef ref = allDay ? TimeRef() : RefOf(startProp, start);

    // Length: DTEND, else DURATION, else a day for a date and nothing for a time.
    int64_t duration = allDay ? DaySeconds : 0;
    bool badTime = false;
    if (icalproperty *endProp = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
        const icaltimetype end = icalproperty_get_dtend(endProp);
        int64_t wallEnd = 0, a = 0, b = 0;
        const TimeRef endRef = end.is_date ? TimeRef() : RefOf(endProp, end);
        badTime = icaltime_is_null_time(end) || !WallSeconds(end, wallEnd) || (end.is_date != 0) != allDay;
        // An end in a zone that cannot be used spoils the event as its start's zone would.
        if (endRef.BadZone && !ref.BadZone) {
            ref = TimeRef();
            ref.BadZone = true;
            ref.ZoneName = endRef.ZoneName;
        }
        if (!badTime &&
            (ref.BadZone || (ref.Kind == TimeRef::Floating) != (endRef.Kind == TimeRef::Floating)))
            duration = wallEnd - wallStart; // one side without a zone: read both on their own clocks
        else if (!badTime) {
            badTime = !Absolute(wallStart, ref, a) || !Absolute(wallEnd, endRef, b);
            duration = b - a;
        }
    } else if (icalproperty *lengthProp = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
        const icaldurationtype d = icalproperty_get_duration(lengthProp);
        duration = (int64_t(d.weeks) * 7 + d.days) * DaySeconds + int64_t(d.hours) * 3600 +
                   int64_t(d.minutes) * 60 + d.seconds;
        badTime = d.is_neg != 0;
        if (allDay)
            duration = (duration + DaySeconds - 1) / DaySeconds * DaySeconds;
    }
    if (badTime || duration < 0) {
        Skip(summary, KICalSkip::BadTime, nullptr);
        return;
    }

    // Occurrence starts on the event's own wall clock: the start itself, the rules' and the
    // extra dates'.
    const int64_t from = std::max(wallStart, dayStart_ - duration - ZoneMargin);
    const int64_t to = dayStart_ + DaySeconds + ZoneMargin;
    std::vector<int64_t> walls{wallStart};
    icaltimetype dtstart = start;
    dtstart.zone = ref.Kind == TimeRef::Zoned ? ref.Zone
                   : ref.Kind == TimeRef::Utc ? icaltimezone_get_utc_timezone()
                                              : nullptr;
    const bool isOverride = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;
    std::vector<Occurrence> occurrences;
    bool ruleFailed = false;
    KICalSkip ruleProblem = KICalSkip::BadRecurrence;
    if (!isOverride) {
        for (icalproperty *p : Properties(event, ICAL_RRULE_PROPERTY)) {
            if (!ruleFailed &&
                !Expand(icalproperty_get_rrule(p), dtstart, wallStart, from, to, walls, ruleProblem))
                ruleFailed = true;
        }
        for (icalproperty *p : Properties(event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype rd = icalproperty_get_rdate(p);
            const icaltimetype t = icaltime_is_null_time(rd.time) ? rd.period.start : rd.time;
            int64_t wall = 0, at = 0;
            Occurrence o;
            if (!WallSeconds(t, wall) || (t.is_date != 0) != allDay)
                continue;
            // An extra date in another zone than the start is placed through the local clock.
            const TimeRef rdRef = allDay ? TimeRef() : RefOf(p, t);
            if (rdRef.Kind == ref.Kind && rdRef.Zone == ref.Zone) {
                walls.push_back(wall);
            } else if (!rdRef.BadZone && LocalSeconds(wall, rdRef, at)) {
                o.Start = at;
                o.End = at + duration;
                o.WallDay = FloorDay(wall);
                occurrences.push_back(o);
            }
        }
    }
    std::sort(walls.begin(), walls.end());
    walls.erase(std::unique(walls.begin(), walls.end()), walls.end());
    for (int64_t wall : walls) {
        Occurrence o;
        if (OccurrenceAt(wall, ref, duration, allDay, o))
            occurrences.push_back(o);
    }

    // Exceptions: EXDATE, and occurrences that an event with a RECURRENCE-ID replaces.
    std::set<int64_t> removedAt, removedDays;
    for (icalproperty *p : Properties(event, ICAL_EXDATE_PROPERTY)) {
        const icaltimetype t = icalproperty_get_exdate(p);
        int64_t wall = 0, at = 0;
        if (!WallSeconds(t, wall))
            continue;
        if (t.is_date || allDay)
            removedDays.insert(FloorDay(wall));
        else if (LocalSeconds(wall, RefOf(p, t), at))
            removedAt.insert(at);
    }
    if (const char *uid = icalcomponent_get_uid(event); uid && !isOverride) {
        if (auto it = replacedAt_.find(uid); it != replacedAt_.end())
            removedAt.insert(it->second.begin(), it->second.end());
        if (auto it = replacedDays_.find(uid); it != replacedDays_.end())
            removedDays.insert(it->second.begin(), it->second.end());
    }

    const bool cancelled = icalcomponent_get_first_property(event, ICAL_STATUS_PROPERTY) &&
                           icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED;
    bool listed = false;
    for (const Occurrence &o : occurrences) {
        if (removedAt.count(o.Start) || removedDays.count(o.WallDay))
            continue;
        // Touching the date: a stretch of time overlapping it, or a moment inside it.
        const bool touches =
            o.End > o.Start ? o.End > 0 && o.Start < DaySeconds : o.Start >= 0 && o.Start < DaySeconds;
        if (!touches)
            continue;
        if (allDay || ref.BadZone || cancelled) {
            if (!listed)
                Skip(summary,
                     allDay        ? KICalSkip::AllDay
                     : ref.BadZone ? KICalSkip::BadTimeZone
                                   : KICalSkip::Cancelled,
                     allDay ? nullptr : &o, ref.BadZone ? ref.ZoneName : std::u16string());
            listed = true;
            continue;
        }
        KICalEvent e;
        e.Start = o.Start;
        e.End = o.End;
        e.Summary = summary;
        e.Location = Text(icalcomponent_get_location(event));
        e.Description = Text(icalcomponent_get_description(event));
        e.Order = order;
        day_.Events.push_back(std::move(e));
    }
    // A rule that could not be followed up to the date may have had an occurrence on it.
    if (ruleFailed && wallStart < to)
        Skip(summary, ruleProblem, nullptr);
}

void Reader::ReadCalendar(icalcomponent *calendar)
{
    calendar_ = calendar;
    for (icalproperty *p : Properties(calendar, ICAL_ANY_PROPERTY)) {
        if (!day_.CalendarName.empty())
            break;
        const icalproperty_kind kind = icalproperty_isa(p);
        if (kind == ICAL_NAME_PROPERTY)
            day_.CalendarName = Text(icalproperty_get_name(p));
        else if (kind == ICAL_X_PROPERTY && icalproperty_get_x_name(p) &&
                 std::string_view(icalproperty_get_x_name(p)) == "X-WR-CALNAME")
            day_.CalendarName = Text(icalproperty_get_x(p));
    }
    const std::vector<icalcomponent *> events = Children(calendar, ICAL_VEVENT_COMPONENT);
    ReadOverrides(events);
    int32_t order = int32_t(day_.Events.size() + day_.Skipped.size());
    for (icalcomponent *event : events)
        ReadEvent(event, order++);
}

bool StartsLine(std::string_view text, std::string_view word)
{
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        if (line.size() >= word.size() &&
            std::equal(word.begin(), word.end(), line.begin(),
                       [](char a, char b) { return a == (b >= 'a' && b <= 'z' ? char(b - 32) : b); }))
            return true;
        at = end + 1;
    }
    return false;
}

struct LibicalSettings {
    // libical reports a malformed value through its error state instead of aborting.
    LibicalSettings() { icalerror_set_errors_are_fatal(0); }
};

} // namespace

int KICalCalendar::Nesting(std::string_view text)
{
    int depth = 0, deepest = 0;
    size_t at = 0;
    while (at < text.size()) {
        // The first few characters of one content line, continuation lines joined.
        std::string head;
        size_t end = std::min(text.find('\n', at), text.size());
        auto take = [&](size_t from, size_t to) {
            for (size_t i = from; i < to && head.size() < 6; ++i)
                if (text[i] != '\r')
                    head += char(text[i] >= 'a' && text[i] <= 'z' ? text[i] - 32 : text[i]);
        };
        take(at, end);
        at = end + 1;
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
            end = std::min(text.find('\n', at), text.size());
            take(at + 1, end);
            at = end + 1;
        }
        if (head.rfind("BEGIN:", 0) == 0)
            deepest = std::max(deepest, ++depth);
        else if (head.rfind("END:", 0) == 0 && --depth < 0)
            return -1;
    }
    return deepest;
}

KICalDay KICalCalendar::ReadDay(std::string_view text, const KCivilDate &date, const KLocalZone &zone)
{
    static const LibicalSettings settings;
    KICalDay day;
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    // libical reads a C string: a zero byte (a UTF-16 file, say) would end the text early.
    const int nesting = Nesting(text);
    if (text.find('\0') != std::string_view::npos || nesting < 0 || nesting > MaxNesting) {
        day.Error = KICalDay::Failure::NotICalendar;
        return day;
    }
    const std::string owned(text);
    ComponentPtr root(icalparser_parse_string(owned.c_str()));
    std::vector<icalcomponent *> calendars;
    if (root && icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT)
        calendars.push_back(root.get());
    else if (root && icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT)
        calendars = Children(root.get(), ICAL_VCALENDAR_COMPONENT);
    if (calendars.empty()) {
        day.Error = StartsLine(text, "BEGIN:VCALENDAR") ? KICalDay::Failure::Truncated
                                                        : KICalDay::Failure::NotICalendar;
        return day;
    }
    Reader reader(date, zone, day);
    for (icalcomponent *calendar : calendars)
        reader.ReadCalendar(calendar);
    return day;
}
