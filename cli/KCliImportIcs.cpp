#include "KCliImportIcs.h"

#include "KCliJson.h"
#include "KCliUtf.h"
#include "ical/core/KICalImport.h"
#include "ical/core/KICalTexts.h"
#include "model/KItemPoolCore.h"
#include "model/KMessageCatalog.h"
#include "storage/KScheduleFile.h"

#include <iomanip>
#include <optional>
#include <ostream>

namespace KCliImportIcs {

const char *const Synopsis = "orvella-cli import-ics FILE.ics --date YYYY-MM-DD [-o OUT.ors] [--json]";
const char *const Explanation =
    "import-ics makes the schedule of one local date from a calendar: its events in start order,\n"
    "overlaps given to the earlier event, the time between them as free frames (\xE8\x87\xAA\xE7\x94\xB1); "
    "all-day\n"
    "events are left out and listed; -o writes the schedule file, --json prints the report\n"
    "(a schedule that write accepts, with the events left out and why).\n";

namespace {

constexpr int English = 1;

struct Request {
    std::string File;
    std::optional<std::string> Date;
    std::optional<std::string> Output;
    bool Json = false;
};

std::string Parse(const std::vector<std::string> &args, Request &r)
{
    bool endOfOptions = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (!endOfOptions && a == "--") {
            endOfOptions = true;
        } else if (endOfOptions || a.empty() || a[0] != '-' || a == "-") {
            if (!r.File.empty())
                return "more than one file given";
            r.File = a;
        } else if (a == "--json") {
            r.Json = true;
        } else if (a == "--date" || a == "-o") {
            if (i + 1 >= args.size())
                return a + " needs a value";
            (a == "-o" ? r.Output : r.Date) = args[++i];
        } else {
            return "unknown option " + a;
        }
    }
    if (r.File.empty())
        return "no file given";
    return r.Date ? "" : "--date is needed";
}

std::string Seconds(int64_t s)
{
    return KCliJson::FormatTime(KSchTime{uint8_t(s / 3600), uint8_t(s / 60 % 60), uint8_t(s % 60)});
}

// Where a start lies: the day before, the date, or the day after.
KCliJson::Json Start(const KICalSkipped &s)
{
    if (!s.HasStart)
        return nullptr;
    const int64_t day = s.Start < 0 ? -1 : s.Start >= 86400 ? 1 : 0;
    return KCliJson::Json{{"time", Seconds(s.Start - day * 86400)}, {"dayOffset", day}};
}

std::u16string Detail(const KICalSkipped &s)
{
    return s.Detail.empty() ? u"" : u" (" + KICalImport::CleanText(s.Detail, false) + u")";
}

KCliJson::Json Report(const KICalImportResult &r, const std::string &date,
                      const std::optional<std::string> &written)
{
    KCliJson::Json j = KCliJson::ScheduleToJson(r.Title, r.Schedule);
    j["date"] = date;
    j["written"] = written ? KCliJson::Json(*written) : KCliJson::Json(nullptr);
    for (size_t i = 0; i < r.Sources.size(); ++i) {
        const KICalFrameSource &s = r.Sources[i];
        KCliJson::Json &f = j["frames"][i];
        f["event"] = s.Event;
        KCliJson::Json changes = KCliJson::Json::array();
        if (s.CutAtStart)
            changes.push_back("cut-at-start");
        if (s.CutAtEnd)
            changes.push_back("cut-at-end");
        if (s.StartsLater)
            changes.push_back("starts-later");
        f["changes"] = changes;
    }
    KCliJson::Json skipped = KCliJson::Json::array();
    for (const KICalSkipped &s : r.Skipped)
        skipped.push_back(
            KCliJson::Json{{"summary", KCliUtf::ToUtf8(KICalImport::CleanText(s.Summary, false))},
                           {"start", Start(s)},
                           {"reason", KICalTexts::ReasonCode(s.Reason)},
                           {"message", KCliUtf::ToUtf8(KICalTexts::Reason(s.Reason, English) + Detail(s))}});
    j["skipped"] = skipped;
    return j;
}

void PrintText(std::ostream &out, const KICalImportResult &r, const std::string &date,
               const std::optional<std::string> &written)
{
    out << "Day " << date << ": " << r.Schedule.GetCount() << " frames"
        << (written ? ", written to " + KCliUtf::Printable(*written) : std::string()) << "\n\n"
        << " #  Start     Duration  Item / Memo\n";
    for (int i = 0; i < r.Schedule.GetCount(); ++i) {
        const KScheduleFrame &f = *r.Schedule.GetFrame(i);
        out << std::setw(2) << i + 1 << "  " << KCliJson::FormatTime(f.StartTime) << "  "
            << KCliJson::FormatTime(f.Duration) << "  " << KCliUtf::Printable(f.ItemName);
        if (f.HasMemo())
            out << " / " << KCliUtf::Printable(KICalImport::CleanText(f.Memo, false));
        out << "\n";
    }
    if (r.Skipped.empty())
        return;
    out << "\nLeft out:\n";
    for (const KICalSkipped &s : r.Skipped)
        out << "  " << KCliUtf::Printable(KICalTexts::SkippedLine(s, English)) << "\n";
}

} // namespace

int Run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, KFileSystem &files,
        KPrompter &prompter, const KCliHost &host)
{
    Request r;
    std::string wrong = Parse(args, r);
    KICalImport::Options options;
    if (wrong.empty() && !KCivilDate::Parse(*r.Date, options.Date))
        wrong = "--date needs a date YYYY-MM-DD between " + std::to_string(KCivilDate::MinYear) + " and " +
                std::to_string(KCivilDate::MaxYear);
    if (!wrong.empty()) {
        err << "orvella-cli: " << wrong << "\nusage: " << Synopsis << "\n" << Explanation;
        return 2;
    }

    KItemPoolCore pool(KItemPoolCore::MaxCapacity);
    AddDefaultItems(pool);
    options.Pool = &pool;
    const KICalImportResult result =
        KICalImport::ImportFile(files, KCliUtf::FromUtf8(r.File), host.LocalZone(), options);
    auto refuse = [&](const std::string &file, const std::string &code, const std::string &message) {
        if (r.Json)
            out << KCliJson::Json{{"error", code}, {"file", file}, {"message", message}}.dump(2) << "\n";
        err << "orvella-cli: " << KCliUtf::Printable(file) << ": " << message << "\n";
        return 1;
    };
    if (result.Error != KICalImportError::None)
        return refuse(r.File, KICalTexts::ErrorCode(result.Error),
                      KCliUtf::ToUtf8(KICalTexts::Error(result, English)) + " Nothing was written.");

    if (r.Output) {
        KScheduleFile f(files, prompter);
        f.SetLanguage(English);
        f.SetFileName(KCliUtf::FromUtf8(*r.Output));
        f.SetTitle(result.Title);
        f.WriteFlags = KWriteBackup;
        f.WriteSchedule(result.Schedule);
        if (f.ErrorCode != 0)
            return refuse(*r.Output, "cannot-write",
                          KCliUtf::ToUtf8(KMessageCatalog::Text(f.ErrorCode, English)));
    }
    if (r.Json)
        out << Report(result, *r.Date, r.Output).dump(2) << "\n";
    else
        PrintText(out, result, *r.Date, r.Output);
    out.flush();
    return 0;
}

} // namespace KCliImportIcs
