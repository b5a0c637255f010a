#pragma once

#include <QString>
#include <functional>

class QIcon;
class QMenu;

// An icon in the desktop's notification area (system tray).
class KTrayIcon {
public:
    virtual ~KTrayIcon() = default;
    // False when the desktop has no tray: then nothing is shown.
    virtual bool IsAvailable() const = 0;
    // Shows the icon with its context menu (not owned).
    virtual void Show(const QIcon &icon, QMenu *menu) = 0;
    virtual void SetToolTip(const QString &text) = 0;

    // Called when the user clicks the icon.
    std::function<void()> OnActivated;
};
