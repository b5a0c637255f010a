#pragma once

// Walks what a user of the main window can open: every command with the dialog or menu it
// opens, both modes and the popup menus, handing each window to a check that returns what
// it found wrong.
#include "app/TOrvellaForm.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <functional>

namespace WindowWalk {

using Check = std::function<QStringList(QWidget *)>;

// Every top-level window that is open (or, with hidden, also those made and hidden).
inline QStringList AllWindows(const Check &check, bool hidden = false)
{
    QStringList found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (hidden || w->isVisible())
            found += check(w);
    return found;
}

// Runs open() (which may block in a modal loop); the first modal dialog or popup that opens
// is checked and closed.
inline QStringList WhileOpen(const std::function<void()> &open, const Check &check)
{
    QStringList found;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget *shown = QApplication::activeModalWidget();
        if (!shown)
            shown = QApplication::activePopupWidget();
        if (!shown)
            return;
        found += check(shown);
        if (auto *d = qobject_cast<QDialog *>(shown))
            d->reject();
        else
            shown->close();
    });
    watcher.start();
    open();
    return found;
}

// Every enabled command of the window but leaving and the language, each with the dialog it
// opens, checking every open window after each; then the other mode and the popup menus.
inline QStringList EveryCommand(TOrvellaForm &f, const Check &check, bool hiddenWindows = false)
{
    QStringList found = AllWindows(check, hiddenWindows);
    for (QAction *a : f.findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (a->objectName() == "FileExit1" || a->objectName().startsWith("OptLang") || !a->isEnabled())
            continue;
        found += WhileOpen([a] { a->trigger(); }, check);
        found += AllWindows(check, hiddenWindows);
    }
    f.SchedulingMode ? f.ExitSchedulingMode() : f.EnterSchedulingMode();
    found += AllWindows(check, hiddenWindows);
    for (QMenu *m : {f.SchEditPopupMenu, f.SkinModePopupMenu}) {
        m->popup(QPoint(10, 10));
        found += check(m);
        m->close();
    }
    found.removeDuplicates();
    return found;
}

} // namespace WindowWalk
