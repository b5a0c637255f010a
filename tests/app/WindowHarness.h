#pragma once

#include "app/TOrvellaForm.h"
#include "platform/fakes/KFakeClock.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"

#include <QSize>
#include <QTimer>
#include <memory>

// A main window on fake platform services: the clock reads Wednesday 12:00:00,
// message boxes are recorded and answered by the test, files live in memory.
struct WindowHarness {
    KFakeClock clock;
    KFakePrompter prompter;
    KFakeFileSystem files;
    std::unique_ptr<TOrvellaForm> form;

    explicit WindowHarness(QSize screen = QSize(1024, 768), bool timerRunning = true)
    {
        clock.Set(12, 0, 0, 3);
        KPlatform platform;
        platform.Clock = &clock;
        platform.Prompter = &prompter;
        platform.Files = &files;
        form = std::make_unique<TOrvellaForm>(platform, screen);
        if (!timerRunning)
            form->Timer1->stop();
    }
};
