// The floor of a Qt Widgets program's start-up: an application object and one bare window of
// the planner's size, nothing else. With --text the window also shows one line of Japanese,
// which is what any program with a Japanese interface pays for its fonts. Prints the time of
// its first paint and ends.
#include "FirstPaintReport.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaintReport report([] { QCoreApplication::quit(); });
    app.installEventFilter(&report);
    QWidget window;
    window.resize(1000, 691);
    if (app.arguments().contains("--text"))
        new QLabel(QStringLiteral("ファイル 今日 スケジュール"), &window);
    window.show();
    return app.exec();
}
