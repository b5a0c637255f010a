// Printing of the schedule list as a one-page table.
#include "listedit/KListPrintLayout.h"
#include "listedit/KScheduleList.h"
#include "platform/qt/KColorConv.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <algorithm>

namespace {
QFont PrintFont(int points)
{
    QFont font; // the default face
    font.setPointSize(points);
    return font;
}
} // namespace

bool KScheduleList::PrintList(QPrinter &printer, const QString &title, double leftInches, double rightInches,
                              double topInches) const
{
    // The margins are the list's own, measured from the edge of the paper; the page setup
    // does not move them.
    const bool fullPage = printer.fullPage();
    printer.setFullPage(true);
    if (printer.docName().isEmpty())
        printer.setDocName(title.isEmpty() ? QStringLiteral("Orvella") : title);
    QPainter painter;
    if (!painter.begin(&printer)) {
        printer.setFullPage(fullPage);
        return false;
    }
    const int dpi = printer.resolution();
    KListPrintLayout::Metrics m;
    m.DpiX = dpi;
    m.DpiY = dpi;
    m.PageWidth = printer.pageLayout().fullRectPixels(dpi).width();

    const QFont titleFont = PrintFont(12);
    const QFont tableFont = PrintFont(10);
    const QFontMetrics titleMetrics(titleFont, &printer);
    const QFontMetrics tableMetrics(tableFont, &printer);
    m.TitleWidth = titleMetrics.horizontalAdvance(title);
    m.TitleHeight = titleMetrics.height();
    m.LineHeight = tableMetrics.height();
    const int rows = RowCount();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < ColumnCount; ++c)
            m.Widths[size_t(c)] =
                std::max(m.Widths[size_t(c)], tableMetrics.horizontalAdvance(CellText(r, c)));
    }
    const KListPrintLayout layout = KListPrintLayout::Compute(m, leftInches, rightInches, topInches);

    // Texts are written from their top-left corner and are not clipped.
    auto write = [&painter](int x, int y, const QString &text) {
        painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
    };
    // A one-pixel line all but vanishes at printer resolutions: lines are a 150th of an inch.
    painter.setPen(QPen(Qt::black, std::max(1, dpi / 150)));
    painter.setFont(titleFont);
    write(layout.TitleX, layout.TitleY, title);

    painter.setFont(tableFont);
    for (int c = 0; c < ColumnCount; ++c)
        write(layout.ColumnX[size_t(c)], layout.ColumnTitleY, CellText(0, c));
    painter.drawLine(layout.Left, layout.RuleY, m.PageWidth - layout.Right, layout.RuleY);

    int n = 0;
    for (int r = 1; r < rows; ++r) {
        if (CellText(r, ColItem).isEmpty())
            continue;
        const int y = layout.LineY(n);
        // The box shows the frame's own colour, also for rows scrolled out of view.
        const KScheduleFrame *frame = FrameOfRow(r);
        painter.setBrush(frame ? KColorConv::ToQColor(frame->Color) : QColor(Qt::white));
        painter.drawRect(QRect(layout.Left, y, layout.BoxSize, layout.BoxSize));
        painter.setBrush(Qt::white);
        for (int c = 1; c < ColumnCount; ++c)
            write(layout.ColumnX[size_t(c)], y, CellText(r, c));
        ++n;
    }
    const bool ok = painter.end();
    printer.setFullPage(fullPage);
    return ok;
}
