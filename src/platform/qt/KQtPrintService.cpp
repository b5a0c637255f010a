#include "platform/qt/KQtPrintService.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QStandardPaths>

KQtPrintService::KQtPrintService() = default;

QPrinter *KQtPrintService::Printer()
{
    // Made on first use: setting up a printer asks the print system, which start-up need not wait for.
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                            QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter));
    }
    return printer_.get();
}

KQtPrintService::~KQtPrintService() = default;

bool KQtPrintService::HasPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString KQtPrintService::DefaultPdfPath(const QString &docName)
{
    QString name = docName.trimmed();
    static const QString bad = QStringLiteral("\\/:*?\"<>|");
    for (QChar &c : name) {
        if (bad.contains(c) || c.unicode() < 0x20)
            c = u'_';
    }
    if (name.isEmpty())
        name = QStringLiteral("Orvella");
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::homePath();
    return QDir(dir).filePath(name + QStringLiteral(".pdf"));
}

void KQtPrintService::OfferPdfWhenNoPrinter(const QString &docName)
{
    // The dialog then opens on its "print to file" entry with a file name filled in.
    if (HasPrinter() || Printer()->outputFormat() == QPrinter::PdfFormat)
        return;
    Printer()->setOutputFormat(QPrinter::PdfFormat);
    Printer()->setOutputFileName(DefaultPdfPath(docName));
}

QPrinter *KQtPrintService::PrintDialog(QWidget *owner, const QString &docName)
{
    Printer()->setDocName(docName.isEmpty() ? QStringLiteral("Orvella") : docName);
    OfferPdfWhenNoPrinter(docName);
    QPrintDialog dialog(Printer(), owner);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return Printer();
}

bool KQtPrintService::PrinterSetupDialog(QWidget *owner)
{
    OfferPdfWhenNoPrinter(QString());
    QPrintDialog dialog(Printer(), owner);
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
    return dialog.exec() == QDialog::Accepted;
}

bool KQtPrintService::PageSetupDialog(QWidget *owner)
{
    QPageSetupDialog dialog(Printer(), owner);
    return dialog.exec() == QDialog::Accepted;
}
