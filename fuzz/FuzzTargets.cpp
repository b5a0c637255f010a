#include "FuzzTargets.h"

#include "ical/core/KICalImport.h"
#include "model/KItemPoolCore.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "platform/fakes/KFixedOffsetZone.h"
#include "storage/KICalExport.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <cstdio>
#include <cstdlib>

namespace {

const std::u16string InputPath = u"/in/file";
const std::u16string OutputPath = u"/out/file";

void Check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "round trip differs: %s\n", what);
        std::abort();
    }
}

bool SameSchedule(const KDaySchedule &a, const KDaySchedule &b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (int i = 0; i < a.GetCount(); ++i) {
        const KScheduleFrame &x = *a.GetFrame(i);
        const KScheduleFrame &y = *b.GetFrame(i);
        if (!(x.StartTime == y.StartTime) || !(x.Duration == y.Duration) || x.Color != y.Color ||
            x.ItemName != y.ItemName || x.Memo != y.Memo)
            return false;
    }
    return true;
}

} // namespace

int FuzzScheduleReader(const uint8_t *data, size_t size)
{
    KFakeFileSystem files;
    KFakePrompter prompter;
    files.Put(InputPath, std::vector<uint8_t>(data, data + size));
    KScheduleFile in(files, prompter);
    in.SetFileName(InputPath);
    int peek = in.PeekFrameCount(InputPath);
    KDaySchedule *read = in.ReadSchedule();
    if (!read) {
        Check(in.ErrorCode == 20 || in.ErrorCode == 21, "schedule error code");
        return 0;
    }
    Check(in.ErrorCode == 0 && peek > 0, "schedule accepted without a count");
    Check(read->GetCount() <= 50, "schedule count");

    KScheduleFile out(files, prompter);
    out.SetFileName(OutputPath);
    out.SetTitle(in.Title);
    out.WriteSchedule(*read);
    Check(out.ErrorCode == 0, "schedule write");
    KScheduleFile again(files, prompter);
    again.SetFileName(OutputPath);
    KDaySchedule *back = again.ReadSchedule();
    // A file whose frames all lack an item name loads as an empty schedule, which is written
    // with a count of 0 and so is refused on reading.
    if (read->GetCount() == 0) {
        Check(back == nullptr, "empty schedule read back");
        return 0;
    }
    Check(back != nullptr, "schedule read back");
    Check(again.Title == in.Title, "schedule title");
    Check(SameSchedule(*read, *back), "schedule frames");
    return 0;
}

int FuzzWeekReader(const uint8_t *data, size_t size)
{
    KFakeFileSystem files;
    KFakePrompter prompter;
    files.Put(InputPath, std::vector<uint8_t>(data, data + size));
    KWeekSchFile in(files, prompter);
    in.SetFileName(InputPath);
    KWeekSchConfig *read = in.ReadWeekSchedule();
    if (!read) {
        Check(in.ErrorCode == 21 || in.ErrorCode == 24, "week error code");
        return 0;
    }
    Check(in.IsWeekScheduleFile(InputPath), "week signature");
    KWeekSchFile out(files, prompter);
    out.SetFileName(OutputPath);
    out.WriteWeekSchedule(*read);
    Check(out.ErrorCode == 0, "week write");
    KWeekSchFile again(files, prompter);
    again.SetFileName(OutputPath);
    KWeekSchConfig *back = again.ReadWeekSchedule();
    Check(back != nullptr && back->DayFiles == read->DayFiles, "week days");
    return 0;
}

int FuzzSettingsReader(const uint8_t *data, size_t size)
{
    KFakeFileSystem files;
    KFakePrompter prompter;
    KFakeAppDataFolder appData;
    files.Put(InputPath, std::vector<uint8_t>(data, data + size));
    KSchAlarmConfig alarm;
    KWeekSchConfig week;
    KOrvellaEnv in(files, prompter, appData);
    in.AlarmConfigRef = &alarm;
    in.WeekConfigRef = &week;
    int32_t code = in.ReadSettings(InputPath);
    Check(code == in.ErrorCode, "settings result");
    if (code != 0) {
        Check(code == 20 || code == 21, "settings error code");
        // A failure part-way keeps only what the blocks before it read.
        Check(in.BlocksRead < 3 && in.RecentFiles.empty(), "settings blocks on failure");
        Check((in.BlocksRead >= 1 || alarm == KSchAlarmConfig()) &&
                  (in.BlocksRead >= 2 || week == KWeekSchConfig()),
              "settings loaded on failure");
        return 0;
    }
    Check(in.WriteSettings(OutputPath), "settings write");
    KSchAlarmConfig alarm2;
    KWeekSchConfig week2;
    KOrvellaEnv again(files, prompter, appData);
    again.AlarmConfigRef = &alarm2;
    again.WeekConfigRef = &week2;
    Check(again.ReadSettings(OutputPath) == 0, "settings read back");
    Check(alarm2 == alarm, "settings alarm");
    Check(week2 == week, "settings week");
    Check(again.RecentFiles == in.RecentFiles, "settings recent files");
    Check(again.OptionBits == in.OptionBits && again.SavedViewType == in.SavedViewType &&
              again.SavedSkinState == in.SavedSkinState && again.SavedLanguage == in.SavedLanguage,
          "settings fixed part");
    return 0;
}

int FuzzICalImporter(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    KFixedOffsetZone tokyo(9 * 3600);
    KItemPoolCore pool(KItemPoolCore::MaxCapacity);
    AddDefaultItems(pool);
    KICalImport::Options options;
    options.Date = KCivilDate{2024, 3, 12};
    options.Pool = &pool;
    const KICalImportResult r = KICalImport::ImportText(text, u"fuzz", tokyo, options);
    if (r.Error == KICalImportError::TooManyFrames) {
        Check(r.FramesNeeded > KDaySchedule::DefaultCapacity && r.Schedule.GetCount() == 0,
              "too many frames");
        return 0;
    }
    if (r.Error != KICalImportError::None) {
        Check(r.Error == KICalImportError::NotICalendar || r.Error == KICalImportError::Truncated,
              "ical error");
        return 0;
    }
    const KDaySchedule &day = r.Schedule;
    Check(day.GetCount() >= 1 && size_t(day.GetCount()) == r.Sources.size(), "ical frame count");
    int64_t at = 0;
    for (int i = 0; i < day.GetCount(); ++i) {
        const KScheduleFrame &f = *day.GetFrame(i);
        Check(f.StartTime.TotalSeconds() == at, "ical frames follow one another");
        at += f.Duration.TotalSeconds();
        Check(f.HasItemName() && f.ItemName.size() <= KScheduleFrame::ItemNameMax &&
                  f.Memo.size() <= KScheduleFrame::MemoMax,
              "ical texts");
        for (char16_t c : f.ItemName + f.Memo)
            Check(c >= 0x20 || c == u'\n', "ical control characters");
        Check(f.ItemName.find(u'\n') == std::u16string::npos, "ical line break in an item");
    }
    Check(at == 86400, "ical day is whole");
    KDaySchedule checked;
    checked.AssignSchedule(day);
    Check(checked.CheckSchedule() == 0 && !checked.OverFullDay, "ical day passes the check");

    KICalExport::Options exportOptions;
    exportOptions.Date = options.Date;
    exportOptions.Stamp = "20240101T000000Z";
    const std::string again = KICalExport::ExportDay(r.Title, day, exportOptions);
    const KICalImportResult back = KICalImport::ImportText(again, u"again", tokyo, options);
    Check(back.Error == KICalImportError::None && back.Skipped.empty(), "ical export read back");
    Check(SameSchedule(day, back.Schedule), "ical export and import give the same frames");
    return 0;
}
