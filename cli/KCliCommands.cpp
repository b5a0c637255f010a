#include "KCliCommands.h"

#include "KCliExportIcs.h"
#include "KCliImportIcs.h"
#include "KCliJson.h"
#include "KCliNow.h"
#include "KCliUtf.h"
#include "model/KCheckTexts.h"
#include "model/KMessageCatalog.h"
#include "model/KScheduleEditCore.h"
#include "platform/core/KPrompter.h"
#include "platform/core/KStdFileSystem.h"
#include "storage/KFileKind.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <iomanip>
#include <istream>
#include <ostream>
#include <sstream>

namespace KCliCommands {

namespace {

constexpr int English = 1;

const std::string Usage =
    std::string("usage: orvella-cli show FILE [--json]\n"
                "       orvella-cli write FILE < JSON\n"
                "       orvella-cli check FILE [--json]\n"
                "       ") +
    KCliExportIcs::Synopsis +               // iCalendar export
    "\n       " + KCliImportIcs::Synopsis + // iCalendar import
    "\n       " + KCliNow::Synopsis +       // the frame of a time
    "\nshow prints a schedule (.ors), week schedule (.orw) or settings file;\n"
    "write makes a schedule or week schedule file from the JSON that show --json prints;\n"
    "check finds overlapping frames, gaps and more than 24 hours in a schedule file\n"
    "(exit 0 clean, 3 problems found);\n" +
    KCliExportIcs::Explanation + KCliImportIcs::Explanation + KCliNow::Explanation;

// The file layer's message boxes become lines on the error stream.
class KStreamPrompter : public KPrompter {
public:
    explicit KStreamPrompter(std::ostream &err) : err_(err) {}
    KMsgAnswer Ask(const std::u16string &caption, const std::u16string &text, KMsgIcon,
                   KMsgButtons buttons) override
    {
        // A message with a file name has it on a line of its own: one line here.
        std::u16string line = text;
        for (size_t at; (at = line.find(u"\n\n")) != std::u16string::npos;)
            line.replace(at, 2, u": ");
        err_ << "orvella-cli: " << KCliUtf::Printable(caption) << (caption.empty() ? "" : ": ")
             << KCliUtf::Printable(line) << "\n";
        return buttons == KMsgButtons::YesNo || buttons == KMsgButtons::YesNoCancel ? KMsgAnswer::Yes
                                                                                    : KMsgAnswer::Ok;
    }

private:
    std::ostream &err_;
};

struct Context {
    std::ostream &out;
    std::ostream &err;
    KFileSystem &files;
    KStreamPrompter prompter;
    bool json = false;
};

std::string English8(int code)
{
    return KCliUtf::ToUtf8(KMessageCatalog::Text(code, English));
}

int Refused(Context &c, const std::string &path, int code)
{
    if (c.json)
        c.out << KCliJson::Dump(KCliJson::ErrorToJson(code, English8(code))) << "\n";
    else
        c.err << "orvella-cli: " << KCliUtf::Printable(path) << ": error " << code << ": " << English8(code)
              << "\n";
    return ExitRefused;
}

std::string Cell(const std::string &text, size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

int ShowSchedule(Context &c, const std::string &path8, const std::u16string &path)
{
    KScheduleFile f(c.files, c.prompter);
    f.SetLanguage(English);
    f.SetFileName(path);
    if (!f.ReadSchedule())
        return Refused(c, path8, f.ErrorCode);
    if (c.json) {
        c.out << KCliJson::Dump(KCliJson::ScheduleToJson(f.Title, *f.Schedule)) << "\n";
        return ExitOk;
    }
    c.out << "Schedule file: " << KCliUtf::Printable(path8) << "\n"
          << "Title: " << KCliUtf::Printable(f.Title) << "\n"
          << "Frames: " << f.Schedule->GetCount() << "\n\n"
          << " #  Start     Duration  Colour   Item / Memo\n";
    for (int i = 0; i < f.Schedule->GetCount(); ++i) {
        const KScheduleFrame &fr = *f.Schedule->GetFrame(i);
        c.out << std::setw(2) << i + 1 << "  " << Cell(KCliJson::FormatTime(fr.StartTime), 10)
              << Cell(KCliJson::FormatTime(fr.Duration), 10) << Cell(KCliJson::FormatColor(fr.Color), 9)
              << KCliUtf::Printable(fr.ItemName);
        if (fr.HasMemo())
            c.out << " / " << KCliUtf::Printable(fr.Memo);
        c.out << "\n";
    }
    return ExitOk;
}

int ShowWeek(Context &c, const std::string &path8, const std::u16string &path)
{
    KWeekSchFile f(c.files, c.prompter);
    f.SetLanguage(English);
    f.SetFileName(path);
    if (!f.ReadWeekSchedule())
        return Refused(c, path8, f.ErrorCode);
    if (c.json) {
        c.out << KCliJson::Dump(KCliJson::WeekToJson(*f.Config)) << "\n";
        return ExitOk;
    }
    static const char *Days[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
    c.out << "Week schedule file: " << KCliUtf::Printable(path8) << "\n\n";
    for (int d = 0; d < KWeekSchConfig::DayCount; ++d) {
        std::u16string day = f.Config->GetDayFile(d);
        c.out << Cell(Days[d], 11) << (day.empty() ? "(none)" : KCliUtf::Printable(day)) << "\n";
    }
    return ExitOk;
}

int ShowSettings(Context &c, const std::string &path8, const std::u16string &path, KAppDataFolder &unused)
{
    KSchAlarmConfig alarm;
    KWeekSchConfig week;
    KOrvellaEnv env(c.files, c.prompter, unused);
    env.SetLanguage(English);
    env.AlarmConfigRef = &alarm;
    env.WeekConfigRef = &week;
    if (env.ReadSettings(path) != 0)
        return Refused(c, path8, env.ErrorCode);
    KCliJson::Json j = KCliJson::SettingsToJson(env, alarm, week);
    if (c.json) {
        c.out << KCliJson::Dump(j) << "\n";
        return ExitOk;
    }
    // The values are printed in their JSON form, which may hold paths and texts of the file.
    const auto value = [](const KCliJson::Json &v) { return KCliUtf::Printable(v.dump()); };
    c.out << "Settings file: " << KCliUtf::Printable(path8) << "\n\n";
    for (const char *key : {"language", "optionBits", "viewType", "skin"})
        c.out << Cell(key, 12) << value(j[key]) << "\n";
    const KCliJson::Json &a = j["alarm"];
    c.out << Cell("alarm", 12) << "flags " << value(a["flags"]) << ", enabled points "
          << value(a["enabledPoints"]) << "\n";
    for (size_t i = 0; i < a["points"].size(); ++i)
        c.out << Cell("", 12) << "point " << i << ": " << value(a["points"][i]) << "\n";
    c.out << Cell("", 12) << "texts " << value(a["texts"]) << ", extra texts " << value(a["extraTexts"])
          << "\n";
    c.out << Cell("week", 12) << value(j["week"]) << "\n";
    c.out << "recent files:\n";
    for (const auto &r : j["recent"])
        c.out << "  " << KCliUtf::Printable(r.get<std::string>()) << "\n";
    return ExitOk;
}

class KNoAppData : public KAppDataFolder {
public:
    std::u16string Folder() const override { return std::u16string(); }
};

int Show(Context &c, const std::string &path8)
{
    std::u16string path = KStdFileSystem::TextOf(path8);
    KNoAppData noAppData;
    switch (CheckFileKind(c.files, path)) {
    case KFileKind::Schedule:
        return ShowSchedule(c, path8, path);
    case KFileKind::Week:
        return ShowWeek(c, path8, path);
    case KFileKind::Settings:
        return ShowSettings(c, path8, path, noAppData);
    case KFileKind::Unknown:
        break;
    }
    return Refused(c, path8, UnknownKindCode(c.files, path, KMessageCatalog::NotSchedulerFile));
}

int Write(Context &c, const std::string &path8, std::istream &in)
{
    KCliJson::Json json;
    try {
        json = KCliJson::Json::parse(in);
    } catch (const nlohmann::json::exception &e) {
        // The parser's message quotes the input near the fault.
        c.err << "orvella-cli: the input is not valid JSON: " << KCliUtf::Printable(e.what()) << "\n";
        return ExitUsage;
    }
    std::u16string path = KStdFileSystem::TextOf(path8);
    try {
        auto kind = json.is_object() ? json.find("kind") : json.end();
        std::string k = kind != json.end() && kind->is_string() ? kind->get<std::string>() : "";
        if (k == "schedule") {
            std::u16string title;
            KDaySchedule schedule;
            KCliJson::ScheduleFromJson(json, title, schedule);
            KScheduleFile f(c.files, c.prompter);
            f.SetLanguage(English);
            f.SetFileName(path);
            f.SetTitle(title);
            f.WriteFlags = KWriteBackup;
            f.WriteSchedule(schedule);
            return f.ErrorCode == 0 ? ExitOk : Refused(c, path8, f.ErrorCode);
        }
        if (k == "week") {
            KWeekSchConfig week;
            KCliJson::WeekFromJson(json, week);
            KWeekSchFile f(c.files, c.prompter);
            f.SetLanguage(English);
            f.SetFileName(path);
            f.WriteFlags = KWriteBackup;
            f.WriteWeekSchedule(week);
            return f.ErrorCode == 0 ? ExitOk : Refused(c, path8, f.ErrorCode);
        }
        throw KCliInputError("kind: must be \"schedule\" or \"week\"");
    } catch (const KCliInputError &e) {
        c.err << "orvella-cli: nothing written: " << KCliUtf::Printable(e.what()) << "\n";
        return ExitUsage;
    }
}

// --- check ---------------------------------------------------------------------------

// Hours are not reduced and may run past 99.
std::string FormatSeconds(int64_t seconds)
{
    std::ostringstream o;
    o << std::setfill('0') << std::setw(2) << seconds / 3600 << ':' << std::setw(2) << seconds / 60 % 60
      << ':' << std::setw(2) << seconds % 60;
    return o.str();
}

std::string ProblemWords(int code)
{
    std::string ja, en;
    for (KCheckTexts::Text line : KCheckTexts::LinesFor(code)) {
        // The texts begin with a blank of their own.
        ja += KCliUtf::ToUtf8(KCheckTexts::Get(line, 0).substr(1));
        en += (en.empty() ? "" : " ") + KCliUtf::ToUtf8(KCheckTexts::Get(line, English).substr(1));
    }
    return ja + " / " + en;
}

int Check(Context &c, const std::string &path8)
{
    std::u16string path = KStdFileSystem::TextOf(path8);
    if (CheckFileKind(c.files, path) != KFileKind::Schedule)
        return Refused(c, path8, UnknownKindCode(c.files, path, KMessageCatalog::NotSchedulerFile));
    KScheduleFile f(c.files, c.prompter);
    f.SetLanguage(English);
    f.SetFileName(path);
    if (!f.ReadSchedule())
        return Refused(c, path8, f.ErrorCode);
    KDaySchedule &s = *f.Schedule;
    const KCheckReport report = KScheduleEditCore::Check(s);
    const int n = s.GetCount();
    int problems = 0;
    for (int i = 0; i < n; ++i)
        problems += s.CheckCodes[size_t(i)] != 0 ? 1 : 0;
    const std::string total = FormatSeconds(s.TotalSeconds());
    if (c.json) {
        KCliJson::Json j = KCliJson::Json::object();
        j["frames"] = KCliJson::Json::array();
        for (int i = 0; i < n; ++i)
            j["frames"].push_back({{"index", i}, {"code", s.CheckCodes[size_t(i)]}});
        j["problems"] = problems;
        j["overFullDay"] = s.OverFullDay;
        j["total"] = total;
        if (report.Clean())
            j["report"] = nullptr;
        else if (report.Index < 0)
            j["report"] = {{"index", nullptr}, {"code", report.Code}};
        else
            j["report"] = {{"index", report.Index}, {"code", report.Code}};
        c.out << KCliJson::Dump(j) << "\n";
    } else {
        for (int i = 0; i < n; ++i) {
            const int code = s.CheckCodes[size_t(i)];
            if (code == 0)
                continue;
            const KScheduleFrame &fr = *s.GetFrame(i);
            c.out << "frame " << i + 1 << " ("
                  << KCliUtf::ToUtf8(FormatTime(ToClockTime(fr.StartTime), false)) << "-"
                  << KCliUtf::ToUtf8(FormatTime(ToClockTime(fr.EndTime()), false)) << " "
                  << KCliUtf::Printable(fr.ItemName) << "): code " << code << ": " << ProblemWords(code)
                  << "\n";
        }
        if (s.OverFullDay)
            c.out << "all frames: code 9: " << ProblemWords(KDaySchedule::OverFullDayCode) << "\n";
        c.out << "total: " << total << "\n";
    }
    return report.Clean() ? ExitOk : ExitProblems;
}

int Dispatch(const std::vector<std::string> &args, std::istream &in, std::ostream &out, std::ostream &err,
             KFileSystem &files, const KCliHost *host, const KClock *clock);

} // namespace

int Run(const std::vector<std::string> &args, std::istream &in, std::ostream &out, std::ostream &err,
        KFileSystem &files, const KCliHost *host, const KClock *clock)
{
    const int rc = Dispatch(args, in, out, err, files, host, clock);
    // What was printed must have arrived: a full disk or a closed pipe behind standard output
    // is a failure, whatever the command found.
    out.flush();
    if (out)
        return rc;
    if (rc != ExitRefused)
        err << "orvella-cli: standard output: error " << KMessageCatalog::FileIoError << ": "
            << English8(KMessageCatalog::FileIoError) << "\n";
    return ExitRefused;
}

namespace {

int Dispatch(const std::vector<std::string> &args, std::istream &in, std::ostream &out, std::ostream &err,
             KFileSystem &files, const KCliHost *host, const KClock *clock)
{
    Context c{out, err, files, KStreamPrompter(err)};
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << Usage;
        return ExitOk;
    }
    // iCalendar export: a command with options of its own.
    if (!args.empty() && args[0] == "export-ics") {
        KCliSystemHost systemHost;
        return KCliExportIcs::Run(std::vector<std::string>(args.begin() + 1, args.end()), out, err, files,
                                  c.prompter, host ? *host : systemHost);
    }
    // iCalendar import: one day of a calendar as a schedule.
    if (!args.empty() && args[0] == "import-ics") {
        KCliSystemHost systemHost;
        return KCliImportIcs::Run(std::vector<std::string>(args.begin() + 1, args.end()), out, err, files,
                                  c.prompter, host ? *host : systemHost);
    }
    // The frame of a time: a command with options of its own.
    if (!args.empty() && args[0] == "now") {
        KSystemClock systemClock;
        return KCliNow::Run(std::vector<std::string>(args.begin() + 1, args.end()), out, err, files,
                            c.prompter, clock ? *clock : systemClock);
    }
    std::vector<std::string> rest;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json")
            c.json = true;
        else if (args[i].size() > 1 && args[i][0] == '-' && args[i] != "--") {
            err << "orvella-cli: unknown option " << KCliUtf::Printable(args[i]) << "\n" << Usage;
            return ExitUsage;
        } else if (args[i] != "--")
            rest.push_back(args[i]);
    }
    if (args.empty() || rest.size() != 1) {
        err << Usage;
        return ExitUsage;
    }
    if (args[0] == "show")
        return Show(c, rest[0]);
    if (args[0] == "check")
        return Check(c, rest[0]);
    if (args[0] == "write" && !c.json)
        return Write(c, rest[0], in);
    err << Usage;
    return ExitUsage;
}

} // namespace

} // namespace KCliCommands
