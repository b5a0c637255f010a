#include "listedit/KListPrintLayout.h"

#include <QTest>

class TestListPrintLayout : public QObject {
    Q_OBJECT

private slots:
    void positionsAndItemNarrowing()
    {
        // 600 dpi, an 8-inch printable width, margins 1.0 / 0.5 / 0.5 inch.
        KListPrintLayout::Metrics m;
        m.DpiX = m.DpiY = 600;
        m.PageWidth = 4800;
        m.TitleWidth = 1000;
        m.TitleHeight = 100;
        m.LineHeight = 80;
        m.Widths = {100, 400, 500, 400, 300, 600};

        KListPrintLayout a = KListPrintLayout::Compute(m, 1.0, 0.5, 0.5);
        QCOMPARE(a.Left, 600);
        QCOMPARE(a.Right, 300);
        QCOMPARE(a.Top, 300);
        QCOMPARE(a.ColumnX, (std::array<int, 6>{600, 900, 1500, 2200, 2800, 3300}));
        QCOMPARE(a.TitleX, 600 + (4800 - 900 - 1000) / 2);
        QCOMPARE(a.TitleY, 300);
        QCOMPARE(a.ColumnTitleY, 120 + 300 + 100);
        QCOMPARE(a.RuleY, 120 + 300 + 100 + 80 + 60);
        QCOMPARE(a.FirstLineY, 120 + 300 + 100 + 80 + 120);
        QCOMPARE(a.LineY(2), a.FirstLineY + 2 * 84);
        QCOMPARE(a.BoxSize, 70);

        // A long memo alone leaves the Item column as it is while half the room still holds it.
        m.Widths[5] = 3000;
        KListPrintLayout b = KListPrintLayout::Compute(m, 1.0, 0.5, 0.5);
        QCOMPARE(b.ColumnX, a.ColumnX);

        // A wider Item no longer fits half the room (1900 / 2 = 950 < 800 + 200): it gets 750
        // and the columns after it move left.
        m.Widths[2] = 800;
        KListPrintLayout c = KListPrintLayout::Compute(m, 1.0, 0.5, 0.5);
        QCOMPARE(c.ColumnX, (std::array<int, 6>{600, 900, 1500, 2450, 3050, 3550}));

        // Fractions of a pixel are cut off.
        m.DpiX = m.DpiY = 299.9;
        KListPrintLayout d = KListPrintLayout::Compute(m, 1.0, 0.5, 0.5);
        QCOMPARE(d.Left, 299);
        QCOMPARE(d.Right, 149);
        QCOMPARE(d.RuleY, int(0.2 * 299.9 + 149 + 100 + 80 + 0.1 * 299.9));
    }
};

QTEST_MAIN(TestListPrintLayout)
#include "tst_list_print_layout.moc"
