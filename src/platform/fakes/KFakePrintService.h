#pragma once

#include "platform/qt/KPrintService.h"

#include <QPageLayout>
#include <QPrinter>
#include <memory>

// Prints into a PDF file chosen by the test; each dialog is counted and answered
// by the test (Cancel makes every dialog cancel).
class KFakePrintService : public KPrintService {
public:
    explicit KFakePrintService(const QString &pdfPath = QString()) { SetPdfPath(pdfPath); }

    void SetPdfPath(const QString &path)
    {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(path);
        printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                            QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter));
    }
    QPrinter &Printer() { return *printer_; }

    QPrinter *PrintDialog(QWidget *, const QString &docName) override
    {
        ++PrintDialogs;
        LastDocName = docName;
        return Cancel ? nullptr : printer_.get();
    }
    bool PrinterSetupDialog(QWidget *) override
    {
        ++PrinterSetupDialogs;
        return !Cancel;
    }
    bool PageSetupDialog(QWidget *) override
    {
        ++PageSetupDialogs;
        return !Cancel;
    }

    bool Cancel = false;
    int PrintDialogs = 0;
    int PrinterSetupDialogs = 0;
    int PageSetupDialogs = 0;
    QString LastDocName;

private:
    std::unique_ptr<QPrinter> printer_;
};
