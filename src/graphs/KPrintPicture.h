#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;
class QPrinter;

// Printing of a graph's picture: the title centred half an inch above the
// picture, the picture stretched to the given size in inches in the middle of the page.
namespace KPrintPicture {

// Where the title and the picture go on a page of the given size (device pixels)
// at the given resolution (pixels per inch).
struct Layout {
    QRect TitleRect;
    QRect PictureRect;
};
Layout ComputeLayout(const QSize &page, double dpiX, double dpiY, const QSize &titleSize, double widthInches,
                     double heightInches);

// Paints the title and the picture with an open painter on a page of the given size.
void PaintPage(QPainter &painter, const QSize &page, double dpiX, double dpiY, const QImage &picture,
               const QString &title, double widthInches, double heightInches);

// Prints on the given printer (one page). False when the printer cannot be opened.
bool Print(QPrinter &printer, const QImage &picture, const QString &title, double widthInches,
           double heightInches);

// Prints on one landscape page, the picture as large as the page allows below the title,
// in its own proportions. False when the printer cannot be opened.
bool PrintLandscape(QPrinter &printer, const QImage &picture, const QString &title);

// Prints on the default printer, or into a PDF file when no printer exists.
// pdfPath receives the file written in that case (empty when a printer was used).
bool PrintOrPdf(const QImage &picture, const QString &title, double widthInches, double heightInches,
                QString *pdfPath = nullptr);

// The PDF file used when no printer exists: "<title>.pdf" (or "Orvella.pdf") in the
// documents folder, unless a path was set (tests set one).
QString FallbackPdfPath(const QString &title);
void SetFallbackPdfPath(const QString &path);

} // namespace KPrintPicture
