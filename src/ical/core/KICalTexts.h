#pragma once

#include "ical/core/KICalCalendar.h"
#include "ical/core/KICalImport.h"

#include <string>

// The texts of the iCalendar import, in Japanese (language 0) and English (1).
namespace KICalTexts {
// A short fixed name of the reason, for scripts ("all-day", "overlapped", ...).
const char *ReasonCode(KICalSkip reason);
std::u16string Reason(KICalSkip reason, int language);
// A short fixed name of a refusal ("not-icalendar", "too-many-frames", ...).
const char *ErrorCode(KICalImportError error);
// Why a file was refused; FramesNeeded is part of the too-many-frames text.
std::u16string Error(const KICalImportResult &result, int language);
// One line about a skipped event: "09:00 Meeting: overlapped by an earlier event".
std::u16string SkippedLine(const KICalSkipped &skipped, int language);
} // namespace KICalTexts
