// Renders every view at the main window's size with a colourful 8-frame schedule.
// With ORVELLA_SCREENSHOT_DIR set, the pictures are also saved there as PNG files.
#include "graphs/GraphTestUtil.h"
#include "graphs/KTSchTimeCount.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "graphs/KMainGraphSetup.h"
#include "graphs/TKSchGraphView.h"

#include <QMouseEvent>
#include <QToolButton>
#include <QtTest>

using namespace GraphTest;

class ViewsRenderTest : public QObject {
    Q_OBJECT

    KDaySchedule schedule_;
    const std::vector<uint32_t> colors_{0x602000, 0xFFC080, 0x3060FF, 0x00D0FF,
                                        0x40A040, 0x0000A0, 0xE0E0E0, 0xC040C0};

    static void Save(QWidget &w, const char *name)
    {
        const QByteArray dir = qgetenv("ORVELLA_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            w.grab().save(QString::fromLocal8Bit(dir) + "/" + name);
    }
    // Every frame colour appears in the picture (at least 'pixels' times).
    void CheckColours(const QImage &img, int pixels = 20)
    {
        for (uint32_t c : colors_)
            QVERIFY2(CountNear(img, img.rect(), c, 6) > pixels, qPrintable(QString::number(c, 16)));
    }

private slots:
    void initTestCase()
    {
        Fill(schedule_, {{T(0), T(7), u"睡眠", colors_[0], u"よく眠る"},
                         {T(7), T(1), u"朝食", colors_[1]},
                         {T(8), T(4), u"仕事", colors_[2], u"会議 10:00"},
                         {T(12), T(1), u"昼食", colors_[3]},
                         {T(13), T(5), u"Work", colors_[4]},
                         {T(18), T(1, 30), u"Dinner", colors_[5]},
                         {T(19, 30), T(2, 30), u"自由", colors_[6]},
                         {T(22), T(2), u"Bath & read", colors_[7]}});
    }

    void pieAtWindowSize()
    {
        QWidget panel;
        panel.resize(750, 599);
        panel.setStyleSheet("background: white");
        auto *pie = new KTSchedulePie(&panel);
        KMainGraphSetup::SetUpPie(pie, panel.size(), false, true);
        pie->SetSchedule(&schedule_);
        pie->Draw();
        pie->ShowTime(T(14, 20));
        panel.show();
        CheckColours(pie->Picture());
        QCOMPARE(pie->ItemLabelCount(), 8);
        Save(panel, "pie.png");
        // With the popup of the "仕事" frame.
        QMouseEvent ev(QEvent::MouseMove, QPointF(pie->ItemLabelRect(2).center()), QPointF(), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(pie, &ev);
        QVERIFY(pie->FramePopup()->isVisible());
        Save(panel, "pie_popup.png");
    }

    void timelineAtWindowSize()
    {
        QWidget panel;
        panel.resize(750, 599);
        panel.setStyleSheet("background: white");
        auto *t = new KTScheduleTimeline(&panel);
        KMainGraphSetup::SetUpTimeline(t, panel.size(), true, true);
        t->SetSchedule(&schedule_);
        t->Draw();
        t->ShowTime(T(14, 20));
        panel.show();
        CheckColours(t->Picture());
        QCOMPARE(t->HourLabelCount(), 25);
        Save(panel, "timeline.png");
    }

    void countAndSelector()
    {
        QWidget panel;
        panel.resize(750, 599);
        auto *count = new KTSchTimeCount(&panel);
        count->move(20, 20);
        count->FillCounts(&schedule_, &panel, 710, 559);
        panel.show();
        CheckColours(count->Picture());
        Save(panel, "count.png");

        // The selector shows one graph at a time, and each choice shows the whole schedule.
        TKSchGraphView selector;
        selector.SetSchedule(&schedule_);
        selector.show();
        QVERIFY(selector.Pie() && !selector.Timeline() && !selector.Count());
        QVERIFY(selector.Pie()->isVisible());
        CheckColours(selector.grab().toImage(), 5); // the compact graphs have small blocks
        Save(selector, "selector_pie.png");

        selector.TimelineSelectButton->click();
        QVERIFY(selector.Timeline() && !selector.Pie() && !selector.Count());
        QVERIFY(selector.Timeline()->isVisible());
        QCOMPARE(selector.Timeline()->Schedule(), &schedule_);
        CheckColours(selector.grab().toImage(), 5); // the compact graphs have small blocks
        Save(selector, "selector_timeline.png");

        selector.CountSelectButton->click();
        QVERIFY(selector.Count() && !selector.Pie() && !selector.Timeline());
        QVERIFY(selector.Count()->isVisible());
        QCOMPARE(selector.Count()->ItemCount(), 8);
        CheckColours(selector.grab().toImage(), 5); // the compact graphs have small blocks
        Save(selector, "selector_count.png");

        selector.PieSelectButton->click();
        QVERIFY(selector.Pie() && !selector.Count());
    }
};

QTEST_MAIN(ViewsRenderTest)
#include "tst_views_render.moc"
