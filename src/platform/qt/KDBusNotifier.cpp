#include "platform/qt/KDBusNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <utility>

KDBusNotifier::KDBusNotifier(QObject *parent) : QObject(parent) {}

KDBusNotifier::KDBusNotifier(const QDBusConnection &bus, QObject *parent) : QObject(parent), bus_(bus) {}

void KDBusNotifier::Notify(const std::u16string &summary, const std::u16string &body)
{
    if (!bus_)
        bus_ = QDBusConnection::sessionBus();
    if (!bus_->isConnected())
        return;
    waiting_.append({QString::fromStdU16String(summary), QString::fromStdU16String(body)});
    if (bodyMarkup_) {
        SendWaiting();
        return;
    }
    if (asking_)
        return;
    asking_ = true;
    QDBusMessage ask = QDBusMessage::createMethodCall(Service, Path, Interface, "GetCapabilities");
    auto *watcher = new QDBusPendingCallWatcher(bus_->asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<QStringList> reply = *w;
        asking_ = false;
        // Without an answer the service is asked again next time; meanwhile bodies go escaped.
        if (!reply.isError())
            bodyMarkup_ = reply.value().contains("body-markup");
        SendWaiting();
        w->deleteLater();
    });
}

void KDBusNotifier::SendWaiting()
{
    const bool markup = bodyMarkup_.value_or(true);
    for (const auto &[summary, body] : std::exchange(waiting_, {})) {
        QString shown = body;
        if (markup)
            shown.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
        Send(summary, shown);
    }
}

void KDBusNotifier::Send(const QString &summary, const QString &body)
{
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, "Notify");
    QVariantMap hints;
    hints.insert("desktop-entry", QString("org.tolvarin.Orvella"));
    hints.insert("urgency", QVariant::fromValue(uchar(1)));
    hints.insert("category", QString("x-orvella.alarm"));
    call << QString("Orvella") << lastId_ << QString("org.tolvarin.Orvella") << summary << body
         << QStringList() << hints << int(ExpireMs);
    auto *watcher = new QDBusPendingCallWatcher(bus_->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<uint> reply = *w;
        if (!reply.isError())
            lastId_ = reply.value();
        w->deleteLater();
    });
}
