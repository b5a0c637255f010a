#pragma once

#include <QObject>

class QAction;
class QMenuBar;

// Keyboard travel along a menu bar that holds entries running a command instead of opening
// a menu (the week schedule command). Qt's own travel stops on such an entry: the menu the
// arrow came from closes and the keys go back to the window. From there the arrows go on to
// the neighbouring entries, Enter or Space runs the command and Escape leaves the bar.
class KMenuBarKeys : public QObject {
public:
    // Watches the application's keys for the bar; owned by the bar.
    explicit KMenuBarKeys(QMenuBar *bar);
    ~KMenuBarKeys() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The next visible entry of the bar in the direction (+1 right, -1 left), round the end.
    QAction *Neighbour(QAction *from, int step) const;

    QMenuBar *bar_;
    bool onCommandEntry_ = false;
};
