#pragma once

#include "platform/qt/KTrayIcon.h"

#include <memory>

class QSystemTrayIcon;

// The tray icon through QSystemTrayIcon (StatusNotifierItem or XEmbed, as the desktop offers).
class KQtTrayIcon : public KTrayIcon {
public:
    KQtTrayIcon();
    ~KQtTrayIcon() override;

    bool IsAvailable() const override;
    void Show(const QIcon &icon, QMenu *menu) override;
    void SetToolTip(const QString &text) override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
};
