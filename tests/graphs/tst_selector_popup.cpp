#include "graphs/GraphTestUtil.h"
#include "graphs/KPrintPicture.h"
#include "graphs/KTSchFramePopup.h"
#include "graphs/KTSchTimeCount.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "graphs/TKSchGraphView.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace GraphTest;

namespace {
// Page objects of a PDF file ("/Type /Page", not the "/Type /Pages" tree).
int PdfPageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(R"(/Type\s*/Page(?![a-zA-Z]))");
    int n = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next())
        ++n;
    return n;
}
} // namespace

class SelectorPopupTest : public QObject {
    Q_OBJECT

private slots:
    void selectorStartsWithThePieAndKeepsTheLastChoice()
    {
        KDaySchedule a, b;
        Fill(a, {{T(0), T(12), u"A", 0x0000FF}, {T(12), T(12), u"B", 0x00FF00}});
        Fill(b, {{T(0), T(24), u"C", 0xFF0000}});
        TKSchGraphView view;
        QCOMPARE(view.PieSelectButton->geometry(), QRect(73, 4, 35, 25));
        QCOMPARE(view.CountSelectButton->geometry(), QRect(163, 4, 35, 25));
        QCOMPARE(view.TimelineSelectButton->toolTip(), QString("時間軸（縦）グラフ"));

        view.SetSchedule(&a);
        QVERIFY(view.Pie() && !view.Timeline() && !view.Count());
        // Buttons end at 29: 223 - 29 - 12 = 182 high, radius 182 / 2 - 4 - 5.
        QCOMPARE(view.Pie()->Radius(), 82);
        QCOMPARE(view.Pie()->geometry(), QRect(44, 33, 184, 184));
        QVERIFY(!view.Pie()->PopupsEnabled());
        QCOMPARE(Bgr(view.Pie()->Picture(), 22, 112), 0x0000FFu); // 00:00..12:00 on the left half

        const int draws = view.Pie()->DrawCount();
        view.SetSchedule(&a); // the same schedule: not even a redraw
        QCOMPARE(view.Pie()->DrawCount(), draws);
        a.GetFrame(0)->Color = 0x00FFFF;
        view.RefreshGraph();
        QCOMPARE(Bgr(view.Pie()->Picture(), 22, 112), 0x00FFFFu);

        view.TimelineSelectButton->click();
        QVERIFY(!view.Pie() && view.Timeline());
        QCOMPARE(view.Timeline()->geometry(), QRect(4, 33, 264, 174 + 20));
        view.SetSchedule(&b);
        QVERIFY(view.Timeline() && !view.Pie());
        QCOMPARE(view.Timeline()->Schedule(), &b);

        view.CountSelectButton->click();
        QVERIFY(view.Count() && !view.Timeline());
        QCOMPARE(view.Count()->pos(), QPoint(4, 33));
        QCOMPARE(view.Count()->size(), QSize(264, 182));
        QCOMPARE(view.Count()->ItemCount(), 1);
    }

    void popupTextsAndRows()
    {
        KTSchFramePopup popup;
        QCOMPARE(popup.width(), 350);
        KScheduleFrame late(T(23, 30), T(1), u"仕事", 0xFFFFFF, u"short memo");
        popup.ShowFrame(&late);
        QCOMPARE(popup.ItemText(), QString("仕事"));
        QCOMPARE(popup.TimeText(), QString("23:30 ～ 00:30"));
        const int lh = popup.LineHeight();
        QCOMPARE(popup.height(), 3 * lh + 14);

        KScheduleFrame empty;
        popup.ShowFrame(&empty);
        QVERIFY(popup.ItemText().isEmpty() && popup.TimeText().isEmpty() && popup.MemoText().isEmpty());
        QCOMPARE(popup.height(), 3 * lh + 14);

        QString memo;
        for (int i = 0; i < 10; ++i)
            memo += QString("line%1 words words words words words words words ").arg(i);
        KScheduleFrame longMemo(T(8), T(1), u"Read", 0xFFFFFF, memo.toStdU16String());
        popup.ShowFrame(&longMemo);
        QCOMPARE(popup.height(), 2 * lh + qMin(6 * lh, 150) + 14);

        popup.PopupLanguage = 1;
        popup.ShowFrame(&late);
        QCOMPARE(popup.TimeText(), QString("23:30 ~ 00:30"));
    }

    void printedPageHoldsThePictureAtItsSize()
    {
        // The layout on a 100-dpi letter page: 5 x 5 inches centred, the title above.
        const KPrintPicture::Layout layout =
            KPrintPicture::ComputeLayout(QSize(850, 1100), 100, 100, QSize(80, 20), 5, 5);
        QCOMPARE(layout.PictureRect, QRect(175, 300, 500, 500));
        QCOMPARE(layout.TitleRect, QRect(385, 230, 80, 20));

        KDaySchedule s;
        Fill(s, {{T(0), T(24), u"Free", 0x0000FF}});
        KTSchedulePie pie;
        pie.SetSchedule(&s);
        pie.Draw();

        QTemporaryDir dir;
        const QString pdf = dir.filePath("pie.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(pie.PrintPicture(printer, "Title", 5, 5));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("%PDF"));

        // Without a printer the picture goes into a PDF file of one page.
        const QString fallback = dir.filePath("fallback.pdf");
        KPrintPicture::SetFallbackPdfPath(fallback);
        QString written;
        const bool printed = KPrintPicture::PrintOrPdf(pie.Picture(), "T", 2, 2, &written);
        KPrintPicture::SetFallbackPdfPath(QString());
        QVERIFY(printed);
        if (written.isEmpty()) {
            QVERIFY2(!QPrinterInfo::defaultPrinter().isNull(), "no PDF written and no printer to print on");
        } else {
            QCOMPARE(written, fallback);
            QFile out(fallback);
            QVERIFY(out.open(QIODevice::ReadOnly));
            const QByteArray bytes = out.readAll();
            QVERIFY(bytes.startsWith("%PDF"));
            QCOMPARE(PdfPageCount(bytes), 1);
        }

        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        if (pdftoppm.isEmpty())
            QSKIP("pdftoppm is not installed: page raster not checked");
        QCOMPARE(QProcess::execute(pdftoppm, {"-r", "50", "-png", "-singlefile", pdf, dir.filePath("page")}),
                 0);
        const QImage page(dir.filePath("page.png"));
        QVERIFY(!page.isNull());
        // The blue disc spans the 5-inch picture: 250 pixels at 50 dpi.
        int minX = page.width(), maxX = -1, minY = page.height(), maxY = -1;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QRgb c = page.pixel(x, y);
                if (qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60) {
                    minX = qMin(minX, x), maxX = qMax(maxX, x);
                    minY = qMin(minY, y), maxY = qMax(maxY, y);
                }
            }
        }
        const double scale = 250.0 / pie.width(); // picture pixels to page pixels
        const double disc = 2 * pie.Radius() * scale;
        QVERIFY2(qAbs((maxX - minX) - disc) <= 4, qPrintable(QString::number(maxX - minX)));
        QVERIFY2(qAbs((maxY - minY) - disc) <= 4, qPrintable(QString::number(maxY - minY)));
        QVERIFY(qAbs((minX + maxX) / 2 - page.width() / 2) <= 3);
        QVERIFY(qAbs((minY + maxY) / 2 - page.height() / 2) <= 3);
    }
};

QTEST_MAIN(SelectorPopupTest)
#include "tst_selector_popup.moc"
