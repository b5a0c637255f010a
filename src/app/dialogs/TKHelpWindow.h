#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class QTextBrowser;

// The help window: shows the user guide shipped with the program.
class TKHelpWindow : public QWidget {
public:
    explicit TKHelpWindow(QWidget *parent = nullptr);

    // The guide's file name for a language (0 Japanese, 1 English).
    static QString HelpFileName(int language);
    // Where the guide is looked for: a "help" folder beside the program, then the built-in copy.
    static QString HelpSource(int language);
    static bool HelpAvailable(int language) { return !HelpSource(language).isEmpty(); }

    // Shows the contents in the one help window of the application, creating it when needed.
    // False when no guide can be found; the caller reports that to the user.
    static bool ShowContents(QWidget *owner, int language);
    // Closes the help window if one is open.
    static void CloseHelp();
    static TKHelpWindow *Instance();

    // Where a window of the given outer size (frame included) goes beside its owner's outer
    // rectangle: to the right of the owner, else to its left, else over it, always inside
    // the screen's available area (and no larger than it).
    static QRect PlaceBeside(const QRect &owner, QSize outer, const QRect &area);

    bool Load(const QString &source);
    QTextBrowser *Browser() const { return browser_; }

private:
    // Puts a new window beside its owner on the owner's screen.
    void PlaceFirstTime(QWidget *owner);

    QTextBrowser *browser_ = nullptr;
};
