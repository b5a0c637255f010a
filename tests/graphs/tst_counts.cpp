#include "graphs/GraphTestUtil.h"
#include "graphs/KTSchTimeCount.h"
#include "week/core/KWeekScheduleBuilder.h"

#include <QtTest>

using namespace GraphTest;

namespace {
// Seven day files, each one whole-day frame.
class SevenFreeDays : public KDayFileSource {
public:
    int PeekFrameCount(const std::u16string &) override { return 1; }
    std::unique_ptr<KDaySchedule> ReadDay(const std::u16string &path) override
    {
        auto day = std::make_unique<KDaySchedule>();
        Fill(*day, {{T(0), T(24), u"Free", 0x00FF00}});
        if (path == u"sat.ors")
            Fill(*day, {{T(0), T(20), u"Free", 0x0000FF}, {T(20), T(4), u"Party", 0xFF00FF}});
        return day;
    }
};
} // namespace

class CountTest : public QObject {
    Q_OBJECT

private slots:
    void totalsPerItemInOrderOfFirstAppearance()
    {
        KDaySchedule s;
        Fill(s, {{T(23), T(8), u"Sleep", 0x800000},
                 {T(7), T(2), u"Free", 0x00FFFF},
                 {T(9), T(8), u"Work", 0x0000FF},
                 {T(17), T(6), u"Free", 0x00FF00},
                 {T(23), T(0, 30), u"work", 0x00FF00}});
        KTSchTimeCount count;
        count.FillCounts(&s, nullptr, 400, 200);
        QCOMPARE(count.ItemCount(), 4);
        const auto &t = count.ItemTotals();
        QCOMPARE(t[0].Name, std::u16string(u"Sleep"));
        QCOMPARE(t[1].Name, std::u16string(u"Free"));
        QCOMPARE(t[2].Name, std::u16string(u"Work"));
        QCOMPARE(t[3].Name, std::u16string(u"work")); // case matters
        QCOMPARE(t[1].Color, 0x00FFFFu);              // colour of the first frame
        QCOMPARE(KTSchTimeCount::TotalText(t[1].TotalSeconds), QString("08:00"));
        QCOMPARE(KTSchTimeCount::TotalText(t[3].TotalSeconds), QString("00:30"));

        const auto &bars = count.LastBars();
        QCOMPARE(bars.size(), size_t(4));
        QCOMPARE(bars[0].Length, count.BarAreaWidth());
        QCOMPARE(bars[1].Length, bars[0].Length);
        QCOMPARE(bars[3].Length, count.BarAreaWidth() / 16);
        // The bar is painted in the item's colour, the baseline in black.
        const QImage &img = count.Picture();
        QCOMPARE(Bgr(img, bars[2].Left + 5, bars[2].Top + bars[2].Height / 2), 0x0000FFu);
        QCOMPARE(Bgr(img, count.NameColumnWidth() + 8, 100), 0x000000u);
        QVERIFY(CountNear(img, QRect(bars[0].TimeLeft + 4, bars[0].Top, 30, 12), 0x000000, 80) > 0);
    }

    void whiteBarsAndTinyRows()
    {
        KDaySchedule s(40);
        for (int i = 0; i < 30; ++i) {
            const std::u16string name = u"Item" + std::u16string(1, char16_t(u'A' + i));
            s.AppendFrame(KScheduleFrame(T(0), T(0, 10), name, 0xFFFFFF, u""));
        }
        KTSchTimeCount count;
        count.FillCounts(&s, nullptr, 300, 200);
        QCOMPARE(count.RowHeight(), 2);

        Fill(s, {{T(0), T(24), u"White", 0xFFFFFF}});
        count.FillCounts(&s, nullptr, 300, 200);
        const auto &bar = count.LastBars()[0];
        QCOMPARE(Bgr(count.Picture(), bar.Left + 10, bar.Top + 10), 0xFFFFFEu);
    }

    void zeroTotalsGiveEmptyBars()
    {
        KDaySchedule s;
        Fill(s, {{T(1), T(0), u"A", 0x0000FF}, {T(2), T(0), u"B", 0x00FF00}});
        KTSchTimeCount count;
        count.FillCounts(&s, nullptr, 300, 200);
        QCOMPARE(count.LastBars()[0].Length, 0);
        QCOMPARE(count.LastBars()[1].Length, 0);
        QCOMPARE(CountNear(count.Picture(), count.Picture().rect(), 0x0000FF, 10), 0);
    }

    void weekCountAddsAcrossDays()
    {
        SevenFreeDays days;
        std::array<std::u16string, 7> names{u"sun.ors", u"mon.ors", u"tue.ors", u"wed.ors",
                                            u"thu.ors", u"fri.ors", u"sat.ors"};
        auto week = KWeekScheduleBuilder::Build(names, days);
        QVERIFY(week);
        KTSchTimeCount count;
        count.FillCounts(week.get(), nullptr, 400, 300);
        QCOMPARE(count.ItemCount(), 2);
        // 6 x 24 + 20 hours: more than a time value's 255 hours would hold over a longer run.
        QCOMPARE(KTSchTimeCount::TotalText(count.ItemTotals()[0].TotalSeconds), QString("164:00"));
        QCOMPARE(KTSchTimeCount::TotalText(count.ItemTotals()[1].TotalSeconds), QString("04:00"));
        QCOMPARE(count.LastBars()[0].TimeText, QString("164:00"));
        QCOMPARE(KTSchTimeCount::TotalText(300 * 3600 + 5 * 60), QString("300:05"));
    }
};

QTEST_MAIN(CountTest)
#include "tst_counts.moc"
