#include "ical/core/KICalImport.h"

#include "model/KItemColorStore.h"
#include "platform/core/KFileSystem.h"
#include "storage/KScheduleFile.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int64_t DaySeconds = 86400;

KSchTime TimeOf(int64_t seconds)
{
    return KSchTime{uint8_t(seconds / 3600), uint8_t(seconds / 60 % 60), uint8_t(seconds % 60)};
}

uint32_t ColorOf(const std::u16string &item, const KICalImport::Options &options)
{
    const uint32_t white = KScheduleFrame::DefaultColor;
    return options.Pool && options.Pool->HasItem(item) ? options.Pool->GetItemColor(item, white) : white;
}

// Cutting a text to its limit may leave a blank at its end, which an iCalendar reader would
// drop on the next read: drop it now, so that a day imported, exported and imported again is the same.
std::u16string Fit(const std::u16string &text, size_t max)
{
    std::u16string out = TruncateUtf16(text, max);
    while (!out.empty() && out.back() == u' ')
        out.pop_back();
    return out;
}

std::u16string Memo(const KICalEvent &e)
{
    const std::u16string location = KICalImport::CleanText(e.Location, true);
    const std::u16string description = KICalImport::CleanText(e.Description, true);
    if (location.empty() || description.empty())
        return location + description;
    return location + u'\n' + description;
}

struct Piece {
    int64_t Start, End;
    const KICalEvent *Event; // none: free time
    KICalFrameSource Source;
};

} // namespace

std::u16string KICalImport::CleanText(const std::u16string &text, bool keepLineBreaks)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += keepLineBreaks ? u'\n' : u' ';
        } else if (c == u'\t') {
            out += u' ';
        } else if (c >= 0x20 && !(c >= 0x7F && c <= 0x9F)) {
            out += c;
        }
    }
    // iCalendar readers drop blanks at both ends of a value; so does the import, whatever
    // reads the file.
    const size_t first = out.find_first_not_of(u' ');
    if (first == std::u16string::npos)
        return std::u16string();
    return out.substr(first, out.find_last_not_of(u' ') - first + 1);
}

std::u16string KICalImport::Title(const std::u16string &name, const KCivilDate &date)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
    std::u16string day(buf, buf + 10);
    const std::u16string clean = CleanText(name, false);
    if (clean.empty())
        return day;
    return TruncateUtf16(clean, KScheduleFile::TitleMaxChars - day.size() - 1) + u' ' + day;
}

KICalImportResult KICalImport::LayOut(std::vector<KICalEvent> events, const Options &options)
{
    KICalImportResult result;
    std::vector<Piece> pieces;
    for (const KICalEvent &e : events) {
        Piece p{
            std::clamp<int64_t>(e.Start, 0, DaySeconds), std::clamp<int64_t>(e.End, 0, DaySeconds), &e, {}};
        p.Source.Event = true;
        p.Source.CutAtStart = e.Start < 0;
        p.Source.CutAtEnd = e.End > DaySeconds;
        p.Source.EventStart = e.Start;
        p.Source.EventEnd = e.End;
        // Only a moment inside the day or a stretch overlapping it belongs to the day.
        if (e.End == e.Start ? e.Start >= 0 && e.Start < DaySeconds : p.End > p.Start)
            pieces.push_back(p);
    }
    std::stable_sort(pieces.begin(), pieces.end(), [](const Piece &a, const Piece &b) {
        return a.Start != b.Start ? a.Start < b.Start
               : a.End != b.End   ? a.End < b.End
                                  : a.Event->Order < b.Event->Order;
    });

    // Each event in start order takes the time from where the earlier ones end; free frames
    // fill what no event takes.
    std::vector<Piece> day;
    int64_t cursor = 0;
    auto freeUntil = [&](int64_t to) {
        if (to > cursor)
            day.push_back(Piece{cursor, to, nullptr, {}});
    };
    for (Piece &p : pieces) {
        const bool moment = p.Start == p.End;
        if (moment ? p.Start < cursor : p.End <= cursor) {
            KICalSkipped s;
            s.Summary = p.Event->Summary;
            s.Reason = KICalSkip::NoTimeLeft;
            s.HasStart = true;
            s.Start = p.Event->Start;
            result.Skipped.push_back(std::move(s));
            continue;
        }
        if (p.Start < cursor) {
            p.Source.StartsLater = true;
            p.Start = cursor;
        }
        freeUntil(p.Start);
        day.push_back(p);
        cursor = p.End;
    }
    freeUntil(DaySeconds);

    if (day.size() > size_t(result.Schedule.Capacity())) {
        result.Error = KICalImportError::TooManyFrames;
        result.FramesNeeded = int32_t(day.size());
        return result;
    }
    for (const Piece &p : day) {
        std::u16string item = p.Event ? CleanText(p.Event->Summary, false) : options.FreeItem;
        if (item.empty())
            item = options.UntitledItem;
        item = Fit(item, KScheduleFrame::ItemNameMax);
        const std::u16string memo = p.Event ? Fit(Memo(*p.Event), KScheduleFrame::MemoMax) : u"";
        result.Schedule.AppendFrame(
            KScheduleFrame(TimeOf(p.Start), TimeOf(p.End - p.Start), item, ColorOf(item, options), memo));
        result.Sources.push_back(p.Source);
    }
    return result;
}

KICalImportResult KICalImport::ImportText(std::string_view text, const std::u16string &fallbackName,
                                          const KLocalZone &zone, const Options &options)
{
    KICalDay read = KICalCalendar::ReadDay(text, options.Date, zone);
    KICalImportResult result;
    if (read.Error != KICalDay::Failure::None) {
        result.Error = read.Error == KICalDay::Failure::Truncated ? KICalImportError::Truncated
                                                                  : KICalImportError::NotICalendar;
        return result;
    }
    result = LayOut(std::move(read.Events), options);
    // In the order of the day; events without a time of day (all-day ones) first.
    result.Skipped.insert(result.Skipped.begin(), read.Skipped.begin(), read.Skipped.end());
    std::stable_sort(result.Skipped.begin(), result.Skipped.end(),
                     [](const KICalSkipped &a, const KICalSkipped &b) {
                         return a.HasStart != b.HasStart ? !a.HasStart : a.HasStart && a.Start < b.Start;
                     });
    result.Title = Title(read.CalendarName.empty() ? fallbackName : read.CalendarName, options.Date);
    return result;
}

KICalImportResult KICalImport::ImportFile(KFileSystem &files, const std::u16string &path,
                                          const KLocalZone &zone, const Options &options)
{
    KICalImportResult result;
    uint64_t size = 0;
    std::vector<uint8_t> bytes;
    if (!files.Exists(path)) {
        result.Error = KICalImportError::FileMissing;
    } else if (files.FileSize(path, size) != KFsStatus::Ok) {
        result.Error = KICalImportError::CannotRead;
    } else if (size > MaxFileBytes) {
        result.Error = KICalImportError::TooLarge;
    } else if (files.ReadAt(path, 0, size_t(size), bytes) != KFsStatus::Ok || bytes.size() != size) {
        result.Error = KICalImportError::CannotRead;
    } else {
        const std::string_view text(reinterpret_cast<const char *>(bytes.data()), bytes.size());
        return ImportText(text, KPath::StemOf(path), zone, options);
    }
    return result;
}
