// The floor of a Qt Widgets program's start-up: an application object and one bare window of
// the planner's size, nothing else. Prints the time of its first paint and ends.
#include "FirstPaintReport.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaintReport report([] { QCoreApplication::quit(); });
    app.installEventFilter(&report);
    QWidget window;
    window.resize(1000, 691);
    window.show();
    return app.exec();
}
