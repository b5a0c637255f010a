#pragma once

#include <string>

// Notifications of the desktop (outside the program's windows), for events the user should
// see even while the window is hidden. Where the desktop has none, nothing happens.
class KDesktopNotifier {
public:
    virtual ~KDesktopNotifier() = default;
    virtual void Notify(const std::u16string &summary, const std::u16string &body) = 0;
};
