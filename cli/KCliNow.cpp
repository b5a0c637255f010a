#include "KCliNow.h"

#include "KCliJson.h"
#include "KCliUtf.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KStdFileSystem.h"
#include "storage/KFileKind.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <cstdio>
#include <optional>
#include <ostream>

namespace KCliNow {

const char *const Synopsis = "orvella-cli now FILE [--at HH:MM:SS] [--weekday 0-6] [--json]";
const char *const Explanation =
    "now prints the frame that holds the time (default: now) and the next one; for a week\n"
    "schedule it reads the day file of the weekday (0 Sunday .. 6 Saturday, default today).\n"
    "Exit 0 when a frame holds the time, 4 when none does.\n";

namespace {

constexpr int English = 1;
constexpr int Day = 24 * 3600;

int Seconds(KSchTime t)
{
    return t.Hour * 3600 + t.Minute * 60 + t.Second;
}

std::string Clock(int seconds, bool withSeconds = true)
{
    char buf[16];
    if (withSeconds)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(buf, sizeof buf, "%02d:%02d", seconds / 3600, seconds / 60 % 60);
    return buf;
}

// Forward from a to b around the day.
int Forward(int a, int b)
{
    return ((b - a) % Day + Day) % Day;
}

bool ParseClock(const std::string &text, KSchTime &out)
{
    if (text.size() != 8 || !KCliJson::ParseTime(text, out))
        return false;
    return out.Hour < 24;
}

struct Options {
    std::string file;
    std::optional<KSchTime> at;
    std::optional<int> weekday;
    bool json = false;
};

int Usage(std::ostream &err, const std::string &why)
{
    err << "orvella-cli: " << KCliUtf::Printable(why) << "\nusage: " << Synopsis << "\n";
    return 2;
}

int Refused(std::ostream &out, std::ostream &err, bool json, const std::string &path, int code)
{
    const std::string message = KCliUtf::ToUtf8(KMessageCatalog::Text(code, English));
    if (json)
        out << KCliJson::Dump(KCliJson::ErrorToJson(code, message)) << "\n";
    else
        err << "orvella-cli: " << KCliUtf::Printable(path) << ": error " << code << ": " << message << "\n";
    return 1;
}

std::unique_ptr<KDaySchedule> ReadDay(KFileSystem &files, KPrompter &prompter, const std::u16string &path,
                                      int &error)
{
    if (!files.Exists(path)) {
        error = KMessageCatalog::FileMissing;
        return nullptr;
    }
    KScheduleFile f(files, prompter);
    f.SetLanguage(English);
    f.SetFileName(path);
    if (!f.ReadSchedule()) {
        error = f.ErrorCode;
        return nullptr;
    }
    return std::move(f.Schedule);
}

} // namespace

int Run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, KFileSystem &files,
        KPrompter &prompter, const KClock &clock)
{
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--json") {
            o.json = true;
        } else if (a == "--at" || a == "--weekday") {
            if (i + 1 >= args.size())
                return Usage(err, a + " needs a value");
            const std::string &v = args[++i];
            if (a == "--at") {
                KSchTime t;
                if (!ParseClock(v, t))
                    return Usage(err, "--at: not a time of day HH:MM:SS: " + v);
                o.at = t;
            } else {
                if (v.size() != 1 || v[0] < '0' || v[0] > '6')
                    return Usage(err, "--weekday: not a weekday 0-6: " + v);
                o.weekday = v[0] - '0';
            }
        } else if (a.size() > 1 && a[0] == '-' && a != "--") {
            return Usage(err, "unknown option " + a);
        } else if (a != "--") {
            if (!o.file.empty())
                return Usage(err, "one file only");
            o.file = a;
        }
    }
    if (o.file.empty())
        return Usage(err, "no file given");

    const KClockReading reading = clock.Now();
    const KSchTime at = o.at ? *o.at : ToClockTime(reading.Time);
    const int weekday = o.weekday ? *o.weekday : reading.Weekday;
    const std::u16string path = KStdFileSystem::TextOf(o.file);

    KCliJson::Json j;
    j["time"] = Clock(Seconds(at));
    std::u16string dayPath = path;
    const KFileKind kind = CheckFileKind(files, path);
    if (kind == KFileKind::Week) {
        KWeekSchFile week(files, prompter);
        week.SetLanguage(English);
        week.SetFileName(path);
        if (!week.ReadWeekSchedule())
            return Refused(out, err, o.json, o.file, week.ErrorCode);
        dayPath = week.Config->GetDayFile(weekday);
        if (dayPath.empty())
            j["dayFile"] = nullptr;
        else
            j["dayFile"] = KCliUtf::ToUtf8(dayPath);
    } else if (kind != KFileKind::Schedule) {
        return Refused(out, err, o.json, o.file,
                       UnknownKindCode(files, path, KMessageCatalog::NotSchedulerFile));
    }

    std::unique_ptr<KDaySchedule> schedule;
    if (!dayPath.empty()) {
        int error = 0;
        schedule = ReadDay(files, prompter, dayPath, error);
        if (!schedule)
            return Refused(out, err, o.json, KCliUtf::ToUtf8(dayPath), error);
    } else {
        schedule = std::make_unique<KDaySchedule>(); // no day file: nothing is planned
    }

    // The same search as the planner's clock tick.
    const int now = Seconds(at);
    const int index = schedule->FindFrameAt(at);
    const KScheduleFrame *current = schedule->GetFrame(index);
    int nextIndex = -1;
    if (current) {
        nextIndex = schedule->NextIndex(index);
    } else {
        // The frame that starts soonest after the time.
        for (int i = 0, best = Day; i < schedule->GetCount(); ++i) {
            const int in = Forward(now, Seconds(schedule->GetFrame(i)->StartTime));
            if (in < best)
                best = in, nextIndex = i;
        }
    }
    const KScheduleFrame *next = nextIndex >= 0 ? schedule->GetFrame(nextIndex) : nullptr;

    int remaining = 0;
    if (current) {
        const int start = Seconds(current->StartTime), duration = Seconds(current->Duration);
        remaining = duration - Forward(start, now);
        j["current"] = {
            {"index", index},
            {"item", KCliUtf::ToUtf8(current->ItemName)},
            {"memo", current->HasMemo() ? KCliJson::Json(KCliUtf::ToUtf8(current->Memo)) : nullptr},
            {"start", Clock(start % Day)},
            {"end", Clock((start + duration) % Day)},
            {"remaining", Clock(remaining)}};
    } else {
        j["current"] = nullptr;
    }
    const int in = next ? (current ? remaining : Forward(now, Seconds(next->StartTime))) : 0;
    if (next)
        j["next"] = {{"index", nextIndex},
                     {"item", KCliUtf::ToUtf8(next->ItemName)},
                     {"start", Clock(Seconds(next->StartTime) % Day)},
                     {"in", Clock(in)}};
    else
        j["next"] = nullptr;

    if (o.json) {
        out << KCliJson::Dump(j) << "\n";
    } else if (current) {
        const int start = Seconds(current->StartTime);
        out << KCliUtf::Printable(current->ItemName) << " " << Clock(start % Day, false) << "\u2013"
            << Clock((start + Seconds(current->Duration)) % Day, false) << " あと " << Clock(remaining, false)
            << "\n";
    } else if (next) {
        out << "予定なし 次 " << KCliUtf::Printable(next->ItemName) << " "
            << Clock(Seconds(next->StartTime) % Day, false) << " まで " << Clock(in, false) << "\n";
    } else {
        out << "予定なし\n";
    }
    return current ? 0 : ExitNoFrame;
}

} // namespace KCliNow
