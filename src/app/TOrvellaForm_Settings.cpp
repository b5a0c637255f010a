// Settings kept between runs: read at start, written once when the planner ends and when the
// desktop session asks for its data.
#include "app/TOrvellaForm.h"

#include "app/KTFileLogOnMenu.h"
#include "platform/core/KAppDataFolder.h"
#include "storage/KOrvellaEnv.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>

void TOrvellaForm::ReadSettingsAtStart()
{
    if (!platform_.AppData || !platform_.Files)
        return;
    KOrvellaEnv env(*platform_.Files, *platform_.Prompter, *platform_.AppData);
    env.SetLanguage(Language);
    const std::u16string path = env.SettingsFilePath();
    // A missing file is the first start: nothing to read and nothing to say.
    if (!platform_.Files->Exists(path))
        return;
    env.AlarmConfigRef = &AlarmConfig;
    env.WeekConfigRef = &WeekConfig;
    if (env.ReadSettings(path) != 0) {
        // A damaged file leaves the options at their start values, but what its blocks before
        // the damage held (the alarm points, the week options) is kept and in effect. The file
        // is copied aside before the next write replaces it.
        settingsUnread_ = true;
        if (env.BlocksRead >= 1)
            ApplyAlarmEnabled();
        if (env.BlocksRead >= 2)
            SetAutoOpen(WeekConfig.AutoOpen, 0);
        return;
    }
    const uint8_t bits = env.OptionBits;
    SetClock24H(bits & KOrvellaEnv::OptClock24H, 2);
    SetClockSeconds(bits & KOrvellaEnv::OptClockSeconds, 2);
    SetOneHourGScale(bits & KOrvellaEnv::OptOneHourGScale);
    SetStartWithLastView(bits & KOrvellaEnv::OptStartWithLastView);
    // A view number the program does not know starts the list.
    LastViewType = env.SavedViewType <= vtWeek ? int(env.SavedViewType) : int(vtList);
    SkinState.Flags = env.SavedSkinState.Flags;
    SkinState.Size = env.SavedSkinState.Size;
    SkinState.Transparency = env.SavedSkinState.Transparency;
    SkinState.Top = env.SavedSkinState.Top;
    SkinState.Left = env.SavedSkinState.Left;
    SetCurTimeMark(bits & KOrvellaEnv::OptCurTimeMark);
    SetDesktopNotify(!(bits & KOrvellaEnv::OptNoDesktopNotify));
    for (const std::u16string &recent : env.RecentFiles)
        FileLogMenu->Add(QString::fromStdU16String(recent));
    SetAutoOpen(WeekConfig.AutoOpen, 0);
    // The alarm configuration was read straight into AlarmConfig: switch the alarm on.
    ApplyAlarmEnabled();
    // Interface language.
    ApplySavedLanguage(env.SavedLanguage);
}

void TOrvellaForm::ReopenLastFile()
{
    // The newest entry whose file still opens. An entry whose file is gone or cannot be read
    // is dropped, so that no later start trips over it again.
    while (FileLogMenu->Count() > 0) {
        const QString path = FileLogMenu->Path(0);
        if (ReopenFile(path))
            return;
        FileLogMenu->Remove(path);
    }
}

bool TOrvellaForm::ReopenFile(const QString &path)
{
    if (!platform_.Files->Exists(path.toStdU16String()))
        return false;
    switch (CheckFileKind(path)) {
    case 0:
        if (!OpenScheduleFile(path, false))
            return false;
        DayFileName = SchFileName;
        ShowOpenedWeekday(7);
        SetWeekSchOpen(false);
        return true;
    case 1:
        if (!OpenWeekSchFile(path, true))
            return false;
        SetWeekSchOpen(true);
        return true;
    default:
        return false;
    }
}

void TOrvellaForm::RestoreLastView()
{
    if (!StartWithLastView)
        return;
    // The week count is never restored: its week file may not be open yet. The week view
    // comes back when a week schedule was reopened, else the list shows.
    if (LastViewType == vtWeek && !WeekSchOpen)
        ViewType = vtList;
    else if (LastViewType != vtWeekCount)
        ViewType = LastViewType;
    SwitchView(ViewType);
    UnpackSkinState();
    // Skin mode comes back only on the pie or the timeline.
    if ((SkinState.Flags & 1) != 0 && (ViewType == vtPie || ViewType == vtTimeline)) {
        ApplySkinState();
        EnterSkinMode();
    }
}

bool TOrvellaForm::WriteSettingsFile()
{
    if (!platform_.AppData || !platform_.Files)
        return false;
    PackSkinState();

    KOrvellaEnv env(*platform_.Files, *platform_.Prompter, *platform_.AppData);
    env.SetLanguage(Language);
    env.AlarmConfigRef = &AlarmConfig;
    env.WeekConfigRef = &WeekConfig;
    env.SavedLanguage = Language;
    env.OptionBits = uint8_t((Clock24H ? KOrvellaEnv::OptClock24H : 0) |
                             (ClockSeconds ? KOrvellaEnv::OptClockSeconds : 0) |
                             (CurTimeMark ? KOrvellaEnv::OptCurTimeMark : 0) |
                             (OneHourGScale ? KOrvellaEnv::OptOneHourGScale : 0) |
                             (StartWithLastView ? KOrvellaEnv::OptStartWithLastView : 0) |
                             (DesktopNotify ? 0 : KOrvellaEnv::OptNoDesktopNotify));
    env.SavedViewType = uint8_t(ViewType);
    env.SavedSkinState.Flags = SkinState.Flags;
    env.SavedSkinState.Size = SkinState.Size;
    env.SavedSkinState.Transparency = SkinState.Transparency;
    env.SavedSkinState.Top = SkinState.Top;
    env.SavedSkinState.Left = SkinState.Left;
    for (const QString &recent : FileLogMenu->PathsOldestFirst())
        env.RecentFiles.push_back(recent.toStdU16String());
    // Written once for the same settings: the session's request and the end do not both write.
    std::vector<uint8_t> image = env.BuildImage();
    if (!image.empty() && image == writtenSettings_)
        return true;
    env.KeepDamagedCopy = settingsUnread_;
    if (!env.WriteSettings())
        return false;
    settingsUnread_ = false;
    writtenSettings_ = std::move(image);
    return true;
}

void TOrvellaForm::WriteSettingsAtEnd()
{
    if (settingsWrittenAtEnd_)
        return;
    settingsWrittenAtEnd_ = true;
    WriteSettingsFile();
}
