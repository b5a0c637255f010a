#include "graphs/KPrintPicture.h"

#include "graphs/KGraphMath.h"
#include "platform/qt/KFontMap.h"
#include "platform/qt/KQtPrintService.h"

#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <algorithm>

namespace KPrintPicture {

using KGraphMath::Trunc;

namespace {
QString &FallbackOverride()
{
    static QString path;
    return path;
}

QFont TitleFont()
{
    return KFontMap::PointFont("MS UI Gothic", 12);
}
} // namespace

Layout ComputeLayout(const QSize &page, double dpiX, double dpiY, const QSize &titleSize, double widthInches,
                     double heightInches)
{
    Layout out;
    const int pw = page.width(), ph = page.height();
    const int tw = titleSize.width(), th = titleSize.height();
    const int titleTop = Trunc((ph - dpiY * heightInches) / 2.0 - (th + dpiY / 2.0));
    out.TitleRect = QRect((pw - tw) / 2, titleTop, tw, th);
    const int left = Trunc((pw - widthInches * dpiX) / 2.0);
    const int top = Trunc((ph - dpiY * heightInches) / 2.0);
    const int right = Trunc(left + widthInches * dpiX);
    const int bottom = Trunc(top + dpiY * heightInches);
    out.PictureRect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    return out;
}

void PaintPage(QPainter &painter, const QSize &page, double dpiX, double dpiY, const QImage &picture,
               const QString &title, double widthInches, double heightInches)
{
    painter.setFont(TitleFont());
    painter.setPen(Qt::black);
    const QFontMetrics fm(painter.font(), painter.device());
    const QSize titleSize(fm.horizontalAdvance(title), fm.height());
    const Layout layout = ComputeLayout(page, dpiX, dpiY, titleSize, widthInches, heightInches);
    if (!title.isEmpty())
        painter.drawText(layout.TitleRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(layout.PictureRect, picture);
}

namespace {
// Names the print job (when nothing has yet) and opens the painter on the printer; paintRect
// and dpi receive the printable area in device pixels and the resolution.
bool BeginPage(QPrinter &printer, const QString &title, QPainter &painter, QRect &paintRect, double &dpi)
{
    if (!printer.docName().size())
        printer.setDocName(title.isEmpty() ? QStringLiteral("Orvella") : title);
    if (!painter.begin(&printer))
        return false;
    paintRect = printer.pageLayout().paintRectPixels(printer.resolution());
    dpi = printer.resolution();
    return true;
}
} // namespace

bool Print(QPrinter &printer, const QImage &picture, const QString &title, double widthInches,
           double heightInches)
{
    QPainter painter;
    QRect paintRect;
    double dpi = 0;
    if (!BeginPage(printer, title, painter, paintRect, dpi))
        return false;
    PaintPage(painter, paintRect.size(), dpi, dpi, picture, title, widthInches, heightInches);
    return painter.end();
}

bool PrintLandscape(QPrinter &printer, const QImage &picture, const QString &title)
{
    if (picture.isNull())
        return false;
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    QRect paintRect;
    double dpi = 0;
    if (!BeginPage(printer, title, painter, paintRect, dpi))
        return false;
    // Room for the title half an inch above the picture, and a quarter inch all round.
    const double roomW = paintRect.width() / dpi - 0.5, roomH = paintRect.height() / dpi - 1.75;
    const double aspect = double(picture.width()) / picture.height();
    const double w = std::min(roomW, roomH * aspect);
    PaintPage(painter, paintRect.size(), dpi, dpi, picture, title, w, w / aspect);
    return painter.end();
}

QString FallbackPdfPath(const QString &title)
{
    if (!FallbackOverride().isEmpty())
        return FallbackOverride();
    return KQtPrintService::DefaultPdfPath(title);
}

void SetFallbackPdfPath(const QString &path)
{
    FallbackOverride() = path;
}

bool PrintOrPdf(const QImage &picture, const QString &title, double widthInches, double heightInches,
                QString *pdfPath)
{
    if (pdfPath)
        pdfPath->clear();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        QPrinter printer(info, QPrinter::HighResolution);
        return Print(printer, picture, title, widthInches, heightInches);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = FallbackPdfPath(title);
    printer.setOutputFileName(path);
    if (pdfPath)
        *pdfPath = path;
    return Print(printer, picture, title, widthInches, heightInches);
}

} // namespace KPrintPicture
