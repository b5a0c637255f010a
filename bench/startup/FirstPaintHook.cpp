// Linked into a program that knows nothing of the benchmark: as soon as its application
// object exists, its first paint is reported and the program ends.
#include "FirstPaintReport.h"

namespace {
void InstallFirstPaintReport()
{
    auto *report = new FirstPaintReport([] { QCoreApplication::quit(); });
    report->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(report);
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallFirstPaintReport)
