// Importing one day of an iCalendar file: a calendar shaped like a real export, the round trip
// through the planner's own export, the layout against a simple model, and hostile files.
#include "ical/core/KICalImport.h"
#include "ical/core/KICalTexts.h"
#include "model/KItemPoolCore.h"
#include "model/KUtf8.h"
#include "platform/core/KLocalZone.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFixedOffsetZone.h"
#include "storage/KICalExport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace {

const KFixedOffsetZone Tokyo(9 * 3600);

struct Pool {
    KItemPoolCore Items{KItemPoolCore::MaxCapacity};
    Pool() { AddDefaultItems(Items); }
} pool;

KICalImport::Options On(int y, int m, int d)
{
    KICalImport::Options o;
    o.Date = KCivilDate{y, m, d};
    o.Pool = &pool.Items;
    return o;
}

KICalImportResult Import(const std::string &text, const KICalImport::Options &options)
{
    return KICalImport::ImportText(text, u"test", Tokyo, options);
}

std::string Calendar(const std::string &body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

std::string Event(const std::string &lines)
{
    return "BEGIN:VEVENT\r\nUID:" + std::to_string(std::hash<std::string>()(lines)) + "\r\n" + lines +
           "END:VEVENT\r\n";
}

// "HH:MM:SS+HH:MM:SS item / memo" per frame, one text for a whole day.
std::string Describe(const KDaySchedule &s)
{
    std::ostringstream o;
    for (int i = 0; i < s.GetCount(); ++i) {
        const KScheduleFrame &f = *s.GetFrame(i);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d+%02d:%02d:%02d ", f.StartTime.Hour, f.StartTime.Minute,
                      f.StartTime.Second, f.Duration.Hour, f.Duration.Minute, f.Duration.Second);
        o << buf << KUtf8::FromUtf16(f.ItemName);
        if (f.HasMemo())
            o << " / " << KUtf8::FromUtf16(f.Memo);
        if (f.Color != 0xFFFFFF)
            o << " #" << std::hex << f.Color << std::dec;
        o << "\n";
    }
    return o.str();
}

std::string Skipped(const KICalImportResult &r)
{
    std::string out;
    for (const KICalSkipped &s : r.Skipped)
        out += KUtf8::FromUtf16(KICalTexts::SkippedLine(s, 1)) + "\n";
    return out;
}

std::string ReadData(const char *name)
{
    // The tests' data folder.
    const char *data = std::getenv("ORVELLA_TEST_DATA");
    const std::string folder = data ? data : ORVELLA_TEST_DATA_DIR;
    std::ifstream in(folder + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A seed from ORVELLA_SEED, else from the clock; printed with every failure.
uint32_t Seed()
{
    const char *env = std::getenv("ORVELLA_SEED");
    return env ? uint32_t(std::strtoul(env, nullptr, 10))
               : uint32_t(std::chrono::steady_clock::now().time_since_epoch().count());
}

} // namespace

// A calendar as a calendar program exports it: a weekly meeting in Berlin time with an
// exception date across the change to summer time, an all-day holiday, overlapping events
// in UTC and in floating time, one across midnight, a cancelled one and a known item.
TEST(ICalImport, ARealCalendarGivesTheExpectedDays)
{
    const std::string team = ReadData("team-calendar.ics");
    ASSERT_FALSE(team.empty());

    KICalImportResult r = Import(team, On(2024, 3, 26));
    ASSERT_EQ(r.Error, KICalImportError::None);
    EXPECT_EQ(KUtf8::FromUtf16(r.Title), "Team calendar 2024-03-26");
    EXPECT_EQ(Describe(r.Schedule),
              "00:00:00+10:00:00 自由\n"
              "10:00:00+01:30:00 Design review\n"
              "11:30:00+01:00:00 Lunch with client / Ginza\n"
              "12:30:00+04:30:00 自由\n"
              "17:00:00+01:00:00 Team sync / Room Spree, 2nd floor\n"
              "Weekly sync of the platform team.\nNotes in the shared folder.\n"
              "18:00:00+04:30:00 自由\n"
              "22:30:00+01:30:00 Release night / Deploy 4.2 and watch the dashboards.\n");
    EXPECT_TRUE(r.Sources[2].StartsLater);
    EXPECT_TRUE(r.Sources[6].CutAtEnd);
    EXPECT_FALSE(r.Sources[3].Event);
    EXPECT_EQ(Skipped(r), "Company holiday: all-day event\n");

    // The night's second half, and the Tuesday the meeting does not take place.
    r = Import(team, On(2024, 3, 27));
    EXPECT_EQ(Describe(r.Schedule), "00:00:00+01:00:00 Release night / Deploy 4.2 and watch the dashboards.\n"
                                    "01:00:00+23:00:00 自由\n");
    EXPECT_TRUE(r.Sources[0].CutAtStart);
    r = Import(team, On(2024, 4, 2));
    EXPECT_EQ(Describe(r.Schedule), "00:00:00+24:00:00 自由\n");
    EXPECT_EQ(Skipped(r), "");

    // Summer time in Berlin: the meeting is an hour earlier in Tokyo.
    r = Import(team, On(2024, 4, 9));
    EXPECT_EQ(Describe(r.Schedule), "00:00:00+09:30:00 自由\n"
                                    "09:30:00+00:30:00 1:1 with Aiko / Room 3\nAgenda:\nbudget, hiring\n"
                                    "10:00:00+06:00:00 自由\n"
                                    "16:00:00+01:00:00 Team sync / Room Spree, 2nd floor\n"
                                    "Weekly sync of the platform team.\nNotes in the shared folder.\n"
                                    "17:00:00+02:00:00 自由\n"
                                    "19:00:00+01:30:00 勉強 #8000\n"
                                    "20:30:00+03:30:00 自由\n");
    EXPECT_EQ(Skipped(r), "09:40 Standup: an earlier event takes all of its time\n"
                          "13:00 Offsite planning: cancelled\n");
    KDaySchedule day;
    day.AssignSchedule(r.Schedule);
    EXPECT_EQ(day.CheckSchedule(), 0);
}

// Any day the planner exports comes back frame for frame. Random days of up to 50 frames
// (some of no length) with texts that need escaping (without blanks at either end, which
// iCalendar does not keep); a failure names its seed and the smallest day that still fails.
TEST(ICalImport, ExportedDaysComeBackTheSame)
{
    const uint32_t seed = Seed();
    std::mt19937 rng(seed);
    const std::u16string alphabet = u"abcXYZ 019;,\\:\"予定会議日本語-_/.";
    auto text = [&](size_t maxLen, bool lineBreaks) {
        std::u16string t;
        const size_t n = rng() % (maxLen + 1);
        while (t.size() < n) {
            const uint32_t k = rng() % 40;
            if (k == 0 && t.size() + 2 <= n)
                t += u"\U0001F4C5"; // a character outside the basic plane
            else if (k == 1 && lineBreaks)
                t += u'\n';
            else
                t += alphabet[rng() % alphabet.size()];
        }
        // Blanks at either end are not kept by iCalendar readers (libical drops them).
        return KICalImport::CleanText(t, true);
    };
    auto randomDay = [&] {
        KDaySchedule day;
        const int n = 1 + int(rng() % 50);
        std::vector<int64_t> starts{0};
        for (int i = 1; i < n; ++i)
            starts.push_back(rng() % 4 == 0 ? starts.back() : int64_t(rng() % 86400));
        std::sort(starts.begin(), starts.end());
        starts.push_back(86400);
        for (int i = 0; i < n; ++i) {
            std::u16string item = rng() % 3 == 0 ? pool.Items.NameAt(int(rng() % 11)) : text(72, false);
            if (item.empty())
                item = u"x";
            const int64_t s = starts[size_t(i)], len = starts[size_t(i) + 1] - s;
            day.AppendFrame(
                KScheduleFrame(KSchTime{uint8_t(s / 3600), uint8_t(s / 60 % 60), uint8_t(s % 60)},
                               KSchTime{uint8_t(len / 3600), uint8_t(len / 60 % 60), uint8_t(len % 60)}, item,
                               pool.Items.GetItemColor(item, 0xFFFFFF), text(256, true)));
        }
        return day;
    };
    auto failsRoundTrip = [](const KDaySchedule &day) {
        KICalExport::Options options;
        options.Date = KCivilDate{2031, 7, 15};
        options.Stamp = "20310101T000000Z";
        const KICalImportResult r = Import(KICalExport::ExportDay(u"t", day, options), On(2031, 7, 15));
        return r.Error != KICalImportError::None || !r.Skipped.empty() ||
               Describe(r.Schedule) != Describe(day);
    };
    // Smaller failing days: a frame merged into its neighbour, texts made plain.
    auto shrink = [&](KDaySchedule day) {
        for (bool smaller = true; smaller;) {
            smaller = false;
            for (int i = 0; i < day.GetCount() && !smaller; ++i) {
                for (int way = 0; way < 3 && !smaller; ++way) {
                    KDaySchedule next;
                    next.AssignSchedule(day);
                    KScheduleFrame &f = *next.GetFrame(i);
                    if (way == 0 && i > 0) {
                        KScheduleFrame &prev = *next.GetFrame(i - 1);
                        prev.Duration = AddTimes(prev.Duration, f.Duration);
                        next.DeleteFrame(i);
                    } else if (way == 1 && f.Memo.size() > 1) {
                        f.SetMemo(u"m");
                    } else if (way == 2 && f.ItemName.size() > 1 && f.Color == 0xFFFFFF) {
                        f.SetItemName(u"i");
                    } else {
                        continue;
                    }
                    if (failsRoundTrip(next)) {
                        day.AssignSchedule(next);
                        smaller = true;
                    }
                }
            }
        }
        return day;
    };
    for (int round = 0; round < 300; ++round) {
        const KDaySchedule day = randomDay();
        if (day.GetCount() == 0 || !failsRoundTrip(day))
            continue;
        FAIL() << "seed " << seed << " (ORVELLA_SEED), round " << round << "; smallest failing day:\n"
               << Describe(shrink(day));
    }
}

// The layout against a minute-by-minute model: in start order each event takes the minutes
// no earlier event has taken; untaken minutes are free; an event left without a minute is
// listed. Events reach into the days around the date.
TEST(ICalImport, EventsTakeTheTimeNoEarlierEventTook)
{
    const uint32_t seed = Seed();
    std::mt19937 rng(seed);
    for (int round = 0; round < 500; ++round) {
        std::vector<KICalEvent> events(rng() % 40);
        for (size_t i = 0; i < events.size(); ++i) {
            KICalEvent &e = events[i];
            e.Start = (int64_t(rng() % 1800) - 180) * 60;
            e.End = e.Start + int64_t(1 + rng() % (rng() % 2 ? 90 : 900)) * 60;
            e.Summary = u"e" + std::u16string(1, char16_t(u'A' + i));
            e.Order = int32_t(i);
        }
        // The model.
        std::vector<size_t> order(events.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        // Start order as seen on the date: times outside it count as its ends.
        auto start = [&](size_t i) { return std::max<int64_t>(events[i].Start, 0); };
        auto end = [&](size_t i) { return std::min<int64_t>(events[i].End, 86400); };
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return start(a) != start(b) ? start(a) < start(b) : end(a) != end(b) ? end(a) < end(b) : a < b;
        });
        std::vector<int> owner(1440, -1);
        size_t left = 0;
        for (size_t i : order) {
            bool took = false, touches = false;
            for (int64_t m = start(i) / 60; m < end(i) / 60; ++m) {
                touches = true;
                if (owner[size_t(m)] < 0) {
                    owner[size_t(m)] = int(i);
                    took = true;
                }
            }
            left += touches && !took ? 1 : 0;
        }

        const KICalImportResult r = KICalImport::LayOut(events, On(2024, 1, 1));
        const std::string context = "seed " + std::to_string(seed) + " round " + std::to_string(round);
        if (r.Error == KICalImportError::TooManyFrames) {
            EXPECT_GT(r.FramesNeeded, 50) << context;
            continue;
        }
        ASSERT_EQ(r.Error, KICalImportError::None) << context;
        EXPECT_EQ(r.Skipped.size(), left) << context;
        int64_t at = 0;
        for (int f = 0; f < r.Schedule.GetCount(); ++f) {
            const KScheduleFrame &frame = *r.Schedule.GetFrame(f);
            ASSERT_EQ(frame.StartTime.TotalSeconds(), at) << context;
            const std::u16string want =
                owner[size_t(at / 60)] < 0 ? u"自由" : events[size_t(owner[size_t(at / 60)])].Summary;
            for (int64_t m = at / 60; m < (at + frame.Duration.TotalSeconds()) / 60; ++m) {
                const int o = owner[size_t(m)];
                ASSERT_EQ(frame.ItemName, o < 0 ? u"自由" : events[size_t(o)].Summary)
                    << context << " minute " << m;
            }
            ASSERT_EQ(frame.ItemName, want) << context;
            at += frame.Duration.TotalSeconds();
        }
        EXPECT_EQ(at, 86400) << context;
    }
}

// Files that are not calendars, or calendars that would make the reader work for ever: each
// is refused with its reason or loses only the event at fault, quickly.
TEST(ICalImport, HostileFilesAreRefusedOrLoseOnlyTheBadEvent)
{
    const auto o = On(2024, 3, 12);
    EXPECT_EQ(Import("hello, world\r\n", o).Error, KICalImportError::NotICalendar);
    EXPECT_EQ(Import(std::string("B\0E\0G\0I\0N\0:\0", 12), o).Error, KICalImportError::NotICalendar);
    const std::string whole = Calendar(Event("DTSTART:20240312T090000\r\nSUMMARY:a\r\n"));
    EXPECT_EQ(Import(whole.substr(0, whole.size() - 20), o).Error, KICalImportError::Truncated);
    std::string deep = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 100000; ++i)
        deep += "BEGIN:X\r\n";
    EXPECT_EQ(Import(deep, o).Error, KICalImportError::NotICalendar);
    EXPECT_EQ(KICalCalendar::Nesting("BEGIN:A\r\nBEG\r\n IN:B\r\nEND:B\r\nEND:A\r\nEND:A\r\n"), -1);

    std::string many;
    for (int i = 0; i < 30; ++i) {
        char start[32];
        std::snprintf(start, sizeof start, "20240312T%02d%02d00", 10 + i / 6, i % 6 * 10);
        many += Event(std::string("DTSTART:") + start + "\r\nDURATION:PT5M\r\nSUMMARY:m\r\n");
    }
    const KICalImportResult full = Import(Calendar(many), o);
    EXPECT_EQ(full.Error, KICalImportError::TooManyFrames);
    EXPECT_EQ(full.FramesNeeded, 61);

    KFakeFileSystem files;
    files.Put(u"/big.ics", std::vector<uint8_t>(KICalImport::MaxFileBytes + 1, 'A'));
    EXPECT_EQ(KICalImport::ImportFile(files, u"/big.ics", Tokyo, o).Error, KICalImportError::TooLarge);
    EXPECT_EQ(KICalImport::ImportFile(files, u"/none.ics", Tokyo, o).Error, KICalImportError::FileMissing);

    const std::string zones =
        "BEGIN:VTIMEZONE\r\nTZID:Spin\r\nBEGIN:STANDARD\r\nDTSTART:10000101T000000\r\n"
        "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nRRULE:FREQ=SECONDLY\r\nEND:STANDARD\r\n"
        "END:VTIMEZONE\r\nBEGIN:VTIMEZONE\r\nTZID:Hollow\r\nEND:VTIMEZONE\r\n";
    const auto started = std::chrono::steady_clock::now();
    const KICalImportResult r = Import(
        Calendar(
            zones +
            Event(
                "DTSTART:19900101T080000\r\nDTEND:19900101T083000\r\nRRULE:FREQ=DAILY\r\nSUMMARY:daily\r\n") +
            Event("DTSTART:20240101T000000\r\nRRULE:FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30\r\nSUMMARY:"
                  "spin\r\n") +
            Event("DTSTART:20240101T000000\r\nRRULE:FREQ=MINUTELY\r\nSUMMARY:minutes\r\n") +
            Event(
                "DTSTART:20200101T100000\r\nRRULE:FREQ=DAILY;BYMONTH=2;BYMONTHDAY=30\r\nSUMMARY:never\r\n") +
            Event("DTSTART;TZID=Spin:20240312T110000\r\nSUMMARY:spin zone\r\n") +
            Event("DTSTART;TZID=Hollow:20240312T120000\r\nSUMMARY:hollow zone\r\n") +
            Event("DTSTART;TZID=../../../../dev/stdin:20240312T130000\r\nSUMMARY:path zone\r\n") +
            Event("DTSTART:20240312T140000\r\nDTEND:20240312T130000\r\nSUMMARY:backwards\r\n") +
            Event("DTSTART:20241312T140000\r\nSUMMARY:month 13\r\n")),
        o);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
    ASSERT_EQ(r.Error, KICalImportError::None);
    EXPECT_EQ(Describe(r.Schedule),
              "00:00:00+08:00:00 自由\n08:00:00+00:30:00 daily\n08:30:00+15:30:00 自由\n");
    EXPECT_EQ(Skipped(r), "spin: repeats more often than every hour\n"
                          "minutes: repeats more often than every hour\n"
                          "backwards: its start or end cannot be read\n"
                          "month 13: its start or end cannot be read\n"
                          "11:00 spin zone: unknown or damaged time zone (Spin)\n"
                          "12:00 hollow zone: unknown or damaged time zone (Hollow)\n"
                          "13:00 path zone: unknown or damaged time zone (../../../../dev/stdin)\n");
}

// Starting an unbounded rule's expansion near the date gives the occurrences that going
// through every repetition from the start gives (a count far beyond the date forces that).
TEST(ICalImport, ExpansionNearTheDateMatchesExpansionFromTheStart)
{
    const uint32_t seed = Seed();
    std::mt19937 rng(seed);
    const char *const rules[] = {"FREQ=DAILY",
                                 "FREQ=DAILY;INTERVAL=3",
                                 "FREQ=WEEKLY;BYDAY=MO,WE,FR",
                                 "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU",
                                 "FREQ=WEEKLY;BYDAY=2TU",
                                 "FREQ=MONTHLY;BYDAY=-1FR",
                                 "FREQ=MONTHLY;BYMONTHDAY=15,31",
                                 "FREQ=MONTHLY;BYSETPOS=-1;BYDAY=MO,TU,WE,TH,FR",
                                 "FREQ=YEARLY;BYMONTH=3;BYDAY=2SU",
                                 "FREQ=YEARLY",
                                 "FREQ=HOURLY;INTERVAL=7"};
    const std::string team = ReadData("team-calendar.ics");
    const size_t from = team.find("BEGIN:VTIMEZONE"), to = team.find("END:VTIMEZONE\r\n");
    ASSERT_NE(to, std::string::npos);
    const std::string berlin = team.substr(from, to + 15 - from);
    for (int round = 0; round < 200; ++round) {
        const std::string rule = rules[rng() % std::size(rules)];
        char start[32];
        std::snprintf(start, sizeof start, "%04d%02d%02dT%02d%02d00", 2000 + int(rng() % 20),
                      1 + int(rng() % 12), 1 + int(rng() % 28), int(rng() % 24), int(rng() % 4) * 15);
        // Floating, UTC, or in a zone with summer time.
        const int zone = int(rng() % 3);
        const std::string head = std::string(zone == 2 ? "DTSTART;TZID=Europe/Berlin:" : "DTSTART:") + start +
                                 (zone == 1 ? "Z" : "") + "\r\nDURATION:PT" +
                                 std::to_string(15 + rng() % 600) + "M\r\nSUMMARY:r\r\nRRULE:" + rule;
        const auto date = On(2021 + int(rng() % 3), 1 + int(rng() % 12), 1 + int(rng() % 28));
        const std::string zones = zone == 2 ? berlin : "";
        const KICalImportResult nearDate = Import(Calendar(zones + Event(head + "\r\n")), date);
        const KICalImportResult fromStart = Import(Calendar(zones + Event(head + ";COUNT=400000\r\n")), date);
        ASSERT_EQ(Describe(nearDate.Schedule), Describe(fromStart.Schedule))
            << "seed " << seed << ": " << head << " on " << date.Date.Compact();
    }
}

TEST(ICalImport, SystemZoneFollowsTheClockChanges)
{
#ifndef _WIN32
    const char *old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    KSystemLocalZone zone;
    KLocalDateTime t;
    ASSERT_TRUE(zone.ToLocal(1711848600, t)); // 2024-03-31 01:30 UTC, just after the change
    EXPECT_EQ(t.Date, (KCivilDate{2024, 3, 31}));
    EXPECT_EQ(t.Seconds, 3 * 3600 + 30 * 60);
    ASSERT_TRUE(zone.ToLocal(1704067200, t)); // 2024-01-01 00:00 UTC
    EXPECT_EQ(t.Seconds, 3600);
    old ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();
#endif
}

TEST(ICalImport, TextsFromFilesAreCleanedAndDecoded)
{
    std::u16string controls = u"a\tb\r\nc\rd";
    for (char16_t c : {char16_t(1), char16_t(0x7F), char16_t(0x85)})
        controls += c;
    EXPECT_EQ(KICalImport::CleanText(controls + u"e", true), u"a b\nc\nde");
    EXPECT_EQ(KICalImport::CleanText(u"a\nb", false), u"a b");
    EXPECT_EQ(KUtf8::ToUtf16("a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x93\x85"), u"aé日\U0001F4C5");
    // Overlong, surrogate, cut short, beyond U+10FFFF, a stray continuation byte.
    EXPECT_EQ(KUtf8::ToUtf16("\xC0\xAF|\xED\xA0\x80|\xE6\x97|\xF4\x90\x80\x80|\x80"),
              u"\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD\uFFFD|\uFFFD");
    const std::u16string title = KICalImport::Title(std::u16string(100, u'n'), KCivilDate{2024, 3, 12});
    EXPECT_EQ(title.size(), 64u);
    EXPECT_EQ(title.substr(53), u" 2024-03-12");
}
