#pragma once

#include "platform/qt/KTrayIcon.h"

#include <QIcon>
#include <QMenu>
#include <QPointer>

// A tray for tests: records what the window shows and counts the tooltip changes.
class KFakeTrayIcon : public KTrayIcon {
public:
    bool IsAvailable() const override { return Available; }
    void Show(const QIcon &icon, QMenu *menu) override
    {
        Shown = true;
        Icon = icon;
        Menu = menu;
    }
    void SetToolTip(const QString &text) override
    {
        ToolTip = text;
        ++ToolTipChanges;
    }
    void Click()
    {
        if (OnActivated)
            OnActivated();
    }

    bool Available = true;
    bool Shown = false;
    QIcon Icon;
    QPointer<QMenu> Menu;
    QString ToolTip;
    int ToolTipChanges = 0;
};
