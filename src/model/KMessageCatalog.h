#pragma once

#include <string>

// The numbered bilingual messages every component reports and shows.
namespace KMessageCatalog {

constexpr int MessageCount = 35;

// Well-known codes.
enum Code : int {
    NoError = 0,
    CaptionError = 1,
    CaptionSystemError = 2,
    CaptionWarning = 3,
    CaptionNew = 4,
    Cancelled = 8,
    FileIoError = 9,
    CannotOpen = 10,
    CannotCreate = 11,
    ReplacePrompt = 15,
    FileMissing = 16,
    NoWeekFile = 17,
    ReadOnlyFile = 18,
    HelpMissing = 19,
    NotSchedulerFile = 20,
    DamagedFile = 21,
    SavePrompt = 22,
    QuitSchedulingPrompt = 23,
    NotWeekFile = 24,
    NoValidDayFile = 25,
    NoAutoReadFile = 26,
    ScheduleFull = 27,
    ViewSwitchRefused = 28,
    RevertPrompt = 29,
    NewInSchedulingPrompt = 30,
    AlarmFileMissing = 31,
    AlarmFileUnplayable = 32,
    SelectWithFileButton = 33,
    // Beyond the numbers of the original catalogue.
    LinkLoop = 34,
};

// 0 Japanese, 1 English; any value above 1 counts as Japanese.
int LanguageIndex(int language);

// The text of message code in the given language; an empty text for an unknown code.
const std::u16string &Text(int code, int language);

// The body of the standard error box: fileName, two line breaks and the message,
// or only the message when fileName is empty.
std::u16string ComposeWithFileName(int code, const std::u16string &fileName, int language);

} // namespace KMessageCatalog
