// Printing commands of the File menu: print the shown view, printer setup, page setup.
#include "app/TOrvellaForm.h"

#include "graphs/KTSchTimeCount.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "graphs/KTWeekView.h"
#include "listedit/KScheduleList.h"
#include "model/KMessageCatalog.h"
#include "platform/qt/KPrintService.h"

#include <QAction>
#include <QLineEdit>
#include <QPrinter>

void TOrvellaForm::BindPrintCommands()
{
    connect(Action("FilePrint1"), &QAction::triggered, this, &TOrvellaForm::FilePrintExecute);
    connect(Action("FilePrintSetup1"), &QAction::triggered, this, &TOrvellaForm::FilePrintSetupExecute);
    connect(Action("FilePageSetup1"), &QAction::triggered, this, &TOrvellaForm::FilePageSetupExecute);
}

bool TOrvellaForm::FilePrintExecute()
{
    if (!platform_.Printer)
        return false;
    const QString title = SchTitleEdit->text();
    QPrinter *printer = platform_.Printer->PrintDialog(this, title);
    if (!printer)
        return false;

    bool printed = false;
    bool viewExists = true;
    switch (ViewType) {
    case vtList:
        viewExists = SchList != nullptr;
        printed = viewExists && SchList->PrintList(*printer, title, 1.0, 0.5, 0.5);
        break;
    case vtPie:
        viewExists = SchPie != nullptr;
        printed = viewExists && SchPie->PrintPicture(*printer, title, 5, 5);
        break;
    case vtTimeline:
        viewExists = SchTimeline != nullptr;
        printed = viewExists && SchTimeline->PrintPicture(*printer, title, 5, 5);
        break;
    case vtCount:
    case vtWeekCount:
        viewExists = SchTimeCount != nullptr;
        printed = viewExists && SchTimeCount->PrintPicture(*printer, title, 5, 5);
        break;
    case vtWeek:
        viewExists = SchWeekView != nullptr;
        printed = viewExists && SchWeekView->PrintWeek(*printer, WeekViewPrintTitle());
        break;
    default:
        viewExists = false;
        break;
    }
    // A printer or file that could not be opened is said, not passed over.
    if (viewExists && !printed) {
        const bool toFile =
            printer->outputFormat() == QPrinter::PdfFormat || !printer->outputFileName().isEmpty();
        ShowMessageCode(toFile ? KMessageCatalog::CannotCreate : KMessageCatalog::FileIoError,
                        toFile ? printer->outputFileName() : printer->printerName());
    }
    return printed;
}

void TOrvellaForm::FilePrintSetupExecute()
{
    if (platform_.Printer)
        platform_.Printer->PrinterSetupDialog(this);
}

void TOrvellaForm::FilePageSetupExecute()
{
    if (platform_.Printer)
        platform_.Printer->PageSetupDialog(this);
}
