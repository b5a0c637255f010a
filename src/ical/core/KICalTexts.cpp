#include "ical/core/KICalTexts.h"

#include "model/KDaySchedule.h"

#include <cstdio>

namespace KICalTexts {

namespace {

std::u16string Ascii(const std::string &s)
{
    return std::u16string(s.begin(), s.end());
}

// "HH:MM" of a start, with the day it falls on when that is not the date itself.
std::u16string StartText(int64_t seconds, int language)
{
    const bool before = seconds < 0, after = seconds >= 86400;
    const int64_t s = ((seconds % 86400) + 86400) % 86400;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", int(s / 3600), int(s / 60 % 60));
    std::u16string out = Ascii(buf);
    if (before)
        out = (language == 1 ? u"(day before) " : u"（前日）") + out;
    if (after)
        out = (language == 1 ? u"(next day) " : u"（翌日）") + out;
    return out;
}

} // namespace

const char *ReasonCode(KICalSkip reason)
{
    switch (reason) {
    case KICalSkip::AllDay:
        return "all-day";
    case KICalSkip::Cancelled:
        return "cancelled";
    case KICalSkip::BadTimeZone:
        return "bad-time-zone";
    case KICalSkip::BadTime:
        return "bad-time";
    case KICalSkip::BadRecurrence:
        return "bad-recurrence";
    case KICalSkip::UnsupportedRecurrence:
        return "unsupported-recurrence";
    case KICalSkip::RecurrenceTooLong:
        return "recurrence-too-long";
    case KICalSkip::NoTimeLeft:
        return "overlapped";
    }
    return "unknown";
}

std::u16string Reason(KICalSkip reason, int language)
{
    const bool en = language == 1;
    switch (reason) {
    case KICalSkip::AllDay:
        return en ? u"all-day event" : u"終日の予定";
    case KICalSkip::Cancelled:
        return en ? u"cancelled" : u"キャンセルされた予定";
    case KICalSkip::BadTimeZone:
        return en ? u"unknown or damaged time zone" : u"タイムゾーンが不明か壊れています";
    case KICalSkip::BadTime:
        return en ? u"its start or end cannot be read" : u"開始または終了の時刻が読めません";
    case KICalSkip::BadRecurrence:
        return en ? u"its repetition rule cannot be read" : u"繰り返しの規則が読めません";
    case KICalSkip::UnsupportedRecurrence:
        return en ? u"repeats more often than every hour"
                  : u"１時間より短い間隔の繰り返しには対応していません";
    case KICalSkip::RecurrenceTooLong:
        return en ? u"too many repetitions before the date" : u"その日までの繰り返しが多すぎます";
    case KICalSkip::NoTimeLeft:
        return en ? u"an earlier event takes all of its time" : u"先の予定と重なり、時間が残りません";
    }
    return u"";
}

const char *ErrorCode(KICalImportError error)
{
    switch (error) {
    case KICalImportError::None:
        return "none";
    case KICalImportError::FileMissing:
        return "file-missing";
    case KICalImportError::CannotRead:
        return "cannot-read";
    case KICalImportError::TooLarge:
        return "too-large";
    case KICalImportError::NotICalendar:
        return "not-icalendar";
    case KICalImportError::Truncated:
        return "truncated";
    case KICalImportError::TooManyFrames:
        return "too-many-frames";
    }
    return "unknown";
}

std::u16string Error(const KICalImportResult &result, int language)
{
    const bool en = language == 1;
    switch (result.Error) {
    case KICalImportError::None:
        return u"";
    case KICalImportError::FileMissing:
        return en ? u"The file doesn't exist." : u"ファイルが存在しません。";
    case KICalImportError::CannotRead:
        return en ? u"The file cannot be read." : u"ファイルを読み込めません。";
    case KICalImportError::TooLarge:
        return en ? u"The file is too large for a calendar (more than 16 MB)."
                  : u"カレンダーとしては大きすぎるファイルです（16 MB 超）。";
    case KICalImportError::NotICalendar:
        return en ? u"It is not an iCalendar file." : u"iCalendar ファイルではありません。";
    case KICalImportError::Truncated:
        return en ? u"The iCalendar file ends too early; it may be cut off."
                  : u"iCalendar ファイルが途中で終わっています。壊れている可能性があります。";
    case KICalImportError::TooManyFrames: {
        const std::u16string need = Ascii(std::to_string(result.FramesNeeded));
        const std::u16string max = Ascii(std::to_string(KDaySchedule::DefaultCapacity));
        return en ? u"The day would need " + need + u" frames; a schedule holds " + max + u"."
                  : u"この日には " + need + u" 個の枠が必要ですが、スケジュールに入るのは " + max +
                        u" 個までです。";
    }
    }
    return u"";
}

std::u16string SkippedLine(const KICalSkipped &skipped, int language)
{
    std::u16string line;
    if (skipped.HasStart)
        line = StartText(skipped.Start, language) + u' ';
    const std::u16string summary = KICalImport::CleanText(skipped.Summary, false);
    line += summary.empty() ? (language == 1 ? u"(no title)" : u"（件名なし）") : summary;
    line += language == 1 ? u": " : u"：";
    line += Reason(skipped.Reason, language);
    if (!skipped.Detail.empty())
        line += u" (" + KICalImport::CleanText(skipped.Detail, false) + u")";
    return line;
}

} // namespace KICalTexts
