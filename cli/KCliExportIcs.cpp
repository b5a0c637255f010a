#include "KCliExportIcs.h"

#include "KCliUtf.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KStdFileSystem.h"
#include "storage/KFileHandler.h"
#include "storage/KFileKind.h"
#include "storage/KICalExport.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <memory>
#include <optional>
#include <ostream>

namespace KCliExportIcs {

const char *const Synopsis =
    "orvella-cli export-ics FILE [--date YYYY-MM-DD] [--weeks N] [--settings FILE] [-o OUT]";
const char *const Explanation =
    "export-ics writes an iCalendar file (to standard output without -o): the frames of a schedule\n"
    "(.ors) as events on the date (default today), or those of a week schedule (.orw) repeating\n"
    "every week from the week of the date, N times (default without end); reminders at the alarm\n"
    "points of the settings file (default the planner's own).\n";

namespace {

constexpr int English = 1;
constexpr int MaxWeeks = 9999;
const char *const DayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

struct Request {
    std::string File;
    std::optional<std::string> Date;
    int32_t Weeks = 0;
    bool WeeksGiven = false;
    std::optional<std::string> Settings;
    std::optional<std::string> Output;
};

struct Context {
    std::ostream &out;
    std::ostream &err;
    KFileSystem &files;
    KPrompter &prompter;
    const KCliHost &host;
    // Every file read; the calendar is never written over one of them.
    std::vector<std::u16string> inputs;
};

// Paths are bytes on this system: they are taken as they are, UTF-8 or not.
std::u16string PathArgument(const std::string &arg)
{
    return KStdFileSystem::TextOf(arg);
}

int UsageError(Context &c, const std::string &what)
{
    c.err << "orvella-cli: " << KCliUtf::Printable(what) << "\nusage: " << Synopsis << "\n" << Explanation;
    return 2;
}

int Refused(Context &c, const std::string &what, int code)
{
    c.err << "orvella-cli: " << KCliUtf::Printable(what) << ": error " << code << ": "
          << KCliUtf::ToUtf8(KMessageCatalog::Text(code, English)) << "\n";
    return 1;
}

// Parses the arguments; an empty text when they are fine, else what is wrong.
std::string Parse(const std::vector<std::string> &args, Request &r)
{
    bool endOfOptions = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (!endOfOptions && a == "--") {
            endOfOptions = true;
            continue;
        }
        if (endOfOptions || a.empty() || a[0] != '-' || a == "-") {
            if (!r.File.empty())
                return "more than one file given";
            r.File = a;
            continue;
        }
        if (a != "--date" && a != "--weeks" && a != "--settings" && a != "-o")
            return "unknown option " + a;
        if (i + 1 >= args.size())
            return a + " needs a value";
        const std::string &v = args[++i];
        if (a == "--date")
            r.Date = v;
        else if (a == "--settings")
            r.Settings = v;
        else if (a == "-o")
            r.Output = v;
        else {
            r.WeeksGiven = true;
            r.Weeks = 0;
            bool digits = !v.empty() && v.size() <= 4;
            for (char ch : v) {
                digits = digits && ch >= '0' && ch <= '9';
                r.Weeks = r.Weeks * 10 + (ch - '0');
            }
            if (!digits || r.Weeks < 1 || r.Weeks > MaxWeeks)
                return "--weeks needs a number from 1 to " + std::to_string(MaxWeeks);
        }
    }
    return r.File.empty() ? "no file given" : "";
}

// A path named inside a week file, relative ones taken from the week file's folder.
std::u16string DayFilePath(const std::u16string &weekPath, const std::u16string &day)
{
    const bool absolute = day.front() == u'/' || day.front() == u'\\' || (day.size() > 1 && day[1] == u':');
    return absolute ? day : KPath::FolderOf(weekPath) + day;
}

// The settings file is read from a path given; it needs no data folder.
class KNoFolder : public KAppDataFolder {
public:
    std::u16string Folder() const override { return std::u16string(); }
};

// Reads the alarm configuration; false (after saying why) when an explicitly named file fails.
bool ReadAlarms(Context &c, const Request &r, KSchAlarmConfig &alarm, bool &haveAlarms)
{
    haveAlarms = false;
    const std::u16string path = r.Settings ? PathArgument(*r.Settings) : c.host.SettingsFilePath();
    if (path.empty() || (!r.Settings && !c.files.Exists(path)))
        return true;
    const std::string path8 = r.Settings ? *r.Settings : KCliUtf::ToUtf8(path);
    c.inputs.push_back(path);
    if (!c.files.Exists(path)) {
        Refused(c, path8, KMessageCatalog::FileMissing);
        return false;
    }
    KWeekSchConfig week;
    KNoFolder noFolder;
    KOrvellaEnv env(c.files, c.prompter, noFolder);
    env.SetLanguage(English);
    env.AlarmConfigRef = &alarm;
    env.WeekConfigRef = &week;
    if (env.ReadSettings(path) != 0) {
        if (r.Settings) {
            Refused(c, path8, env.ErrorCode);
            return false;
        }
        c.err << "orvella-cli: warning: the settings file " << KCliUtf::Printable(path8)
              << " cannot be read (error " << env.ErrorCode << "); the events get no reminders\n";
        alarm = KSchAlarmConfig();
        return true;
    }
    haveAlarms = true;
    return true;
}

std::unique_ptr<KDaySchedule> ReadDay(Context &c, const std::u16string &path, std::u16string &title,
                                      const std::string &what)
{
    if (!c.files.Exists(path)) {
        Refused(c, what, KMessageCatalog::FileMissing);
        return nullptr;
    }
    KScheduleFile f(c.files, c.prompter);
    f.SetLanguage(English);
    f.SetFileName(path);
    if (!f.ReadSchedule()) {
        Refused(c, what, f.ErrorCode);
        return nullptr;
    }
    c.inputs.push_back(path);
    title = f.Title;
    return std::move(f.Schedule);
}

// Writes the calendar to standard output, into a pipe or device as it is, or to a file the way
// the planner saves its own: complete and on the device before it replaces the old one.
int Emit(Context &c, const Request &r, const std::string &calendar)
{
    if (!r.Output || *r.Output == "-") {
        c.out << calendar;
        c.out.flush();
        return c.out ? 0 : Refused(c, "standard output", KMessageCatalog::FileIoError);
    }
    const std::u16string target = PathArgument(*r.Output);
    const std::vector<uint8_t> bytes(calendar.begin(), calendar.end());
    if (c.files.TypeOf(target) == KFileType::Stream) {
        return c.files.WriteToStream(target, bytes) == KFsStatus::Ok
                   ? 0
                   : Refused(c, *r.Output, KMessageCatalog::FileIoError);
    }
    for (const std::u16string &input : c.inputs) {
        if (c.files.SameFile(input, target)) {
            c.err << "orvella-cli: " << KCliUtf::Printable(*r.Output)
                  << ": is a file the calendar is made from; nothing written\n";
            return 1;
        }
    }
    KFileHandler handler(c.files, c.prompter);
    handler.SetLanguage(English);
    const KWriteResult result = handler.CreateFileWithBlock(target, bytes, 0);
    return result == wrOK ? 0 : Refused(c, *r.Output, handler.WriteErrorCode(result));
}

} // namespace

int Run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, KFileSystem &files,
        KPrompter &prompter, const KCliHost &host)
{
    Context c{out, err, files, prompter, host, {}};
    Request r;
    if (std::string wrong = Parse(args, r); !wrong.empty())
        return UsageError(c, wrong);
    KICalExport::Options options;
    options.Date = host.Today();
    if (r.Date && !KCivilDate::Parse(*r.Date, options.Date))
        return UsageError(c, "--date needs a date YYYY-MM-DD between " + std::to_string(KCivilDate::MinYear) +
                                 " and " + std::to_string(KCivilDate::MaxYear));
    options.Weeks = r.Weeks;
    options.Stamp = host.UtcStamp();

    const std::u16string path = PathArgument(r.File);
    const KFileKind kind = CheckFileKind(files, path);
    if (kind != KFileKind::Schedule && kind != KFileKind::Week)
        return Refused(c, r.File, UnknownKindCode(files, path, KMessageCatalog::NotSchedulerFile));
    if (kind == KFileKind::Schedule && r.WeeksGiven)
        return UsageError(c, "--weeks is for week schedule files (.orw)");

    KSchAlarmConfig alarm;
    bool haveAlarms = false;
    if (!ReadAlarms(c, r, alarm, haveAlarms))
        return 1;
    options.Alarms = haveAlarms ? &alarm : nullptr;
    options.SourceKey = host.AbsolutePath(path);

    if (kind == KFileKind::Schedule) {
        std::u16string title;
        std::unique_ptr<KDaySchedule> day = ReadDay(c, path, title, r.File);
        if (!day)
            return 1;
        return Emit(c, r, KICalExport::ExportDay(title, *day, options));
    }

    KWeekSchFile week(files, prompter);
    week.SetLanguage(English);
    week.SetFileName(path);
    if (!week.ReadWeekSchedule())
        return Refused(c, r.File, week.ErrorCode);
    c.inputs.push_back(path);
    std::array<std::unique_ptr<KDaySchedule>, 7> days;
    std::array<const KDaySchedule *, 7> dayPtrs{};
    for (int d = 0; d < 7; ++d) {
        const std::u16string named = week.Config->GetDayFile(d);
        if (named.empty())
            continue;
        std::u16string title;
        const std::u16string dayPath = DayFilePath(path, named);
        days[d] =
            ReadDay(c, dayPath, title, KCliUtf::ToUtf8(dayPath) + " (" + DayNames[d] + " of " + r.File + ")");
        if (!days[d])
            return 1;
        dayPtrs[d] = days[d].get();
    }
    return Emit(c, r, KICalExport::ExportWeek(KPath::StemOf(path), dayPtrs, options));
}

} // namespace KCliExportIcs
