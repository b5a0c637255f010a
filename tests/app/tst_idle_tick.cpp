// A tick in which nothing visible changes paints nothing: the idle planner costs (almost)
// no CPU. Each view is checked while the clock moves by seconds inside one minute.
#include "WindowHarness.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <QAction>
#include <QApplication>
#include <QPaintEvent>
#include <QtTest>

namespace {
// Counts paint events per widget class and name.
class PaintCounter : public QObject {
public:
    QStringList Painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            Painted << QString(watched->metaObject()->className()) + "/" + watched->objectName();
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

class TestIdleTick : public QObject {
    Q_OBJECT

private slots:
    void secondsThatChangeNothingPaintNothing()
    {
        for (int view : {TOrvellaForm::vtList, TOrvellaForm::vtPie, TOrvellaForm::vtTimeline,
                         TOrvellaForm::vtCount, TOrvellaForm::vtWeek}) {
            WindowHarness h;
            TOrvellaForm &f = *h.form;
            if (view == TOrvellaForm::vtWeek) {
                // The week view needs a week schedule: one whose Wednesday has a frame.
                KDaySchedule day;
                day.AppendFrame(KScheduleFrame(KSchTime{9, 0, 0}, KSchTime{8, 0, 0}, u"Work", 0xC00000, u""));
                KWeekSchConfig week;
                week.SetDayFile(3, u"/w/wed.ors");
                h.files.Put(u"/w/wed.ors", KScheduleFile::BuildImage(day, u""));
                h.files.Put(u"/w/week.orw", KWeekSchFile::BuildImage(week));
                h.dialogs.Answers = {u"/w/week.orw"};
                f.Action("FileOpen")->trigger();
            }
            f.SwitchView(view);
            QCOMPARE(f.ViewType, view);
            h.clock.Set(12, 0, 10, 3);
            f.ClockTick();
            QVERIFY(QTest::qWaitForWindowExposed(&f));
            // Let every pending paint happen, then count only what the ticks cause.
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            PaintCounter counter;
            qApp->installEventFilter(&counter);
            for (int s = 11; s < 20; ++s) {
                h.clock.Set(12, 0, uint8_t(s), 3);
                f.ClockTick();
                QCoreApplication::sendPostedEvents();
                QCoreApplication::processEvents();
            }
            qApp->removeEventFilter(&counter);
            QVERIFY2(counter.Painted.isEmpty(),
                     qPrintable(QString("view %1: ").arg(view) + counter.Painted.join(", ")));
        }
    }
};

QTEST_MAIN(TestIdleTick)
#include "tst_idle_tick.moc"
