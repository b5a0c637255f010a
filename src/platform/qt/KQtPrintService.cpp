#include "platform/qt/KQtPrintService.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QStandardPaths>

KQtPrintService::KQtPrintService() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter));
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
    if (HasPrinter() || printer_->outputFormat() == QPrinter::PdfFormat)
        return;
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(DefaultPdfPath(docName));
}

QPrinter *KQtPrintService::PrintDialog(QWidget *owner, const QString &docName)
{
    printer_->setDocName(docName.isEmpty() ? QStringLiteral("Orvella") : docName);
    OfferPdfWhenNoPrinter(docName);
    QPrintDialog dialog(printer_.get(), owner);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer_.get();
}

bool KQtPrintService::PrinterSetupDialog(QWidget *owner)
{
    OfferPdfWhenNoPrinter(QString());
    QPrintDialog dialog(printer_.get(), owner);
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
    return dialog.exec() == QDialog::Accepted;
}

bool KQtPrintService::PageSetupDialog(QWidget *owner)
{
    QPageSetupDialog dialog(printer_.get(), owner);
    return dialog.exec() == QDialog::Accepted;
}
