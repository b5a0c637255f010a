#include "app/KOrvellaProgram.h"

#include "app/KAfterFirstPaint.h"
#include "app/TOrvellaForm.h"
#include "app/dialogs/TKVersionDialog.h"
#include "platform/core/KClock.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/qt/KDBusNotifier.h"
#include "platform/qt/KEndSignals.h"
#include "platform/qt/KLazySound.h"
#include "platform/qt/KQtAppDataFolder.h"
#include "platform/qt/KQtFileDialogs.h"
#include "platform/qt/KQtPrintService.h"
#include "platform/qt/KQtPrompter.h"
#include "platform/qt/KQtTrayIcon.h"
#include "platform/qt/KSingleInstance.h"

#include <QApplication>
#include <QTimer>
#include <memory>

int KOrvellaProgram::Run(int argc, char *argv[], const WindowMade &windowMade)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tolvarin");
    QApplication::setApplicationName("Orvella");
    QApplication::setApplicationDisplayName("Orvella");
    // The menu entry and icon the desktop knows the planner by.
    QApplication::setDesktopFileName("org.tolvarin.Orvella");

    // Asked to end by a signal (a shutdown, a logout without session management, kill, Ctrl+C):
    // leave the event loop the ordinary way, without questions, so the settings are written.
    // A request that comes while start-up still runs ends the program before its event loop.
    bool endRequested = false;
    KEndSignals endSignals;
    QObject::connect(&endSignals, &KEndSignals::EndRequested, &app, [&endRequested] {
        endRequested = true;
        QCoreApplication::exit(0);
    });

    KQtPrompter prompter;
    // One instance at a time: a later start brings the first window forward and ends.
    KSingleInstance instance("OrvellaMainWindow");
    // The file manager hands over one file; a later start passes it to the running planner.
    const QString path = KSingleInstance::PathArgument(QApplication::arguments());
    switch (instance.Start(path)) {
    case KSingleInstance::Outcome::HandedOver:
        return 0;
    case KSingleInstance::Outcome::CannotStart:
        // The language of the last run is not known yet: the reason is given in both.
        prompter.Show(u"Orvella", instance.TroubleText(-1).toStdU16String(), KMsgIcon::Error);
        return 1;
    case KSingleInstance::Outcome::First:
        break;
    }
    // Files handed over while the window is being made (its start-up prompts included) wait
    // for it.
    instance.HoldRequests();

    KSystemClock clock;
    KStdFileSystem files;
    KQtAppDataFolder appData;
    KQtFileDialogs fileDialogs;
    KQtPrintService printer;
    KPlatform platform;
    platform.Clock = &clock;
    platform.Prompter = &prompter;
    platform.Files = &files;
    platform.AppData = &appData;
    platform.FileDialogs = &fileDialogs;
    // Linux desktop: the tray icon, when the desktop has a tray.
    KQtTrayIcon tray;
    platform.Tray = &tray;
    // Sound output: its libraries are loaded when the first sound plays.
    KLazySound sound;
    platform.Sound = &sound;
    platform.Printer = &printer;
    // Linux desktop: notifications through the desktop's notification service, when there is one.
    KDBusNotifier notifier;
    platform.Notifications = &notifier;

    TOrvellaForm form(platform);
    prompter.SetOwner(&form);
    fileDialogs.SetOwner(&form);
    // The window may be hidden in the tray while a dialog closes: only closing the window ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&form, &TOrvellaForm::FormClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // A version dialog with default contents lives as long as the window; the Help
    // command shows one of its own. Nothing waits for it: it is made once the window has
    // first been painted.
    std::unique_ptr<TKVersionDialog> hiddenVersionDialog;
    KAfterFirstPaint afterFirstPaint(form, [&hiddenVersionDialog] {
        hiddenVersionDialog = std::make_unique<TKVersionDialog>();
        hiddenVersionDialog->hide();
    });
    // A file given at start opens once the window is up, as if chosen with File > Open; the
    // files of later starts, held meanwhile, follow it in their order.
    if (!path.isEmpty())
        QTimer::singleShot(0, &form, [&form, path] { form.OpenFileFromDesktop(path); });
    form.AcceptLaterStarts(instance);
    // Later starts that cannot reach this window would run a second planner beside it.
    if (instance.LastTrouble() == KSingleInstance::Trouble::CannotListen)
        QTimer::singleShot(0, &form, [&prompter, &instance, &form] {
            prompter.Show(u"Orvella", instance.TroubleText(form.Language).toStdU16String(),
                          KMsgIcon::Warning);
        });
    if (windowMade)
        windowMade(form);
    // The window writes its settings as the event loop ends, or as it goes.
    return endRequested ? 0 : app.exec();
}
