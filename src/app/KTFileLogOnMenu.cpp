#include "app/KTFileLogOnMenu.h"

#include <QAction>
#include <QMenu>
#include <QStringList>

KTFileLogOnMenu::KTFileLogOnMenu(QMenu *menu, int position, int capacity, QObject *parent)
    : QObject(parent), menu_(menu), position_(position), capacity_(capacity < 1 ? 1 : capacity)
{}

KTFileLogOnMenu::~KTFileLogOnMenu() = default;

bool KTFileLogOnMenu::SamePath(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

QString KTFileLogOnMenu::Path(int i) const
{
    if (i < 0 || i >= entries_.size())
        return QString();
    return entries_[i]->data().toString();
}

QStringList KTFileLogOnMenu::PathsOldestFirst() const
{
    QStringList r;
    for (int i = int(entries_.size()) - 1; i >= 0; --i)
        r << Path(i);
    return r;
}

QAction *KTFileLogOnMenu::EntryAction(int i) const
{
    return i >= 0 && i < entries_.size() ? entries_[i] : nullptr;
}

void KTFileLogOnMenu::Add(const QString &path)
{
    if (path.isEmpty())
        return;
    for (int i = 0; i < entries_.size(); ++i) {
        if (SamePath(Path(i), path)) {
            delete entries_.takeAt(i);
            break;
        }
    }
    while (entries_.size() >= capacity_)
        delete entries_.takeLast();

    if (!separator_ && menu_) {
        separator_ = new QAction(this);
        separator_->setSeparator(true);
        menu_->insertAction(menu_->actions().value(position_), separator_);
    }
    auto *entry = new QAction(this);
    entry->setData(path);
    connect(entry, &QAction::triggered, this, [this, entry] {
        // Copy first: opening the file moves this very entry.
        const QString p = entry->data().toString();
        if (OnClick)
            OnClick(p);
    });
    if (menu_)
        menu_->insertAction(menu_->actions().value(position_), entry);
    entries_.prepend(entry);
    Renumber();
}

bool KTFileLogOnMenu::Remove(const QString &path)
{
    for (int i = 0; i < entries_.size(); ++i) {
        if (SamePath(Path(i), path)) {
            delete entries_.takeAt(i);
            // No separator is left standing without entries above it.
            if (entries_.isEmpty()) {
                delete separator_;
                separator_ = nullptr;
            }
            Renumber();
            return true;
        }
    }
    return false;
}

void KTFileLogOnMenu::Renumber()
{
    for (int i = 0; i < entries_.size(); ++i) {
        // A '&' in the path must show as itself, not as a mnemonic.
        QString shown = Path(i);
        shown.replace('&', "&&");
        entries_[i]->setText(QString("&%1: %2").arg(i).arg(shown));
    }
}
