#include "platform/qt/KQtTrayIcon.h"

#include "platform/qt/KUiText.h"

#include <QSystemTrayIcon>

KQtTrayIcon::KQtTrayIcon() = default;
KQtTrayIcon::~KQtTrayIcon() = default;

bool KQtTrayIcon::IsAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void KQtTrayIcon::Show(const QIcon &icon, QMenu *menu)
{
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>();
        QObject::connect(
            icon_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
                if ((reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) &&
                    OnActivated)
                    OnActivated();
            });
    }
    icon_->setIcon(icon);
    icon_->setContextMenu(menu);
    icon_->show();
}

void KQtTrayIcon::SetToolTip(const QString &text)
{
    if (icon_)
        icon_->setToolTip(KUiText::PlainToolTip(text));
}
