#pragma once

#include "platform/core/KDesktopNotifier.h"

#include <QDBusConnection>
#include <QObject>
#include <optional>

// Desktop notifications through the freedesktop notification service on the session bus.
// Calls are asynchronous and their errors ignored: without a bus or a service nothing is
// shown and nothing waits. A new notification replaces the one sent before it. Without a
// connection given, the session bus is reached at the first notification, not at start-up.
// The body is the user's text: where the service reads markup in bodies (it says so once,
// asked before the first notification), "&", "<" and ">" are sent escaped.
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

    // Whether the service takes markup in bodies; nothing until it has said so.
    std::optional<bool> BodyMarkup() const { return bodyMarkup_; }

private:
    void Send(const QString &summary, const QString &body);
    void SendWaiting();

    std::optional<QDBusConnection> bus_;
    uint lastId_ = 0;
    std::optional<bool> bodyMarkup_;
    bool asking_ = false;
    QList<QPair<QString, QString>> waiting_; // summary and body, while the service is asked
};
