#pragma once

#include "platform/qt/KPrintService.h"

#include <QPrinter>
#include <memory>

// Printing through Qt's print support: one printer for the whole session, made when first
// needed, high resolution, A4 with 25 mm margins until the page setup changes them.
class KQtPrintService : public KPrintService {
public:
    KQtPrintService();
    ~KQtPrintService() override;

    QPrinter *PrintDialog(QWidget *owner, const QString &docName) override;
    bool PrinterSetupDialog(QWidget *owner) override;
    bool PageSetupDialog(QWidget *owner) override;

    // Whether the system has any printer; without one the output goes to a PDF file.
    static bool HasPrinter();
    // The PDF file offered when there is no printer: "<name>.pdf" in the documents folder.
    static QString DefaultPdfPath(const QString &docName);

private:
    void OfferPdfWhenNoPrinter(const QString &docName);
    QPrinter *Printer();
    std::unique_ptr<QPrinter> printer_;
};
