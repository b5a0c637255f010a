// The week panel: opening week files, the weekday buttons, the two marks and the week toggle.
#include "app/KTFileLogOnMenu.h"
#include "app/WindowHarness.h"
#include "graphs/KTSchTimeCount.h"
#include "model/KMessageCatalog.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"
#include "week/TKWeekSchCfgDialog.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace KMessageCatalog;

namespace {
QString Q(const std::u16string &s)
{
    return QString::fromStdU16String(s);
}

const char16_t *const Days[7] = {u"/w/sun.ors", u"/w/mon.ors", u"/w/tue.ors", u"/w/wed.ors",
                                 u"/w/thu.ors", u"/w/fri.ors", u"/w/sat.ors"};
const char16_t *const Items[7] = {u"日曜", u"月曜", u"火曜", u"水曜", u"木曜", u"金曜", u"土曜"};

// A week file /w/week.orw naming one file per day; each day file holds one frame named
// after its day. The Tuesday file is missing.
void PutWeek(WindowHarness &h)
{
    KWeekSchConfig week;
    for (int d = 0; d < 7; ++d) {
        week.SetDayFile(d, Days[d]);
        if (d == 2)
            continue;
        KDaySchedule s;
        s.AppendFrame(KScheduleFrame(KSchTime{0, 0, 0}, KSchTime{uint8_t(d + 1), 0, 0}, Items[d], 0xFF, u""));
        h.files.Put(Days[d], KScheduleFile::BuildImage(s, Items[d]));
    }
    h.files.Put(u"/w/week.orw", KWeekSchFile::BuildImage(week));
}

bool LastBoxSaysDamaged(const WindowHarness &h)
{
    return !h.prompter.History.empty() &&
           h.prompter.History.back().Text.find(Text(DamagedFile, 0)) != std::u16string::npos;
}

void OpenWeek(WindowHarness &h)
{
    h.dialogs.Answers = {u"/w/week.orw"};
    h.form->Action("FileOpen")->trigger();
}
} // namespace

class TestWeekPanel : public QObject {
    Q_OBJECT

private slots:
    void openingAWeekFileShowsTodaysSchedule()
    {
        WindowHarness h(QSize(1024, 768), false); // Wednesday
        TOrvellaForm &f = *h.form;
        PutWeek(h);
        OpenWeek(h);
        QVERIFY(f.WeekSchOpen);
        QVERIFY(f.Action("ViewTypeWeekly")->isEnabled());
        QVERIFY(f.Action("ViewTypeWeekly")->isChecked());
        QCOMPARE(f.WeekSchFileName, QString("/w/week.orw"));
        QCOMPARE(Q(f.ShownSchedule.GetFrame(0)->ItemName), QString("水曜"));
        QCOMPARE(f.SchFileName, QString("/w/wed.ors"));
        QCOMPARE(f.OpenedWeekday, 3);
        QCOMPARE(f.WeekOpnIndImage->parentWidget(), f.WeekdayButtons[3]);
        QVERIFY(f.WeekOpnIndImage->isVisibleTo(f.WeekdayButtons[3]));
        QCOMPARE(f.FileLogMenu->Path(0), QString("/w/week.orw"));
        // Only the week file went into the recent list.
        QCOMPARE(f.FileLogMenu->Count(), 1);
        QVERIFY(h.prompter.History.empty());

        // Tuesday's file is missing: its button is off, the others work.
        QVERIFY(!f.WeekdayButtons[2]->isEnabled());
        QCOMPARE(f.WeekdayButtons[2]->toolTip(), QString("/w/tue.ors"));
        QVERIFY(f.WkTodayButton->isEnabled());
        for (int d : {0, 1, 3, 4, 5, 6})
            QVERIFY(f.WeekdayButtons[size_t(d)]->isEnabled());
        QTest::mouseClick(f.WeekdayButtons[5], Qt::LeftButton);
        QCOMPARE(Q(f.ShownSchedule.GetFrame(0)->ItemName), QString("金曜"));
        QCOMPARE(f.OpenedWeekday, 5);
        QCOMPARE(f.WeekOpnIndImage->parentWidget(), f.WeekdayButtons[5]);
        f.WkTodayButton->click();
        QCOMPARE(f.OpenedWeekday, 3);
    }

    void aDayFileThatFailsDisablesItsButton()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutWeek(h);
        OpenWeek(h);
        h.files.Files.erase(u"/w/mon.ors");
        f.WeekSelButtonClick(1);
        QVERIFY(!f.WeekdayButtons[1]->isEnabled());
        QCOMPARE(Q(f.ShownSchedule.GetFrame(0)->ItemName), QString("水曜"));
        QCOMPARE(f.OpenedWeekday, 3);

        // A day file that is there but damaged disables its button the same way.
        std::vector<uint8_t> damaged = *h.files.Get(u"/w/thu.ors");
        damaged[100] ^= 0xFF;
        h.files.Put(u"/w/thu.ors", damaged);
        QVERIFY(f.WeekdayButtons[4]->isEnabled());
        f.WeekSelButtonClick(4);
        QVERIFY(!f.WeekdayButtons[4]->isEnabled());
        QVERIFY(LastBoxSaysDamaged(h));
        QCOMPARE(f.OpenedWeekday, 3);

        // Cancel at the save question keeps the shown schedule.
        f.SchModified = true;
        h.prompter.Answers = {KMsgAnswer::Cancel};
        f.WeekSelButtonClick(0);
        QCOMPARE(Q(f.ShownSchedule.GetFrame(0)->ItemName), QString("水曜"));
    }

    void todayMarkFollowsMidnightWithoutOpeningAFile()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutWeek(h);
        OpenWeek(h);
        h.clock.Set(23, 59, 59, 3);
        f.ClockTick();
        QCOMPARE(f.TodayIndImage->parentWidget(), f.WeekdayButtons[3]);
        const size_t ops = h.files.Ops.size();
        h.clock.Set(0, 0, 0, 4);
        f.ClockTick();
        QCOMPARE(f.TodayIndImage->parentWidget(), f.WeekdayButtons[4]);
        QVERIFY(f.TodayIndImage->isVisibleTo(f.WeekdayButtons[4]));
        // Low in the button, left of its caption.
        QCOMPARE(f.TodayIndImage->y(), 20);
        QVERIFY(f.TodayIndImage->geometry().right() <
                (f.WeekdayButtons[4]->width() -
                 f.WeekdayButtons[4]->fontMetrics().horizontalAdvance(f.WeekdayButtons[4]->text())) /
                    2);
        QCOMPARE(Q(f.ShownSchedule.GetFrame(0)->ItemName), QString("水曜"));
        QCOMPARE(f.OpenedWeekday, 3);
        QCOMPARE(h.files.Ops.size(), ops);
    }

    void weekToggleLeavesAndReentersTheWeek()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        KDaySchedule own;
        own.AppendFrame(KScheduleFrame(KSchTime{0, 0, 0}, KSchTime{24, 0, 0}, u"自分", 0, u""));
        h.files.Put(u"/d/own.ors", KScheduleFile::BuildImage(own, u""));
        h.dialogs.Answers = {u"/d/own.ors"};
        f.Action("FileOpen")->trigger();
        PutWeek(h);
        OpenWeek(h);

        f.Action("ViewTypeWeekly")->trigger();
        QVERIFY(!f.WeekSchOpen);
        QVERIFY(!f.Action("ViewTypeWeekly")->isChecked());
        QVERIFY(f.Action("ViewTypeWeekly")->isEnabled());
        QCOMPARE(f.SchFileName, QString("/d/own.ors"));
        QCOMPARE(f.OpenedWeekday, 7);
        QVERIFY(!f.WkTodayButton->isEnabled());
        for (QPushButton *b : f.WeekdayButtons)
            QVERIFY(!b->isEnabled());

        f.Action("ViewTypeWeekly")->trigger();
        QVERIFY(f.WeekSchOpen);
        QCOMPARE(f.SchFileName, QString("/w/wed.ors"));
        QCOMPARE(f.FileLogMenu->Path(0), QString("/w/week.orw"));
    }

    void aWeekFileThatCannotBeReadKeepsTheWeekInUse()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutWeek(h);
        OpenWeek(h);
        std::vector<uint8_t> bad = KWeekSchFile::BuildImage(KWeekSchConfig());
        bad.resize(70);
        h.files.Put(u"/w/bad.orw", bad);
        h.dialogs.Answers = {u"/w/bad.orw"};
        f.Action("FileOpen")->trigger();
        QVERIFY(!h.prompter.History.empty());
        // The week in use, its name and the shown day stay; the week toggle cannot reach the bad file.
        QCOMPARE(f.WeekSchFileName, QString("/w/week.orw"));
        QCOMPARE(Q(f.WeekConfig.GetDayFile(0)), QString("/w/sun.ors"));
        QCOMPARE(f.SchFileName, QString("/w/wed.ors"));
    }

    void weekCountAddsUpTheDaysThatRead()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutWeek(h);
        OpenWeek(h);
        f.SwitchView(TOrvellaForm::vtWeekCount);
        QCOMPARE(f.ViewType, int(TOrvellaForm::vtWeekCount));
        QVERIFY(f.SchTimeCount != nullptr);
        // Six day files read (Tuesday's is missing), one item each.
        QCOMPARE(f.SchTimeCount->ItemCount(), 6);
        QCOMPARE(f.SchTitleEdit->text(), QString("週間スケジュール集計"));
        QVERIFY(h.prompter.History.empty());

        // Saving the shown day in this view keeps the day's own title, not the view's caption.
        f.SchModified = true;
        f.Action("FileOverwrite1")->trigger();
        KScheduleFile saved(h.files, h.prompter);
        saved.SetFileName(u"/w/wed.ors");
        QVERIFY(saved.ReadSchedule());
        QCOMPARE(Q(saved.Title), QString("水曜"));
        QVERIFY(!f.SchModified);
        QCOMPARE(f.SchTitleEdit->text(), QString("週間スケジュール集計"));
    }

    void weekMenuShowsTheDialogWithTheWeekInUse()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutWeek(h);
        OpenWeek(h);
        QString shown;
        bool answered = false;
        QTimer::singleShot(0, &f, [&] {
            if (auto *d = qobject_cast<TKWeekSchCfgDialog *>(QApplication::activeModalWidget())) {
                shown = d->FileNameEdit->text();
                answered = true;
                d->reject();
            }
        });
        // A dialog nobody answered fails the test instead of hanging it.
        QTimer::singleShot(5000, &f, [] {
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        });
        f.Action("OptWkSchConfig")->trigger();
        QVERIFY(answered);
        QCOMPARE(shown, QString("week.orw"));
        QCOMPARE(f.WeekSchFileName, QString("/w/week.orw"));
    }

    void startReopensAWeekFileWithTodaysSchedule()
    {
        WindowHarness h(QSize(1024, 768), false);
        PutWeek(h);
        OpenWeek(h);
        h.clock.Set(9, 0, 0, 6);
        h.Build();
        TOrvellaForm &f = *h.form;
        QVERIFY(f.WeekSchOpen);
        QCOMPARE(Q(f.ShownSchedule.GetFrame(0)->ItemName), QString("土曜"));
        QCOMPARE(f.OpenedWeekday, 6);
        QCOMPARE(f.FileLogMenu->Count(), 1);
    }
};

QTEST_MAIN(TestWeekPanel)
#include "tst_week_panel.moc"
