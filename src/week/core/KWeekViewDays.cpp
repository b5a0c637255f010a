#include "week/core/KWeekViewDays.h"

#include "model/KMessageCatalog.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KPrompter.h"
#include "storage/KScheduleFile.h"

namespace {
// The week view reads quietly; a failure shows as the day's reason, not as a message box.
class KQuietPrompter : public KPrompter {
public:
    KMsgAnswer Ask(const std::u16string &, const std::u16string &, KMsgIcon, KMsgButtons buttons) override
    {
        return buttons == KMsgButtons::Ok ? KMsgAnswer::Ok : KMsgAnswer::Cancel;
    }
};
} // namespace

std::array<KWeekViewDay, 7> KWeekViewDays::Read(const KWeekSchConfig &config, KFileSystem &files)
{
    std::array<KWeekViewDay, 7> days;
    KQuietPrompter quiet;
    for (int d = 0; d < 7; ++d) {
        KWeekViewDay &day = days[size_t(d)];
        day.Path = config.GetDayFile(d);
        if (day.Path.empty())
            continue;
        if (!files.Exists(day.Path)) {
            day.Trouble = KWeekViewDay::Problem::Missing;
            continue;
        }
        KScheduleFile reader(files, quiet);
        reader.SetFileName(day.Path);
        if (!reader.ReadSchedule()) {
            day.Trouble = KWeekViewDay::Problem::Unreadable;
            day.ErrorCode = reader.ErrorCode != 0 ? reader.ErrorCode : int32_t(KMessageCatalog::DamagedFile);
            continue;
        }
        day.Title = reader.Title;
        if (reader.Schedule->GetCount() == 0) {
            day.Trouble = KWeekViewDay::Problem::Empty;
            continue;
        }
        day.Schedule = std::move(reader.Schedule);
        day.Trouble = KWeekViewDay::Problem::None;
    }
    return days;
}

std::u16string KWeekViewDays::Reason(const KWeekViewDay &day, int language)
{
    const bool en = language == 1;
    std::u16string why;
    switch (day.Trouble) {
    case KWeekViewDay::Problem::None:
        return day.Path;
    case KWeekViewDay::Problem::NoFile:
        return en ? u"No schedule file is set for this day."
                  : u"この曜日のスケジュール・ファイルは指定されていません。";
    case KWeekViewDay::Problem::Missing:
        why = KMessageCatalog::Text(KMessageCatalog::FileMissing, language);
        break;
    case KWeekViewDay::Problem::Unreadable:
        why = KMessageCatalog::Text(day.ErrorCode, language);
        break;
    case KWeekViewDay::Problem::Empty:
        why = en ? u"The schedule file holds no frame." : u"スケジュール・ファイルに予定がありません。";
        break;
    }
    return why + u'\n' + day.Path;
}
