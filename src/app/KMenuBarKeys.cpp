#include "app/KMenuBarKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

KMenuBarKeys::KMenuBarKeys(QMenuBar *bar) : QObject(bar), bar_(bar)
{
    qApp->installEventFilter(this);
}

KMenuBarKeys::~KMenuBarKeys()
{
    qApp->removeEventFilter(this);
}

QAction *KMenuBarKeys::Neighbour(QAction *from, int step) const
{
    QList<QAction *> entries;
    for (QAction *a : bar_->actions())
        if (a->isVisible() && !a->isSeparator())
            entries << a;
    const qsizetype at = entries.indexOf(from);
    if (at < 0 || entries.size() < 2)
        return nullptr;
    return entries[(at + step + entries.size()) % entries.size()];
}

bool KMenuBarKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        onCommandEntry_ = false;
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();

    // Leaving one of the bar's menus sideways towards a command entry: Qt highlights the
    // entry, and the keys that follow are taken here.
    if (auto *menu = qobject_cast<QMenu *>(watched)) {
        const bool intoSubmenu = key == Qt::Key_Right && menu->activeAction() && menu->activeAction()->menu();
        if (bar_->actions().contains(menu->menuAction()) && !intoSubmenu &&
            (key == Qt::Key_Right || key == Qt::Key_Left)) {
            QAction *next = Neighbour(menu->menuAction(), key == Qt::Key_Right ? 1 : -1);
            onCommandEntry_ = next && !next->menu();
        }
        return QObject::eventFilter(watched, event);
    }

    // A menu hands the keys it does not use on to the bar, which travels by itself.
    if (!onCommandEntry_ || watched == bar_)
        return QObject::eventFilter(watched, event);
    QAction *current = bar_->activeAction();
    // The bar in its own keyboard mode (F10, Alt) travels by itself.
    if (!current || current->menu() || bar_->hasFocus()) {
        onCommandEntry_ = false;
        return QObject::eventFilter(watched, event);
    }
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Left: {
        QAction *next = Neighbour(current, key == Qt::Key_Right ? 1 : -1);
        onCommandEntry_ = next && !next->menu();
        bar_->setActiveAction(next);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        onCommandEntry_ = false;
        bar_->setActiveAction(nullptr);
        current->trigger();
        return true;
    case Qt::Key_Escape:
        onCommandEntry_ = false;
        bar_->setActiveAction(nullptr);
        return true;
    default:
        onCommandEntry_ = false;
        return QObject::eventFilter(watched, event);
    }
}
