#pragma once

#include <QString>

class QPrinter;
class QWidget;

// The printer the program prints on and the platform's dialogs that choose it:
// print, printer setup and page setup. The window keeps no printer of its own.
class KPrintService {
public:
    virtual ~KPrintService() = default;

    // Shows the print dialog for a document. Returns the printer to paint on, set up
    // as the user chose, or nullptr when the dialog was cancelled. Without any installed
    // printer the dialog offers a PDF file instead.
    virtual QPrinter *PrintDialog(QWidget *owner, const QString &docName) = 0;
    // Chooses the printer used by the next print. False when cancelled.
    virtual bool PrinterSetupDialog(QWidget *owner) = 0;
    // Paper and margins of the next print. False when cancelled.
    virtual bool PageSetupDialog(QWidget *owner) = 0;
};
