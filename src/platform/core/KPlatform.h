#pragma once

class KClock;
class KPrompter;
class KFileSystem;
class KAppDataFolder;
class KFileDialogs;
class KTrayIcon;
class KSound;
// Printing (Qt-based, platform/qt/KPrintService.h); the core never uses it.
class KPrintService;
// Scheduling mode: the cell clipboard.
class KClipboard;
class KDesktopNotifier;
class KLocalZone;

// The platform services a window or file object works with. Nothing here is
// owned: the program's entry point (or a test) keeps them alive.
struct KPlatform {
    KClock *Clock = nullptr;
    KPrompter *Prompter = nullptr;
    KFileSystem *Files = nullptr;
    KAppDataFolder *AppData = nullptr;
    // File commands: the open and save dialogs.
    KFileDialogs *FileDialogs = nullptr;
    // Linux desktop: the tray icon (none: no tray).
    KTrayIcon *Tray = nullptr;
    // Sound output for alarms; none plays nothing.
    KSound *Sound = nullptr;
    // Printing: print, printer setup and page setup.
    KPrintService *Printer = nullptr;
    // Scheduling mode: the cell clipboard (the window uses the system clipboard when none is given).
    KClipboard *Clipboard = nullptr;
    // Linux desktop: notifications outside the window (none: not sent).
    KDesktopNotifier *Notifications = nullptr;
    // The local time zone, for calendar times in UTC or another zone (none: the system's).
    const KLocalZone *LocalZone = nullptr;
};
