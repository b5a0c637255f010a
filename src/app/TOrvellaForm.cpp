#include "app/TOrvellaForm.h"

#include "desktop/core/KDesktopAlarmNotifier.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KClock.h"
#include "platform/core/KPrompter.h"
#include "platform/qt/KFontMap.h"
#include "platform/qt/KQtText.h"
#include "platform/qt/KSingleInstance.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QToolButton>

TOrvellaForm::TOrvellaForm(const KPlatform &platform, std::optional<QSize> screenSize, QWidget *parent)
    : QMainWindow(parent), platform_(platform)
{
    screenOverridden_ = screenSize.has_value();
    if (screenSize) {
        screenSize_ = *screenSize;
    } else if (QScreen *screen = QGuiApplication::primaryScreen()) {
        screenSize_ = screen->size();
    } else {
        screenSize_ = QSize(1024, 768);
    }

    // The layout of the form.
    setObjectName("OrvellaForm");
    setWindowTitle("Orvella");
    SchModified.OnChange = [this](bool) { ShowFileInTitle(); };
    setFont(KFontMap::PointFont("Tahoma", 9));
    BuildControls();
    BuildActions();
    BuildMenus();
    BindButtons();
    BindListCommands();
    BindFileCommands();
    BindWeekCommands();
    BindSkinCommands();
    InitAlarm();
    BindPrintCommands();
    BindSchedulingCommands();
    BindLanguageCommands();

    // Start-up values.
    Language = 0;
    SchedulingMode = false;
    CurTimeMark = true;
    CurFrame = nullptr;
    OpenedWeekday = 7;
    SchTitleEdit->setAlignment(Qt::AlignCenter);
    SkinMode = false;
    SkinStayOnTop = true;
    SavedListRow = SavedListCol = 1;
    AlarmResetPending = true;

    // Key preview: the window sees every key of its own controls first.
    qApp->installEventFilter(this);
    // No maximize button.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    // The tick follows the wall clock: each shot is aimed just past the next whole second.
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TOrvellaForm::Timer1Timer);
    AimTimerAtNextSecond(platform_.Clock->Now().Millisecond);

    FormCreate();
    BuildDesktop();
}

TOrvellaForm::~TOrvellaForm()
{
    qApp->removeEventFilter(this);
    // The list (and its working copy) may go before the graph that edits it.
    DetachGraphEditing();
    Timer1->stop();
    WriteSettingsAtEnd();
    DestroyItemPool();
    // Views and panels are child widgets and go with the window.
}

QSize TOrvellaForm::ComputeWindowSize(QSize screenSize)
{
    int height = screenSize.height() * 90 / 100;
    int width = screenSize.width() * 100 / 100;
    if (height < 600)
        height = 600;
    if (width < 900)
        width = 900;
    if (height > 800)
        height = 800;
    if (width > 1000)
        width = 1000;
    return QSize(width, height);
}

void TOrvellaForm::ApplyWindowSize(int height, int width)
{
    BaseListHeight = height - SchListPanel->y();
    BaseListWidth = width - 250;
    SchListPanel->resize(BaseListWidth, BaseListHeight);
    PanelMainView_1->setFixedSize(SchListPanel->width() + 250, SchListPanel->y() + SchListPanel->height());
}

void TOrvellaForm::FormCreate()
{
    SchedulingMode = false;
    move(x(), 2);

    AddDefaultFrame(ShownSchedule);
    CreateItemPool();

    // Layout from the screen size.
    SchTitlePanel->move(SchTitlePanel->x(), 2 * ControlPanel1->height());
    SchListPanel->move(SchListPanel->x(), SchTitlePanel->y() + SchTitlePanel->height());
    const QSize size = ComputeWindowSize(screenSize_);
    ApplyWindowSize(size.height(), size.width());
    SchListPanel->move(0, SchListPanel->y());
    ControlPanel1->move(SchListPanel->x(), ControlPanel1->y());
    SchTitlePanel->setGeometry(SchListPanel->x(), SchTitlePanel->y(), SchListPanel->width(),
                               SchTitlePanel->height());
    SchModDispBarPanel->setGeometry(SchListPanel->x(), SchTitlePanel->y() + SchTitlePanel->height() - 4,
                                    SchListPanel->width(), SchModDispBarPanel->height());
    WeekPanel->setGeometry(SchListPanel->x(), ControlPanel1->height(), SchListPanel->width(),
                           SchTitlePanel->height());
    ControlPanel2->setGeometry(ControlPanel1->x() + ControlPanel1->width(), ControlPanel2->y(),
                               SchListPanel->width() - ControlPanel1->width(), ControlPanel2->height());

    SwitchView(vtList);
    Action("ViewTypeWeekly")->setEnabled(false);
    ExitSchedulingMode();

    SchTitleEdit->setMaxLength(64);
    SchTitleEdit->setReadOnly(true);
    SchTitleEdit->setFrame(true);
    SchTitleEdit->setBackgroundRole(QPalette::Button);
    SchTitleEdit->setAutoFillBackground(true);
    const int editHeight = SchTitleEdit->sizeHint().height();
    SchTitleEdit->setGeometry(0, (SchTitlePanel->height() - editHeight) / 2, SchTitlePanel->width(),
                              editHeight);

    ExitEditSchButton->move(EnterEditSchButton->pos());
    ExitEditSchButton->hide();

    AlarmSoundStopButton->resize(AlarmSoundStopButton->sizeHint().width(), 26);
    AlarmSoundStopButton->move(WeekPanel->width() - AlarmSoundStopButton->width() - 1,
                               (WeekPanel->height() - AlarmSoundStopButton->height()) / 2);
    ListEditOption = 2;
    for (const char *name : {"EditAddSch", "EditInsSch", "EditDeleteSch", "EditCancel"})
        Action(name)->setEnabled(false);

    SkinPos = pos();
    SkinSize = 2;
    SkinTransparency = 1;
    EnterSkinModeButton->hide();
    ExitSkinModeButton->hide();
    Action("ViewSkinMode")->setEnabled(false);
    PlaceSkinButtons();

    InitWeekPanel(Language);
    SetButtonHints(Language);

    // Settings of the last run, its most recent file and its view.
    ReadSettingsAtStart();
    ReopenLastFile();
    RestoreLastView();
    // Logging out quits the application without closing the window, and a signal ends the event
    // loop: keep the settings then too (once; the window's end does not write them again).
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { WriteSettingsFile(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { WriteSettingsAtEnd(); });
    // Top 2 means the frame's top: the title bar stays on the screen.
    if (!SkinMode)
        PlaceFrameOnScreen(pos());
    show();
}

void TOrvellaForm::AddDefaultFrame(KDaySchedule &schedule)
{
    KScheduleFrame frame(KSchTime{0, 0, 0}, KSchTime{24, 0, 0}, Language == 1 ? u"Free" : u"自由", 0xFFFFFF,
                         u"");
    schedule.AppendFrame(frame);
}

const KScheduleFrame *TOrvellaForm::FrameProvider(bool current) const
{
    if (current)
        return CurFrame;
    const int count = ShownSchedule.GetCount();
    const int next = (CurFrameIndex + 1 < count) ? CurFrameIndex + 1 : 0;
    return ShownSchedule.GetFrame(next);
}

void TOrvellaForm::ClockTick()
{
    // 1. The local time of day with whole seconds.
    const KClockReading reading = platform_.Clock->Now();
    const KSchTime now = ToClockTime(reading.Time);

    // 2. The current-time mark of the shown view.
    if (CurTimeMark)
        MoveTimeMark(now);

    // 3. The frame holding the current time.
    CurFrameIndex = ShownSchedule.FindFrameAt(now);
    CurFrame = ShownSchedule.GetFrame(CurFrameIndex);

    // 4-5. The alarm.
    TickAlarm(now, reading.UnixSeconds);

    // 6-7. The list's current row, the clock and the current-schedule view.
    TickViews(now);

    // 8. The clock of skin mode.
    if (SkinMode)
        SkinModeClockLabel->setText(Q(FormatTime(now, true)));

    // 9. The today mark of the week panel.
    TickWeekPanel(reading.Weekday);

    // The tray icon's tooltip.
    TickDesktop(now);
}

void TOrvellaForm::Timer1Timer()
{
    // Aimed before the tick runs, so the next tick comes whatever this one does.
    AimTimerAtNextSecond(platform_.Clock->Now().Millisecond);
    ClockTick();
}

void TOrvellaForm::AimTimerAtNextSecond(int millisecond)
{
    // A few milliseconds past the boundary, so the clock reads the new second.
    constexpr int Margin = 3;
    const int ms = millisecond < 0 || millisecond > 999 ? 0 : millisecond;
    Timer1->start(1000 - ms + Margin);
}

void TOrvellaForm::ShowMessageCode(int code, const QString &fileName)
{
    if (code == KMessageCatalog::NoError)
        return;
    platform_.Prompter->Show(KMessageCatalog::Text(KMessageCatalog::CaptionError, Language),
                             KMessageCatalog::ComposeWithFileName(code, fileName.toStdU16String(), Language),
                             KMsgIcon::None);
}

void TOrvellaForm::RestoreAndActivate()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TOrvellaForm::AcceptLaterStarts(KSingleInstance &instance)
{
    connect(&instance, &KSingleInstance::ActivationRequested, this, &TOrvellaForm::RestoreAndActivate);
    // Queued: the request has been answered and its connection closed before any prompt runs.
    connect(&instance, &KSingleInstance::OpenRequested, this, &TOrvellaForm::OpenFileFromDesktop,
            Qt::QueuedConnection);
    // The window is ready: requests held while it was made come now.
    instance.StartDelivering();
}

bool TOrvellaForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this) {
        // An unhandled key goes on to the parent of the widget that did not take it, with
        // the same event; only the first delivery is a new key press.
        auto *key = static_cast<QKeyEvent *>(event);
        const bool passedOn = event == lastKeyEvent_ && key->timestamp() == lastKeyTimestamp_ &&
                              lastKeyReceiver_ && lastKeyReceiver_->parent() == watched;
        lastKeyEvent_ = event;
        lastKeyTimestamp_ = key->timestamp();
        lastKeyReceiver_ = watched;
        if (!passedOn)
            FormKeyDown(key);
    }
    if (SkinMode && watched == SchListPanel && FilterSkinPanelEvent(event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void TOrvellaForm::FormKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        StopAlarmSound();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SkinMode)
        OpenSkinPopupFromKeyboard();
}

void TOrvellaForm::closeEvent(QCloseEvent *event)
{
    if (FormClose()) {
        event->accept();
        emit FormClosed();
    } else
        event->ignore();
}

bool TOrvellaForm::FormClose()
{
    return ConfirmSaveChanges() != KMsgAnswer::Cancel;
}
