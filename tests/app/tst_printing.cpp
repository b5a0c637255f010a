#include "app/WindowHarness.h"
#include "model/KMessageCatalog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
KScheduleFrame Frame(int h, int dh, const std::u16string &name, uint32_t color)
{
    return KScheduleFrame(KSchTime::MakeTime(uint8_t(h), 0, 0), KSchTime::MakeTime(uint8_t(dh), 0, 0), name,
                          color, u"memo");
}

// Red, green and blue frames (colours are 0x00BBGGRR).
void ThreeFrames(TOrvellaForm &f)
{
    f.ShownSchedule.ClearFrames();
    f.ShownSchedule.AppendFrame(Frame(6, 3, u"朝", 0x0000FF));
    f.ShownSchedule.AppendFrame(Frame(9, 8, u"Work", 0x00C000));
    f.ShownSchedule.AppendFrame(Frame(17, 13, u"Sleep", 0xFF0000));
    f.SchTitle = "Print Test";
}

int PageCount(const QString &pdf)
{
    QProcess p;
    p.start("pdfinfo", {pdf});
    if (!p.waitForFinished(30000))
        return -1;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// The first page at 50 pixels per inch (an A4 page is 413 x 584).
QImage Render(const QString &pdf)
{
    const QString prefix = pdf + "-page";
    QProcess p;
    p.start("pdftoppm", {"-r", "50", "-png", "-singlefile", pdf, prefix});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
}

bool Dark(QRgb c)
{
    return qRed(c) < 110 && qGreen(c) < 110 && qBlue(c) < 110;
}

// 0 red, 1 green, 2 blue, -1 anything else.
int Primary(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 170 && g < 90 && b < 90)
        return 0;
    if (g > 120 && r < 90 && b < 90)
        return 1;
    if (b > 170 && r < 90 && g < 90)
        return 2;
    return -1;
}

int DarkInRow(const QImage &img, int y, int x0, int x1)
{
    int n = 0;
    for (int x = x0; x < x1; ++x)
        n += Dark(img.pixel(x, y)) ? 1 : 0;
    return n;
}

struct Run {
    int Colour, Top, Bottom;
};
// Vertical runs of one primary colour down the column x.
std::vector<Run> ColourRuns(const QImage &img, int x)
{
    std::vector<Run> runs;
    for (int y = 0; y < img.height(); ++y) {
        const int c = Primary(img.pixel(x, y));
        if (c < 0)
            continue;
        if (!runs.empty() && runs.back().Colour == c && runs.back().Bottom == y - 1)
            runs.back().Bottom = y;
        else
            runs.push_back({c, y, y});
    }
    return runs;
}
} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private:
    // With ORVELLA_SCREENSHOT_DIR set, the PDF files and their pages stay there.
    QTemporaryDir tmp_;
    QDir dir_{qEnvironmentVariableIsEmpty("ORVELLA_SCREENSHOT_DIR")
                  ? tmp_.path()
                  : qEnvironmentVariable("ORVELLA_SCREENSHOT_DIR")};

private slots:
    void listPrintsAsAOnePageTable()
    {
        WindowHarness h;
        TOrvellaForm &f = *h.form;
        ThreeFrames(f);
        f.SwitchView(TOrvellaForm::vtList);
        QCOMPARE(f.SchTitleEdit->text(), QString("Print Test"));
        const QString pdf = dir_.filePath("list.pdf");
        h.printer.SetPdfPath(pdf);
        f.Action("FilePrint1")->trigger();
        QCOMPARE(h.printer.PrintDialogs, 1);
        QCOMPARE(h.printer.LastDocName, QString("Print Test"));
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(PageCount(pdf), 1);

        const QImage page = Render(pdf);
        QVERIFY(qAbs(page.width() - 413) <= 1 && qAbs(page.height() - 584) <= 1);
        // One colour box per frame, 1 inch from the left edge, in the frames' colours and order,
        // evenly spaced; the blank rows of the list print nothing.
        const std::vector<Run> boxes = ColourRuns(page, 53);
        QCOMPARE(int(boxes.size()), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(boxes[size_t(i)].Colour, i);
        QVERIFY(qAbs((boxes[1].Top - boxes[0].Top) - (boxes[2].Top - boxes[1].Top)) <= 1);
        QVERIFY(Primary(page.pixel(46, boxes[0].Top + 2)) < 0); // nothing left of the margin
        QVERIFY(ColourRuns(page, 70).empty());                  // the boxes are small squares

        // Each frame line carries its texts beside the box.
        for (const Run &box : boxes) {
            int dark = 0;
            for (int y = box.Top - 1; y <= box.Bottom + 1; ++y)
                dark += DarkInRow(page, y, 70, 388);
            QVERIFY2(dark > 20, qPrintable(QString("line at %1").arg(box.Top)));
        }
        const int step = boxes[1].Top - boxes[0].Top;
        for (int y = boxes[2].Bottom + step; y < page.height(); ++y)
            QCOMPARE(DarkInRow(page, y, 0, page.width()), 0);

        // The rule runs from the left margin (1 inch) to the right one (half an inch), above the boxes.
        int rule = -1;
        for (int y = 0; y < boxes[0].Top && rule < 0; ++y) {
            if (DarkInRow(page, y, 52, 386) > 320)
                rule = y;
        }
        QVERIFY(rule > 0);
        QVERIFY(!Dark(page.pixel(45, rule)) && !Dark(page.pixel(392, rule)));

        // The title comes first, half an inch from the top, centred between the margins;
        // the column titles lie between it and the rule.
        int titleTop = -1;
        for (int y = 0; y < rule && titleTop < 0; ++y) {
            if (DarkInRow(page, y, 0, page.width()) > 0)
                titleTop = y;
        }
        QVERIFY(titleTop >= 24 && titleTop <= 30);
        int left = page.width(), right = 0;
        for (int y = titleTop; y < titleTop + 6; ++y) {
            for (int x = 0; x < page.width(); ++x) {
                if (Dark(page.pixel(x, y))) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        QVERIFY2(qAbs((left + right) / 2 - (413 + 50 - 25) / 2) <= 3,
                 qPrintable(QString::number(left + right)));
        int columnTitles = 0;
        for (int y = titleTop + 12; y < rule; ++y)
            columnTitles += DarkInRow(page, y, 50, 388);
        QVERIFY(columnTitles > 40);
    }

    void pieAndCountPrintTheirPicture()
    {
        WindowHarness h;
        TOrvellaForm &f = *h.form;
        ThreeFrames(f);
        f.SwitchView(TOrvellaForm::vtPie);
        const QString pdf = dir_.filePath("pie.pdf");
        h.printer.SetPdfPath(pdf);
        QVERIFY(f.FilePrintExecute());
        const QImage page = Render(pdf);
        QVERIFY(!page.isNull());
        // The picture is 5 x 5 inches in the middle of the page and shows all three frames.
        int seen[3] = {0, 0, 0};
        int outside = 0;
        const QRect picture(206 - 125, 292 - 125, 250, 250);
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const int c = Primary(page.pixel(x, y));
                if (c < 0)
                    continue;
                if (picture.adjusted(-2, -2, 2, 2).contains(x, y))
                    ++seen[c];
                else
                    ++outside;
            }
        }
        QVERIFY(seen[0] > 200 && seen[1] > 200 && seen[2] > 200);
        QCOMPARE(outside, 0);

        f.SwitchView(TOrvellaForm::vtCount);
        const QString count = dir_.filePath("count.pdf");
        h.printer.SetPdfPath(count);
        QVERIFY(f.FilePrintExecute());
        QCOMPARE(PageCount(count), 1);
    }

    void cancelSetupAndFailure()
    {
        WindowHarness h;
        TOrvellaForm &f = *h.form;
        ThreeFrames(f);
        f.SwitchView(TOrvellaForm::vtTimeline);
        const QString pdf = dir_.filePath("cancelled.pdf");
        h.printer.SetPdfPath(pdf);
        h.printer.Cancel = true;
        QVERIFY(!f.FilePrintExecute());
        QCOMPARE(h.printer.PrintDialogs, 1);
        QVERIFY(!QFile::exists(pdf));

        f.Action("FilePrintSetup1")->trigger();
        f.Action("FilePageSetup1")->trigger();
        QCOMPARE(h.printer.PrinterSetupDialogs, 1);
        QCOMPARE(h.printer.PageSetupDialogs, 1);

        // A file that cannot be written is reported with its name.
        h.printer.Cancel = false;
        const QString bad = dir_.filePath("no-such-folder/out.pdf");
        h.printer.SetPdfPath(bad);
        const size_t shown = h.prompter.History.size();
        QVERIFY(!f.FilePrintExecute());
        QCOMPARE(h.prompter.History.size(), shown + 1);
        QCOMPARE(h.prompter.History.back().Text, KMessageCatalog::ComposeWithFileName(
                                                     KMessageCatalog::CannotCreate, bad.toStdU16String(), 0));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
