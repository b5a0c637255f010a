#include "app/TOrvellaForm.h"
#include "app/dialogs/TKVersionDialog.h"
#include "platform/core/KClock.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/qt/KQtAppDataFolder.h"
#include "platform/qt/KQtFileDialogs.h"
#include "platform/qt/KQtPrompter.h"
#include "platform/qt/KSingleInstance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tolvarin");
    QApplication::setApplicationName("Orvella");
    QApplication::setApplicationDisplayName("Orvella");

    // One instance at a time: a later start brings the first window forward and ends.
    KSingleInstance instance("OrvellaMainWindow");
    if (!instance.TryBecomePrimary()) {
        instance.ActivatePrimary();
        return 0;
    }

    KSystemClock clock;
    KQtPrompter prompter;
    KStdFileSystem files;
    KQtAppDataFolder appData;
    KQtFileDialogs fileDialogs;
    KPlatform platform;
    platform.Clock = &clock;
    platform.Prompter = &prompter;
    platform.Files = &files;
    platform.AppData = &appData;
    platform.FileDialogs = &fileDialogs;

    TOrvellaForm form(platform);
    prompter.SetOwner(&form);
    fileDialogs.SetOwner(&form);
    form.AcceptLaterStarts(instance);
    // A version dialog with default contents lives as long as the window; the Help
    // command shows one of its own.
    TKVersionDialog hiddenVersionDialog;
    hiddenVersionDialog.hide();
    return app.exec();
}
