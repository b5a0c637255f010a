#pragma once

#include "platform/core/KDesktopNotifier.h"

#include <QDBusConnection>
#include <QObject>
#include <optional>

// Desktop notifications through the freedesktop notification service on the session bus.
// Calls are asynchronous and their errors ignored: without a bus or a service nothing is
// shown and nothing waits. A new notification replaces the one sent before it. Without a
// connection given, the session bus is reached at the first notification, not at start-up.
class KDBusNotifier : public QObject, public KDesktopNotifier {
    Q_OBJECT

public:
    explicit KDBusNotifier(QObject *parent = nullptr);
    explicit KDBusNotifier(const QDBusConnection &bus, QObject *parent = nullptr);

    void Notify(const std::u16string &summary, const std::u16string &body) override;
    // The id the service gave the last notification; 0 before any answer.
    uint LastId() const { return lastId_; }

    static constexpr const char *Service = "org.freedesktop.Notifications";
    static constexpr const char *Path = "/org/freedesktop/Notifications";
    static constexpr const char *Interface = "org.freedesktop.Notifications";
    // How long a notification stays, in milliseconds.
    static constexpr int ExpireMs = 30000;

private:
    std::optional<QDBusConnection> bus_;
    uint lastId_ = 0;
};
