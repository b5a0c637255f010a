// The main window on the Linux desktop: the tray icon, files handed over by the desktop and
// notifications beside the alarm popup.
#include "app/TOrvellaForm.h"

#include "alarm/KAlarmWindows.h"

#include "desktop/core/KDesktopAlarmNotifier.h"
#include "desktop/core/KTrayToolTip.h"
#include "platform/core/KClock.h"
#include "platform/qt/KTrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QTimer>
#include <utility>

namespace {
QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addFile(QString(":/icons/orvella-%1.png").arg(size), QSize(size, size));
    return icon;
}
} // namespace

void TOrvellaForm::BuildDesktop()
{
    Q_INIT_RESOURCE(desktop);
    if (windowIcon().isNull())
        setWindowIcon(AppIcon());

    // Notifications: the alarm's windows are passed on, and each popup also reaches the desktop.
    desktopAlarm_ = std::make_unique<KDesktopAlarmNotifier>(AlarmWindows, platform_.Notifications);
    desktopAlarm_->Enabled = DesktopNotify;
    Alarm.SetNotifier(desktopAlarm_.get());
    QAction *notify =
        MakeAction("AlarmDesktopNotify", Language == 1 ? "Desktop notifications" : "デスクトップ通知(&D)");
    notify->setCheckable(true);
    notify->setChecked(DesktopNotify);
    connect(notify, &QAction::triggered, this, [this](bool on) { SetDesktopNotify(on); });
    ALARM_Menu->addSeparator();
    ALARM_Menu->addAction(notify);

    BuildTray();
}

void TOrvellaForm::SetDesktopNotify(bool value)
{
    DesktopNotify = value;
    if (desktopAlarm_)
        desktopAlarm_->Enabled = value;
    if (QAction *notify = Action("AlarmDesktopNotify"))
        notify->setChecked(value);
}

void TOrvellaForm::BuildTray()
{
    if (platform_.Tray == nullptr || !platform_.Tray->IsAvailable())
        return;
    auto *showHide =
        MakeAction("TrayShowWindow", Language == 1 ? "Show/Hide window" : "ウィンドウの表示/非表示(&W)");
    connect(showHide, &QAction::triggered, this, &TOrvellaForm::ToggleWindowFromTray);
    TrayMenu = new QMenu(this);
    TrayMenu->setObjectName("TrayMenu");
    TrayMenu->addAction(showHide);
    TrayMenu->addAction(Action("AlarmSoundStop"));
    TrayMenu->addSeparator();
    TrayMenu->addAction(Action("FileExit1"));
    platform_.Tray->OnActivated = [this] { ToggleWindowFromTray(); };
    platform_.Tray->Show(AppIcon(), TrayMenu);
    TickDesktop(ToClockTime(platform_.Clock->Now().Time));
}

void TOrvellaForm::ToggleWindowFromTray()
{
    if (isVisible() && !isMinimized())
        hide();
    else
        RestoreAndActivate();
}

void TOrvellaForm::TickDesktop(KSchTime now)
{
    if (TrayMenu == nullptr)
        return;
    // The text changes about once a minute; the tray hears only of changes.
    const QString text = QString::fromStdU16String(KTrayToolTip::Text(ShownSchedule, now, Language));
    if (text == trayToolTip_)
        return;
    trayToolTip_ = text;
    platform_.Tray->SetToolTip(text);
}

void TOrvellaForm::OpenFileFromDesktop(const QString &path)
{
    if (path.isEmpty())
        return;
    desktopPath_ = path;
    OpenPendingDesktopFile();
}

void TOrvellaForm::OpenPendingDesktopFile()
{
    // Runs from the event loop, never from the tick: the prompts of an open wait for the user
    // while the tick goes on. An open already under way takes the new file when it is done;
    // a dialog the user has open keeps the file waiting, and it is tried again shortly after.
    if (desktopOpenBusy_ || desktopPath_.isEmpty())
        return;
    if (QApplication::activeModalWidget() != nullptr) {
        if (!desktopRetryPending_) {
            desktopRetryPending_ = true;
            QTimer::singleShot(200, this, [this] {
                desktopRetryPending_ = false;
                OpenPendingDesktopFile();
            });
        }
        return;
    }
    desktopOpenBusy_ = true;
    while (!desktopPath_.isEmpty()) {
        const QString path = std::exchange(desktopPath_, QString());
        RestoreAndActivate();
        OpenRecentFile(path);
    }
    desktopOpenBusy_ = false;
}
