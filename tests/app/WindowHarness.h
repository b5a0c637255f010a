#pragma once

#include "app/TOrvellaForm.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakeClock.h"
#include "platform/fakes/KFakeFileDialogs.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrintService.h"
#include "platform/fakes/KFakePrompter.h"
#include "platform/fakes/KFakeSound.h"
#include "platform/fakes/KFixedOffsetZone.h"

#include <QSize>
#include <QTimer>
#include <memory>

// A main window on fake platform services: the clock reads Wednesday 12:00:00,
// message boxes are recorded and answered by the test, files live in memory.
// The window's one-second timer is stopped unless the test asks for it: a test moves the
// fake clock and calls ClockTick itself, so a slow machine cannot put a tick in between.
struct WindowHarness {
    KFakeClock clock;
    KFakePrompter prompter;
    KFakeFileSystem files;
    // File dialogs answer from a queue (cancelled when it is empty); the settings file
    // lives in the in-memory files under /appdata.
    KFakeFileDialogs dialogs;
    KFakeAppDataFolder appData;
    // Linux desktop: the tray the window gets (none unless a test sets one before Build()).
    KTrayIcon *tray = nullptr;
    KFakeSound sound;
    // Printing goes into a PDF file the test names.
    KFakePrintService printer;
    KDesktopNotifier *notifications = nullptr;
    // Calendar times are read as in Tokyo (UTC+9, no summer time).
    KFixedOffsetZone zone{9 * 3600};
    std::unique_ptr<TOrvellaForm> form;
    QSize screen;
    bool timerRunning;

    // build false: the test fills the files first and calls Build(). An empty screen size
    // leaves the window to the real screen.
    explicit WindowHarness(QSize screen = QSize(1024, 768), bool timerRunning = false, bool build = true)
        : screen(screen), timerRunning(timerRunning)
    {
        clock.Set(12, 0, 0, 3);
        if (build)
            Build();
    }

    // Ends the window (writing its settings) and starts a new one on the same files.
    void Build()
    {
        form.reset();
        KPlatform platform;
        platform.Clock = &clock;
        platform.Prompter = &prompter;
        platform.Files = &files;
        platform.FileDialogs = &dialogs;
        platform.AppData = &appData;
        platform.Tray = tray;
        platform.Sound = &sound;
        platform.Printer = &printer;
        platform.Notifications = notifications;
        platform.LocalZone = &zone;
        // An empty size: the window measures the real screen.
        form = std::make_unique<TOrvellaForm>(platform,
                                              screen.isValid() ? std::optional<QSize>(screen) : std::nullopt);
        if (!timerRunning)
            form->Timer1->stop();
    }
};
