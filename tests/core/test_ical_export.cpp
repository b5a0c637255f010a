#include "model/KCivilDate.h"
#include "model/KCssColor.h"
#include "storage/KICalExport.h"
#include "storage/KICalWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

// The content lines of an iCalendar text, unfolded; fails the test on a line that is not
// ended by CRLF or is longer than 75 octets.
std::vector<std::string> Unfold(const std::string &text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        EXPECT_NE(end, std::string::npos) << "line without CRLF at " << pos;
        if (end == std::string::npos)
            break;
        std::string physical = text.substr(pos, end - pos);
        EXPECT_LE(physical.size(), 75u) << physical;
        EXPECT_EQ(physical.find('\n'), std::string::npos);
        if (!physical.empty() && physical[0] == ' ' && !lines.empty())
            lines.back() += physical.substr(1);
        else
            lines.push_back(physical);
        pos = end + 2;
    }
    return lines;
}

std::vector<std::string> Values(const std::vector<std::string> &lines, const std::string &name)
{
    std::vector<std::string> out;
    for (const std::string &l : lines)
        if (l.rfind(name + ":", 0) == 0)
            out.push_back(l.substr(name.size() + 1));
    return out;
}

// The lines of each VEVENT; those of its VALARMs start with "ALARM.".
std::vector<std::vector<std::string>> Events(const std::string &text)
{
    std::vector<std::vector<std::string>> events;
    bool inAlarm = false;
    for (const std::string &l : Unfold(text)) {
        if (l == "BEGIN:VEVENT")
            events.emplace_back();
        else if (l == "BEGIN:VALARM" || l == "END:VALARM")
            inAlarm = l[0] == 'B';
        else if (!events.empty() && l != "END:VEVENT")
            events.back().push_back(inAlarm ? "ALARM." + l : l);
    }
    return events;
}

KDaySchedule Day(std::initializer_list<KScheduleFrame> frames)
{
    KDaySchedule d;
    for (const KScheduleFrame &f : frames)
        d.AppendFrame(f);
    return d;
}

KSchAlarmConfig Alarms(std::initializer_list<int> onMinutes, uint32_t types = KSchAlarmConfig::PopupAlarm)
{
    KSchAlarmConfig c(4);
    int i = 0;
    for (int m : onMinutes) {
        c.SetMinutes(i, m);
        c.SetPointOn(i++, true);
    }
    c.AlarmTypes = types;
    return c;
}

KICalExport::Options Opts(const KSchAlarmConfig *alarms = nullptr)
{
    KICalExport::Options o;
    o.SourceKey = u"/home/u/plan.ors";
    KCivilDate::Parse("2026-12-09", o.Date); // a Wednesday
    o.Alarms = alarms;
    o.Stamp = "20261209T120000Z";
    return o;
}

} // namespace

TEST(ICalWriter, FoldsAtOctetsWithoutSplittingCharacters)
{
    const std::string ascii(200, 'a');
    const std::string folded = KICalWriter::Fold(ascii);
    EXPECT_EQ(folded.substr(0, 77), std::string(75, 'a') + "\r\n");
    EXPECT_EQ(folded.substr(77, 77), " " + std::string(74, 'a') + "\r\n");
    EXPECT_EQ(Unfold(folded), std::vector<std::string>{ascii});
    EXPECT_EQ(KICalWriter::Fold(std::string(75, 'b')), std::string(75, 'b') + "\r\n");

    // Three-octet and four-octet characters at every offset against the fold.
    for (size_t lead = 0; lead < 5; ++lead) {
        std::string line = std::string(lead, 'x') + "SUMMARY:";
        for (int i = 0; i < 40; ++i)
            line += i % 3 ? "予定" : "\xF0\x9F\x98\x80";
        const std::vector<std::string> lines = Unfold(KICalWriter::Fold(line));
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], line);
        // Each physical line is whole UTF-8: no line starts with a continuation octet.
        std::istringstream in(KICalWriter::Fold(line));
        for (std::string l; std::getline(in, l);)
            EXPECT_NE(static_cast<unsigned char>(l.substr(l[0] == ' ')[0]) & 0xC0, 0x80u);
    }
}

TEST(ICalWriter, EscapesText)
{
    EXPECT_EQ(KICalWriter::EscapeText(u"a,b;c\\d"), "a\\,b\\;c\\\\d");
    EXPECT_EQ(KICalWriter::EscapeText(u"1\r\n2\r3\n4\n\n"), "1\\n2\\n3\\n4\\n\\n");
    EXPECT_EQ(KICalWriter::EscapeText(u"tab\tbell\a del\x7F:\"x\""), "tab\tbell del:\"x\"");
    EXPECT_EQ(KICalWriter::EscapeText(u"会議 \U0001F600"), "会議 \xF0\x9F\x98\x80");
    EXPECT_EQ(KICalWriter::EscapeText(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(CivilDate, ParsesRealDatesOnly)
{
    KCivilDate d;
    EXPECT_TRUE(KCivilDate::Parse("2024-02-29", d));
    EXPECT_EQ(d, (KCivilDate{2024, 2, 29}));
    for (const char *bad : {"2023-02-29", "1900-02-29", "2026-13-01", "2026-04-31", "2026-00-10", "2026-1-01",
                            "2026/01/01", "20260101", "2026-01-0x", "0999-12-31", "9999-01-01", ""})
        EXPECT_FALSE(KCivilDate::Parse(bad, d)) << bad;
    EXPECT_EQ(d, (KCivilDate{2024, 2, 29}));
    EXPECT_TRUE(KCivilDate::Parse("2000-02-29", d));
}

TEST(CivilDate, DayNumbersAndWeekdays)
{
    EXPECT_EQ((KCivilDate{1970, 1, 1}).DayNumber(), 0);
    EXPECT_EQ((KCivilDate{2000, 3, 1}).DayNumber(), 11017);
    EXPECT_EQ((KCivilDate{2026, 12, 9}).Weekday(), 3);
    EXPECT_EQ((KCivilDate{1000, 1, 1}).Weekday(), 3);
    EXPECT_EQ((KCivilDate{2026, 12, 31}).AddDays(1), (KCivilDate{2027, 1, 1}));
    EXPECT_EQ((KCivilDate{2024, 3, 1}).AddDays(-1), (KCivilDate{2024, 2, 29}));
    for (int64_t n = (KCivilDate{1000, 1, 1}).DayNumber(); n < 3000000; n += 997) {
        const KCivilDate d = KCivilDate::FromDayNumber(n);
        ASSERT_EQ(d.DayNumber(), n);
        ASSERT_EQ(d.AddDays(1).Weekday(), (d.Weekday() + 1) % 7);
    }
}

TEST(ICalExport, DayFramesBecomeEventsOnTheDate)
{
    const KSchAlarmConfig alarms = Alarms({0, 5, 10, 15});
    const KDaySchedule day = Day({
        {{8, 0, 0}, {1, 0, 0}, u"仕事", 0x0000FF, u"議題: 予算, 人員;\r\n次回\\未定"},
        {{23, 0, 0}, {2, 30, 0}, u"夜勤", 0xFFFFFF, u""},
        {{24, 0, 0}, {0, 10, 0}, u"late", 0x00FF00, u""},
        {{9, 0, 0}, {0, 0, 0}, u"point", 0, u""},
    });
    const std::string ics = KICalExport::ExportDay(u"平日", day, Opts(&alarms));
    const std::vector<std::string> all = Unfold(ics);
    EXPECT_EQ(all.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(all.back(), "END:VCALENDAR");
    EXPECT_EQ(Values(all, "VERSION"), std::vector<std::string>{"2.0"});
    EXPECT_EQ(Values(all, "PRODID").size(), 1u);

    const auto ev = Events(ics);
    ASSERT_EQ(ev.size(), 4u);
    EXPECT_EQ(Values(ev[0], "DTSTART"), std::vector<std::string>{"20261209T080000"});
    EXPECT_EQ(Values(ev[0], "DTEND"), std::vector<std::string>{"20261209T090000"});
    EXPECT_EQ(Values(ev[0], "SUMMARY"), std::vector<std::string>{"仕事"});
    EXPECT_EQ(Values(ev[0], "DESCRIPTION")[0], "議題: 予算\\, 人員\\;\\n次回\\\\未定");
    EXPECT_EQ(Values(ev[0], "COLOR"), std::vector<std::string>{"red"});
    EXPECT_EQ(Values(ev[0], "ALARM.TRIGGER;RELATED=END"),
              (std::vector<std::string>{"PT0S", "-PT5M", "-PT10M", "-PT15M"}));
    EXPECT_EQ(Values(ev[0], "ALARM.ACTION"), std::vector<std::string>(4, "DISPLAY"));
    EXPECT_TRUE(Values(ev[0], "RRULE").empty());

    // Across midnight: ends the next day; a start of 24:00 is the next day's midnight.
    EXPECT_EQ(Values(ev[1], "DTEND"), std::vector<std::string>{"20261210T013000"});
    EXPECT_TRUE(Values(ev[1], "DESCRIPTION").empty());
    EXPECT_EQ(Values(ev[2], "DTSTART"), std::vector<std::string>{"20261210T000000"});
    // Reminders only where the frame is longer than the lead: 10 minutes arm the end and 5.
    EXPECT_EQ(Values(ev[2], "ALARM.TRIGGER;RELATED=END"), (std::vector<std::string>{"PT0S", "-PT5M"}));
    // A frame of no length has no end and no reminders.
    EXPECT_TRUE(Values(ev[3], "DTEND").empty());
    EXPECT_TRUE(Values(ev[3], "ALARM.TRIGGER;RELATED=END").empty());
}

TEST(ICalExport, RemindersFollowTheAlarmSwitches)
{
    KSchAlarmConfig c = Alarms({5, 10, 5, -1});
    EXPECT_EQ(KICalExport::ReminderMinutes(&c), (std::vector<int32_t>{5, 10}));
    c.SetPointOn(1, false);
    EXPECT_EQ(KICalExport::ReminderMinutes(&c), (std::vector<int32_t>{5}));
    c.AlarmTypes = KSchAlarmConfig::SoundAlarm;
    EXPECT_EQ(KICalExport::ReminderMinutes(&c), (std::vector<int32_t>{5}));
    c.AlarmTypes = 0; // every type off: the planner would not ring
    EXPECT_TRUE(KICalExport::ReminderMinutes(&c).empty());
    EXPECT_TRUE(KICalExport::ReminderMinutes(nullptr).empty());
    KSchAlarmConfig none;
    EXPECT_TRUE(KICalExport::ReminderMinutes(&none).empty());

    const KDaySchedule day = Day({{{8, 0, 0}, {1, 0, 0}, u"x", 0, u""}});
    EXPECT_EQ(KICalExport::ExportDay(u"", day, Opts(&c)).find("VALARM"), std::string::npos);
    EXPECT_EQ(KICalExport::ExportDay(u"", day, Opts()).find("VALARM"), std::string::npos);
}

TEST(ICalExport, UidsAreStablePerFileDateAndFrame)
{
    const KDaySchedule day =
        Day({{{8, 0, 0}, {1, 0, 0}, u"a", 0, u""}, {{9, 0, 0}, {1, 0, 0}, u"b", 0, u""}});
    auto uids = [&](const KICalExport::Options &o) {
        return Values(Unfold(KICalExport::ExportDay(u"", day, o)), "UID");
    };
    const auto first = uids(Opts());
    ASSERT_EQ(first.size(), 2u);
    EXPECT_NE(first[0], first[1]);

    KICalExport::Options later = Opts();
    later.Stamp = "20270101T000000Z";
    EXPECT_EQ(uids(later), first);

    KICalExport::Options otherDate = Opts();
    otherDate.Date = otherDate.Date.AddDays(1);
    KICalExport::Options otherFile = Opts();
    otherFile.SourceKey = u"/home/u/other.ors";
    for (const auto &o : {otherDate, otherFile})
        for (const std::string &u : uids(o))
            EXPECT_EQ(std::count(first.begin(), first.end(), u), 0) << u;
    // The hash is pinned: a different build must not change the UIDs of a file.
    EXPECT_EQ(KICalExport::SourceHash(u""), "cbf29ce484222325");
    EXPECT_EQ(KICalExport::SourceHash(u"a"), "089be207b544f1e4");
}

TEST(ICalExport, WeekRepeatsEachWeekdayFromItsWeek)
{
    const KDaySchedule monday =
        Day({{{9, 0, 0}, {8, 0, 0}, u"仕事", 0, u""}, {{23, 30, 0}, {1, 0, 0}, u"夜", 0, u""}});
    const KDaySchedule saturday = Day({{{24, 0, 0}, {1, 0, 0}, u"深夜", 0, u""}});
    std::array<const KDaySchedule *, 7> days{};
    days[1] = &monday;
    days[6] = &saturday;
    KICalExport::Options o = Opts();
    o.Weeks = 4;
    const auto ev = Events(KICalExport::ExportWeek(u"週", days, o));
    ASSERT_EQ(ev.size(), 3u);
    // The week of Wednesday 2026-12-09 starts on Sunday 2026-12-06.
    EXPECT_EQ(Values(ev[0], "DTSTART"), std::vector<std::string>{"20261207T090000"});
    EXPECT_EQ(Values(ev[0], "RRULE"), std::vector<std::string>{"FREQ=WEEKLY;BYDAY=MO;COUNT=4"});
    EXPECT_EQ(Values(ev[1], "DTEND"), std::vector<std::string>{"20261208T003000"});
    EXPECT_EQ(Values(ev[1], "RRULE"), std::vector<std::string>{"FREQ=WEEKLY;BYDAY=MO;COUNT=4"});
    // Saturday's frame at 24:00 really starts on Sunday: the rule names the day it starts.
    EXPECT_EQ(Values(ev[2], "DTSTART"), std::vector<std::string>{"20261213T000000"});
    EXPECT_EQ(Values(ev[2], "RRULE"), std::vector<std::string>{"FREQ=WEEKLY;BYDAY=SU;COUNT=4"});
    std::vector<std::string> uids;
    for (const auto &e : ev)
        uids.push_back(Values(e, "UID").at(0));
    std::sort(uids.begin(), uids.end());
    EXPECT_EQ(std::unique(uids.begin(), uids.end()), uids.end());

    o.Weeks = 0;
    o.Date = KCivilDate{2026, 12, 12}; // the Saturday of the same week: the same UIDs
    const auto open = Events(KICalExport::ExportWeek(u"週", days, o));
    EXPECT_EQ(Values(open[0], "RRULE"), std::vector<std::string>{"FREQ=WEEKLY;BYDAY=MO"});
    EXPECT_EQ(Values(open[0], "UID"), Values(ev[0], "UID"));
}

TEST(CssColor, NearestNamedColour)
{
    // Windows layout: red in the low byte.
    EXPECT_EQ(KCssColor::NearestName(0x0000FF), "red");
    EXPECT_EQ(KCssColor::NearestName(0xFF0000), "blue");
    EXPECT_EQ(KCssColor::NearestName(0xFF00FF), "magenta");
    EXPECT_EQ(KCssColor::NearestName(0x00A5FF), "orange");
    EXPECT_EQ(KCssColor::NearestName(0xFFFFFF), "white");
    EXPECT_EQ(KCssColor::NearestName(0x010101), "black");
    EXPECT_EQ(KCssColor::NearestName(0x7F8081), "gray");
}
