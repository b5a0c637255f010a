// The planner's own start-up (settings, most recent file, single instance, every service),
// run exactly as main() runs it. Prints the time of the first paint and closes the window
// the normal way.
#include "FirstPaintReport.h"
#include "app/KOrvellaProgram.h"
#include "app/TOrvellaForm.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[])
{
    std::unique_ptr<FirstPaintReport> report;
    return KOrvellaProgram::Run(argc, argv, [&](TOrvellaForm &form) {
        report = std::make_unique<FirstPaintReport>([&form] { form.close(); });
        qApp->installEventFilter(report.get());
    });
}
