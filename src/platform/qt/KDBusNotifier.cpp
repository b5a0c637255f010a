#include "platform/qt/KDBusNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

KDBusNotifier::KDBusNotifier(QObject *parent) : QObject(parent) {}

KDBusNotifier::KDBusNotifier(const QDBusConnection &bus, QObject *parent) : QObject(parent), bus_(bus) {}

void KDBusNotifier::Notify(const std::u16string &summary, const std::u16string &body)
{
    if (!bus_)
        bus_ = QDBusConnection::sessionBus();
    if (!bus_->isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, "Notify");
    QVariantMap hints;
    hints.insert("desktop-entry", QString("org.tolvarin.Orvella"));
    hints.insert("urgency", QVariant::fromValue(uchar(1)));
    hints.insert("category", QString("x-orvella.alarm"));
    call << QString("Orvella") << lastId_ << QString("org.tolvarin.Orvella")
         << QString::fromStdU16String(summary) << QString::fromStdU16String(body) << QStringList() << hints
         << int(ExpireMs);
    auto *watcher = new QDBusPendingCallWatcher(bus_->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<uint> reply = *w;
        if (!reply.isError())
            lastId_ = reply.value();
        w->deleteLater();
    });
}
