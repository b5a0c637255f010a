#pragma once

#include "platform/core/KDesktopNotifier.h"

#include <string>
#include <vector>

// Records the notifications sent.
class KFakeDesktopNotifier : public KDesktopNotifier {
public:
    struct Sent {
        std::u16string Summary;
        std::u16string Body;
    };
    void Notify(const std::u16string &summary, const std::u16string &body) override
    {
        Notifications.push_back({summary, body});
    }
    std::vector<Sent> Notifications;
};
