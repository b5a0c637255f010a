#pragma once

#include "alarm/core/KSchAlarm.h"
#include "alarm/core/KSchAlarmConfig.h"
#include "app/KChangeMark.h"
#include "model/KDaySchOpeLog.h"
#include "model/KDaySchedule.h"
#include "platform/core/KClipboard.h"
#include "platform/core/KPlatform.h"
#include "platform/core/KPrompter.h"
#include "platform/core/KSoundFilePlayer.h"
#include "week/core/KWeekSchConfig.h"
#include "week/core/KWeekViewDays.h"

#include <QMainWindow>
#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QCheckBox;
class QColorDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;
class QWidget;
class KScheduleList;
class KSingleInstance;
class KDesktopAlarmNotifier;
class KTGraphDragEditor;
class KTSchedulePie;
class KTScheduleTimeline;
class KTSchTimeCount;
class KTWeekView;
struct KCivilDate;
class KSidePanel;
class KToptionPanel_I;
class KToptionPanel_II;
class KUiTranslator;
class KTScheduleItemPool;
class KSingleInstance;
class KTFileLogOnMenu;
class TKClock;
class TKCurSchView;
class KAlarmWindows;
class TKSchAlmCfgDialog;

// The main window: owns the shown schedule, the views, the side panel and every
// option, and follows the clock once a second.
class TOrvellaForm : public QMainWindow {
    Q_OBJECT

public:
    // vtWeek, the seven day files of the open week schedule side by side, is never in the
    // settings files of earlier versions; they start any value they do not know as the list.
    enum ViewTypes { vtList = 0, vtPie = 1, vtTimeline = 2, vtCount = 3, vtWeekCount = 4, vtWeek = 5 };

    // screenSize overrides the primary screen's size (tests use it).
    explicit TOrvellaForm(const KPlatform &platform, std::optional<QSize> screenSize = std::nullopt,
                          QWidget *parent = nullptr);
    ~TOrvellaForm() override;

    // Window size from the screen size: {height, width}.
    static QSize ComputeWindowSize(QSize screenSize);
    void ApplyWindowSize(int height, int width);

    void ClockTick();
    // Timer1's shot: the tick, then the timer aimed at the next whole second.
    void Timer1Timer();
    void AddDefaultFrame(KDaySchedule &schedule);
    const KScheduleFrame *FrameProvider(bool current) const;
    void ShowMessageCode(int code, const QString &fileName = QString());

    void SwitchView(int type);
    void UpdateViewMenuChecks(int type);
    void SetCurTimeMark(bool value);
    void SetOneHourGScale(bool value);
    void SetStartWithLastView(bool value);
    void SetClock24H(bool value, int source);
    void SetClockSeconds(bool value, int source);
    void UpdateCurSchView(TKCurSchView *view, KSchTime now);
    void HelpContentsExecute();
    void HelpVersionExecute();

    // The week toggle of the View menu.
    void ViewTypeWeeklyExecute();

    // --- Scheduling mode (TOrvellaForm_Mode.cpp) ---
    void ToggleSchedulingMode();
    void EnterSchedulingMode();
    // Leaving runs the check on the working copy, which may keep the mode on: read
    // SchedulingMode afterwards.
    void ExitSchedulingMode();
    // Before another file replaces the shown schedule: in scheduling mode asks whether to quit
    // it (its edits are dropped). Answers whether the caller may go on.
    bool ConfirmQuitScheduling();
    // Before saving: in scheduling mode checks the working copy and copies it into
    // ShownSchedule (the mode stays on). Answers whether ShownSchedule may be written; false
    // when the check kept the edits back.
    bool ApplyForSave();
    // The operation log of scheduling mode; exists only while the mode is on.
    std::unique_ptr<KDaySchOpeLog> OpeLog;

    // --- File commands and the recent-files list (TOrvellaForm_Files.cpp) ---
    KTFileLogOnMenu *FileLogMenu = nullptr;
    // Save the changed schedule first? Yes (saved or nothing to save), No or Cancel.
    KMsgAnswer ConfirmSaveChanges();
    // 0 schedule file, 1 week schedule file, 2 anything else (also a missing file).
    int CheckFileKind(const QString &path);
    bool OpenScheduleFile(const QString &path, bool addToLog);
    void FileOpenExecute();
    void OpenRecentFile(const QString &path);
    void NewSchedule();
    // Yes when the schedule was written or nothing more can be done; Cancel when the
    // user cancelled or the file could not be written.
    KMsgAnswer OverwriteSchedule();
    void FileSaveAsExecute();
    void SaveScheduleAs(const QString &name);
    static QString EnsureDtsExtension(const QString &name);
    // The schedule's own title: the one being typed while scheduling, SchTitle otherwise (the
    // title field shows a caption of its own in the week count).
    QString ScheduleTitle() const;

    // --- iCalendar import (TOrvellaForm_Import.cpp) ---
    // File > Import iCalendar: the save question, the calendar file, the date, then the day.
    void ImportICalendarExecute();
    // The day of the calendar file as a new unsaved schedule; false (after saying why) when
    // the file is refused. Asks nothing first.
    bool ImportICalendar(const QString &path, const KCivilDate &date);

    // --- Settings kept between runs (TOrvellaForm_Settings.cpp) ---
    void ReadSettingsAtStart();
    void ReopenLastFile();
    // Opens a file of the recent list at start; false when it is missing or does not open.
    bool ReopenFile(const QString &path);
    void RestoreLastView();
    // Writes the settings file now; true on success (also when it already holds these settings).
    bool WriteSettingsFile();
    // Writes the settings file once as the planner ends, however it ends (the window closed,
    // the event loop ended by a signal or the session); later calls do nothing.
    void WriteSettingsAtEnd();

    // --- Week schedules: the week panel and the week dialog (TOrvellaForm_Week.cpp) ---
    // Today's weekday, 0 Sunday .. 6 Saturday.
    int Today() const;
    void UpdateWeekButtons(const KWeekSchConfig &config);
    void DisableWeekButtons();
    void ShowOpenedWeekday(int day);
    // Puts a weekday button's mark (today, opened) at the given top, clear of the caption.
    void PlaceWeekdayMark(QFrame *mark, int day, int top);
    void UpdateTodayIndicator();
    bool OpenWeekSchFile(const QString &path, bool addToLog);
    bool OpenWeekdaySchedule(int day, const KWeekSchConfig &config);
    void SetAutoOpen(bool value, int source);
    void WeekSelButtonClick(int day);
    void WkTodayButtonClick();
    void OptWkSchConfigExecute();
    void OptWkSchAutoExecute();
    bool IsUsableScheduleFile(const QString &path);

    // Skin mode: the pie or the timeline alone in a small borderless window.
    void EnterSkinMode();
    void ExitSkinMode();
    void ViewSkinModeExecute();
    void SetSkinSize(int size);
    void SetSkinTransparency(int level);
    void SetSkinStayOnTop(bool value);
    void ClampToScreen();
    void PlaceSkinButtons();
    // The skin fields to and from SkinState (settings file), and the start in skin mode.
    void PackSkinState();
    void UnpackSkinState();
    void ApplySkinState();
    // Window alpha (0..255) of a transparency level; a stray level gives 220.
    static int SkinAlpha(int level);
    // Height and width factors of a skin size for a view, and the size of its time mark.
    struct SkinSizeFactors {
        double Height = 1.0;
        double Width = 1.0;
        int MarkSize = 13;
    };
    static SkinSizeFactors SkinFactors(int viewType, int size);
    // Alarm: arms the watched frame and switches the alarm on when any alarm type is on.
    void ApplyAlarmEnabled();
    void AlarmSoundEnabledExecute();
    void AlarmPopupEnabledExecute();
    void AlarmEmailEnabledExecute();
    // The alarm configuration dialog; true when it was confirmed with OK.
    bool AlarmOptionExecute();

    // Printing: the shown view on the printer the print dialog gives (false when nothing
    // was printed), and the two setup dialogs.
    bool FilePrintExecute();
    void FilePrintSetupExecute();
    void FilePageSetupExecute();

    // Interface language (TOrvellaForm_Language.cpp): 0 Japanese, 1 English (any other value
    // is Japanese). Sets Language and rewrites at once the captions of the open window, its
    // panels and menus (from the translation catalogue) and the texts of every component.
    void SetLanguage(int language);
    static QString WeekCountTitle(int language);

    // The window on the screen (TOrvellaForm_Placement.cpp). The area windows may take: the
    // screen's available area (the screen size given to the constructor, when one was).
    QRect ScreenArea() const;
    // Where a frame goes so that it lies inside area; a frame larger than the area keeps its
    // top-left corner, and so its title bar, inside.
    static QPoint FitFrame(const QRect &frame, const QRect &area);
    // Puts the window's frame (title bar included) at that point, moved inside ScreenArea.
    void PlaceFrameOnScreen(QPoint frameTopLeft);

    // Brings the window back from minimised and activates it (a second start asks for this).
    void RestoreAndActivate();
    // Later starts of the program: each request that reaches this first instance brings the window back
    // and opens the file the later start names, if any.
    void AcceptLaterStarts(KSingleInstance &instance);

    // Linux desktop (TOrvellaForm_Desktop.cpp): tray icon, files handed over by the desktop.
    // Shows the window when hidden, hides it when shown (the tray's click and menu).
    void ToggleWindowFromTray();
    QMenu *TrayMenu = nullptr;
    // Opens a file the desktop handed over (the start's path argument, or a later start's)
    // through the prompts of File > Open. While a modal window is open the file waits for it
    // to close; a later file replaces one still waiting.
    void OpenFileFromDesktop(const QString &path);
    // Desktop notifications beside the alarm popup (kept in the settings file).
    bool DesktopNotify = true;
    void SetDesktopNotify(bool value);

    // State of the window (names as the rest of the program knows them).
    int Language = 0;
    bool WeekSchOpen = false;
    KDaySchedule ShownSchedule;
    KDaySchedule *EditSchedule = nullptr;
    QString SchTitle;
    // Alarm configuration: points, sounds and alarm types (kept in the settings file).
    KSchAlarmConfig AlarmConfig;
    // The alarm: its sound-file player (declared first, it outlives the alarm), its state
    // and its windows (popup, error windows).
    std::unique_ptr<KSoundFilePlayer> MediaPlayer1;
    KSchAlarm Alarm;
    KAlarmWindows *AlarmWindows = nullptr;
    TKSchAlmCfgDialog *AlarmCfgDialog = nullptr;
    bool AlarmResetPending = true;
    QString WeekSchFileName;
    KWeekSchConfig WeekConfig;
    int OpenedWeekday = 7;
    const KScheduleFrame *CurFrame = nullptr;
    int CurFrameIndex = 0;
    bool SchedulingMode = false;
    // The schedule changed since it was last loaded, created or saved (shown in the title).
    KChangeMark SchModified;
    int ListEditOption = 2;
    int ViewType = vtList;
    QString SchFileName;
    QString DayFileName;
    bool Clock24H = false;
    bool ClockSeconds = false;
    bool CurTimeMark = true;
    bool StartWithLastView = false;
    bool OneHourGScale = false;
    int SavedListRow = 1;
    int SavedListCol = 1;
    bool SkinMode = false;
    int SkinSize = 2;
    int SkinTransparency = 1;
    bool SkinStayOnTop = true;
    QPoint NormalPos;
    QPoint SkinPos;
    bool Dragging = false;
    QPoint DragFormPos;
    QPoint DragMousePos;
    int LastViewType = 0;
    struct SkinStateRecord {
        uint8_t Flags = 0;
        uint8_t Size = 0;
        uint8_t Transparency = 0;
        int32_t Top = 0;
        int32_t Left = 0;
    } SkinState;
    int BaseListHeight = 0;
    int BaseListWidth = 0;
    bool SaveAsCancelled = false;

    // Controls.
    QWidget *PanelMainView_1 = nullptr;
    QFrame *ControlPanel1 = nullptr;
    QFrame *ControlPanel2 = nullptr;
    QFrame *WeekPanel = nullptr;
    QFrame *SchTitlePanel = nullptr;
    QFrame *SchModDispBarPanel = nullptr;
    QFrame *SchListPanel = nullptr;
    QLineEdit *SchTitleEdit = nullptr;
    QToolButton *FileNewButton = nullptr;
    QToolButton *FileOpenButton = nullptr;
    QToolButton *FileSaveButton = nullptr;
    QToolButton *SchListViewButton = nullptr;
    QToolButton *SchPieViewButton = nullptr;
    QToolButton *SchTimelineViewButton = nullptr;
    QToolButton *SchCountViewButton = nullptr;
    QToolButton *WeekSchCountViewButton = nullptr;
    QToolButton *EnterEditSchButton = nullptr;
    QToolButton *ExitEditSchButton = nullptr;
    QToolButton *EditAddButton = nullptr;
    QToolButton *EditInsButton = nullptr;
    QToolButton *EditDelButton = nullptr;
    QToolButton *EditCancelButton = nullptr;
    QToolButton *WkTodayButton = nullptr;
    std::array<QPushButton *, 7> WeekdayButtons{};
    QToolButton *WeekSchFileOpenButton = nullptr;
    QCheckBox *WkAutoOpenCheckBox = nullptr;
    QPushButton *AlarmSoundStopButton = nullptr;
    QToolButton *EnterSkinModeButton = nullptr;
    QToolButton *ExitSkinModeButton = nullptr;
    QLabel *SkinModeClockLabel = nullptr;
    QFrame *TodayIndImage = nullptr;
    QFrame *WeekOpnIndImage = nullptr;
    QTimer *Timer1 = nullptr;
    QColorDialog *ColorDialog1 = nullptr; // made by ColorDialog() when first needed
    QColorDialog *ColorDialog();

    // Views and side panels: at most one of each kind exists.
    // They are children of SchListPanel or of the central panel, so Qt deletes
    // whatever still exists when the window goes.
    KScheduleList *SchList = nullptr;
    KTSchedulePie *SchPie = nullptr;
    KTScheduleTimeline *SchTimeline = nullptr;
    KTSchTimeCount *SchTimeCount = nullptr;
    KTWeekView *SchWeekView = nullptr;
    // The day files the week view shows, read when it is shown.
    std::array<KWeekViewDay, 7> WeekViewDays;
    KToptionPanel_I *OptionPanel1 = nullptr;
    KToptionPanel_II *OptionPanel2 = nullptr;
    // Item names and colours, owned by the window.
    KTScheduleItemPool *ItemPool = nullptr;

    // Menus.
    QMenu *FILE_Menu = nullptr;
    QMenu *EDIT_Menu = nullptr;
    QMenu *VIEW_Menu = nullptr;
    QMenu *ALARM_Menu = nullptr;
    QMenu *LANGUAGE_Menu = nullptr;
    QMenu *HELP_Menu = nullptr;
    QMenu *SchEditPopupMenu = nullptr;
    QMenu *SkinModePopupMenu = nullptr;

    // Actions, looked up by their names.
    QAction *Action(const char *name) const;

signals:
    // The window has agreed to close: the application ends (the tray alone keeps nothing open).
    void FormClosed();
    // After SetLanguage: components made elsewhere follow the value.
    void LanguageChanged(int language);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void BuildControls();
    void BuildActions();
    void BuildMenus();
    void BindButtons();
    void InitWeekPanel(int language);
    void SetButtonHints(int language);
    QAction *MakeAction(const char *name, const QString &caption, const QString &shortcut = QString());
    void FormKeyDown(QKeyEvent *event);
    bool FormClose();

    void AimTimerAtNextSecond(int millisecond);
    // Steps of the tick, each with its own concern.
    void MoveTimeMark(KSchTime now);
    void TickAlarm(KSchTime now, int64_t unixSeconds);
    void TickViews(KSchTime now);
    void TickWeekPanel(int weekday);

    // Alarm (TOrvellaForm_Alarm.cpp).
    void InitAlarm();
    void StopAlarmSound();
    void ALARM_MenuClick();
    void ToggleAlarmType(uint32_t bit, const char *action);

    // The list view and the normal-mode side panel.
    void CreateItemPool();
    void DestroyItemPool();
    void ShowListView();
    void BuildNormalSidePanel();
    void ConnectSidePanelClock(TKClock *clock);
    void TickListAndPanel(KSchTime now);
    void ApplyClock24HToPanel(bool value, int source);
    void ApplyClockSecondsToPanel(bool value, int source);
    // The side panels that exist, shown or kept hidden for the other mode.
    std::vector<KSidePanel *> SidePanels() const;
    void BindListCommands();

    // Language.
    void SetWeekdayCaptions(int language);
    void ApplyLanguageToViews();

    // Printing.
    void BindPrintCommands();

    // Skin mode.
    void BindSkinCommands();
    void OpenSkinPopupFromKeyboard();
    void AttachSkinHandlers(bool on);
    void LayOutShownGraph();
    void SetClientArea(QSize size);
    void SkinMouseDown(QMouseEvent *event);
    void SkinMouseMove(QMouseEvent *event);
    void SkinMouseUp(QMouseEvent *event);
    bool FilterSkinPanelEvent(QEvent *event);
    void ReshowAfterFlagChange(bool wasVisible);

    // Scheduling mode (TOrvellaForm_Mode.cpp).
    void BindSchedulingCommands();
    void BuildSchedulingSidePanel();
    void ShowModeControls(bool on);
    // File New replaced the working copy: its older edits can no longer be taken back.
    void WorkingCopyReplaced();
    void SchListChanged(int kind);
    void EditAddSchExecute();
    void EditInsSchExecute();
    void ShowScheduleFull();
    KClipboard *Clipboard();
    // SchModified as it was when the mode began: the value to go back to when the edits are dropped.
    bool schModifiedBeforeMode_ = false;
    // The view shown before the mode began: leaving the mode goes back to it.
    int viewBeforeMode_ = vtList;
    // Editing on the big graphs (TOrvellaForm_GraphEdit.cpp).
    const KDaySchedule *GraphSchedule() const;
    KTGraphDragEditor *ShownGraphEditor() const;
    // The shown graph edits the working copy in scheduling mode, and is read-only otherwise.
    void AttachGraphEditing();
    // Before the working copy goes: the graph lets go of it (a drag is put back).
    void DetachGraphEditing();
    void RepaintShownGraph();
    // A double click on a frame of a graph: the frame's Item cell in the grid.
    void EditFrameFromGraph(int frame);
    // Whether leaving the mode now would show the check dialog.
    bool LeavingWouldAsk() const;
    // A title typed in scheduling mode stays when the edits of the list are dropped.
    bool TitleTypedInMode() const;
    // The schedule and title are now in their file: nothing is unsaved, also in scheduling mode.
    void MarkSaved(const QString &title);
    // The side panel of the other mode, kept hidden so that switching does not build it anew.
    KSidePanel *parkedPanel1_ = nullptr;
    KSidePanel *parkedPanel2_ = nullptr;
    template <typename Panel>
    Panel *SwapSidePanel(KSidePanel *&other, KSidePanel *&parkedOther, Panel *&own, KSidePanel *&parkedOwn);
    std::unique_ptr<KClipboard> ownClipboard_;

    // The graph and count views (TOrvellaForm_Graphs.cpp).
    // Keeps the list's cursor for its return; the list goes, or in scheduling mode (where it
    // holds the working copy) is only hidden.
    void StoreListCursorAndPutListAway();
    void CreatePieView();
    void CreateTimelineView();
    void DestroyPieView();
    void DestroyTimelineView();
    void DestroyCountView();
    void ShowSkinButtons(bool on);
    void ShowPieView();
    void ShowTimelineView();
    // Count (vtCount) or week count (vtWeekCount); the week count needs WeekSchFileName.
    void ShowCountView(int type);
    // The week view (TOrvellaForm_WeekView.cpp): needs an open week schedule.
    void ShowWeekView();
    void DestroyWeekView();
    void FillWeekView();
    // A click on a day of the week view: that weekday's schedule, as its button opens it, in the list.
    void WeekViewDayClick(int day);
    QString WeekViewPrintTitle() const;

    // Scheduling mode's part of a save: false when the edits cannot be applied.
    bool ApplyEditsForSave();
    void BindFileCommands();
    void BindWeekCommands();
    void SetWeekSchOpen(bool open);
    // changesConfirmed: the caller has already asked about unsaved changes.
    bool OpenWeekSchFile(const QString &path, bool addToLog, bool changesConfirmed);
    bool OpenWeekdaySchedule(int day, const KWeekSchConfig &config, bool changesConfirmed);
    // Opens a schedule or week schedule file as the open command does, adding it to the recent files.
    void OpenFileOfAnyKind(const QString &path);
    bool saveAsWritten_ = false;
    // The settings file of the last run could not be read: keep a copy before writing over it.
    bool settingsUnread_ = false;
    bool settingsWrittenAtEnd_ = false;
    // What the settings file holds since this window last wrote it.
    std::vector<uint8_t> writtenSettings_;
    // Linux desktop (TOrvellaForm_Desktop.cpp).
    void BuildDesktop();
    void BuildTray();
    std::unique_ptr<KDesktopAlarmNotifier> desktopAlarm_;
    void TickDesktop(KSchTime now);
    void OpenPendingDesktopFile();
    QString trayToolTip_;
    QString desktopPath_;
    bool desktopOpenBusy_ = false;
    bool desktopRetryPending_ = false;

    // Interface language.
    void BindLanguageCommands();
    void ApplyLanguageTexts();
    // The language of the last run, from the settings file, while the window is being built.
    void ApplySavedLanguage(int language);
    KUiTranslator *uiTranslator_ = nullptr;

    KPlatform platform_;
    QSize screenSize_;
    bool screenOverridden_ = false;
    // The window manager's frame around the normal window, as last seen.
    QMargins frameMargins_;
    void RememberFrameMargins();
    // The title: the file's name and the changed mark (TOrvellaForm_Placement.cpp).
    void ShowFileInTitle();
    QActionGroup *clockGroup_ = nullptr;
    // A key press reaches the window's filter once per widget it passes through;
    // these tell the first delivery from the ones that follow.
    const QEvent *lastKeyEvent_ = nullptr;
    QPointer<QObject> lastKeyReceiver_;
    quint64 lastKeyTimestamp_ = 0;
};
