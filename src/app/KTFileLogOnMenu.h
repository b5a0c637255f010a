#pragma once

#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

class QAction;
class QMenu;

// The recent-files list shown in a menu: up to Capacity entries inserted at a fixed position
// of the menu, the newest on top and numbered 0, with one separator below them.
class KTFileLogOnMenu : public QObject {
    Q_OBJECT

public:
    static constexpr int DefaultCapacity = 10;

    KTFileLogOnMenu(QMenu *menu, int position, int capacity = DefaultCapacity, QObject *parent = nullptr);
    ~KTFileLogOnMenu() override;

    // Puts path on top; an entry with the same path moves there, and the oldest entry
    // goes when the list is full.
    void Add(const QString &path);
    // Takes the entry with that path out of the list; false when there is none.
    bool Remove(const QString &path);
    int Count() const { return int(entries_.size()); }
    // Entry i counted from the newest (0); empty when out of range.
    QString Path(int i) const;
    // All paths, oldest first (the order they are stored in).
    QStringList PathsOldestFirst() const;
    QAction *EntryAction(int i) const;

    // Called with the entry's path when the user picks it.
    std::function<void(const QString &)> OnClick;

    // Whether two paths name the same entry: letter case counts where the file system's does.
    static bool SamePath(const QString &a, const QString &b);

private:
    void Renumber();

    QMenu *menu_;
    int position_;
    int capacity_;
    QAction *separator_ = nullptr;
    QVector<QAction *> entries_; // newest first
};
