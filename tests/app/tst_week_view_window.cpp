// The week view in the main window: offered with a week schedule, a click on a day opens
// that weekday through its button's path, kept over a restart, printed on a landscape page.
#include "app/KTFileLogOnMenu.h"
#include "app/WindowHarness.h"
#include "graphs/KTWeekView.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <QAction>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
const char16_t *const Days[7] = {u"/w/sun.ors", u"/w/mon.ors", u"/w/tue.ors", u"/w/wed.ors",
                                 u"/w/thu.ors", u"/w/fri.ors", u"/w/sat.ors"};
const char16_t *const Items[7] = {u"日曜", u"月曜", u"火曜", u"水曜", u"木曜", u"金曜", u"土曜"};

// A week file naming one file per day, each with one frame named after its day; the Tuesday
// file is missing.
void PutWeek(WindowHarness &h)
{
    KWeekSchConfig week;
    for (int d = 0; d < 7; ++d) {
        week.SetDayFile(d, Days[d]);
        if (d == 2)
            continue;
        KDaySchedule s;
        s.AppendFrame(
            KScheduleFrame(KSchTime{uint8_t(d), 0, 0}, KSchTime{uint8_t(d + 3), 0, 0}, Items[d], 0xFF, u""));
        h.files.Put(Days[d], KScheduleFile::BuildImage(s, Items[d]));
    }
    h.files.Put(u"/w/week.orw", KWeekSchFile::BuildImage(week));
}

void OpenWeek(WindowHarness &h)
{
    h.dialogs.Answers = {u"/w/week.orw"};
    h.form->Action("FileOpen")->trigger();
}

QString Shown(const TOrvellaForm &f)
{
    return QString::fromStdU16String(f.ShownSchedule.GetFrame(0)->ItemName);
}

void ClickDay(TOrvellaForm &f, int day)
{
    QTest::mouseClick(f.SchWeekView, Qt::LeftButton, {}, f.SchWeekView->ColumnRect(day).center());
}
} // namespace

class TestWeekViewWindow : public QObject {
    Q_OBJECT

private slots:
    void aClickOnADayOpensItInTheList()
    {
        WindowHarness h; // Wednesday
        TOrvellaForm &f = *h.form;
        QAction *weekView = f.Action("ViewTypeWeekView");
        QVERIFY(!weekView->isEnabled());
        PutWeek(h);
        OpenWeek(h);
        QVERIFY(weekView->isEnabled());
        weekView->trigger();
        QCOMPARE(f.ViewType, int(TOrvellaForm::vtWeek));
        QVERIFY(weekView->isChecked());
        QVERIFY(f.SchWeekView && f.SchWeekView->isVisible());
        QCOMPARE(f.SchWeekView->Today(), 3);
        QVERIFY(!f.SchWeekView->DayAt(2).Schedule);
        QVERIFY(f.SchWeekView->DayAt(2).Reason.contains("/w/tue.ors"));
        QCOMPARE(f.SchWeekView->DayAt(5).Caption, QString("金曜"));

        ClickDay(f, 5);
        QTRY_COMPARE(f.ViewType, int(TOrvellaForm::vtList));
        QCOMPARE(Shown(f), QString("金曜"));
        QCOMPARE(f.OpenedWeekday, 5);
        QVERIFY(!f.SchWeekView);

        // The weekday buttons' question first: Cancel keeps the day and the week view.
        weekView->trigger();
        f.SchModified = true;
        h.prompter.Answers = {KMsgAnswer::Cancel};
        const size_t asked = h.prompter.History.size();
        ClickDay(f, 1);
        QTRY_COMPARE(h.prompter.History.size(), asked + 1);
        QCOMPARE(f.ViewType, int(TOrvellaForm::vtWeek));
        QCOMPARE(Shown(f), QString("金曜"));
        // A grey day opens nothing.
        ClickDay(f, 2);
        QCoreApplication::processEvents();
        QCOMPARE(h.prompter.History.size(), asked + 1);
        QCOMPARE(f.ViewType, int(TOrvellaForm::vtWeek));
    }

    void theViewGoesWithTheWeekAndComesBackAfterARestart()
    {
        WindowHarness h;
        PutWeek(h);
        OpenWeek(h);
        h.form->SetStartWithLastView(true);
        h.form->Action("ViewTypeWeekView")->trigger();
        h.Build(); // the week file is the most recent file: it opens again, and so does the view
        TOrvellaForm &f = *h.form;
        QCOMPARE(f.ViewType, int(TOrvellaForm::vtWeek));
        QVERIFY(f.SchWeekView);
        QCOMPARE(h.files.Get(h.appData.SettingsFilePath())->at(66), uint8_t(TOrvellaForm::vtWeek));

        // Leaving the week schedule leaves its view.
        f.Action("ViewTypeWeekly")->trigger();
        QCOMPARE(f.ViewType, int(TOrvellaForm::vtList));
        QVERIFY(!f.Action("ViewTypeWeekView")->isEnabled());
        QVERIFY(!f.SchWeekView);

        // Saved as the week view, but the week file is gone: the list.
        f.Action("ViewTypeWeekly")->trigger();
        f.Action("ViewTypeWeekView")->trigger();
        h.form.reset();
        h.files.Files.erase(u"/w/week.orw");
        h.Build();
        QCOMPARE(h.form->ViewType, int(TOrvellaForm::vtList));
    }

    void printingGivesOneLandscapePage()
    {
        QTemporaryDir dir;
        WindowHarness h;
        PutWeek(h);
        OpenWeek(h);
        h.form->Action("ViewTypeWeekView")->trigger();
        const QString pdf = dir.filePath("week.pdf");
        h.printer.SetPdfPath(pdf);
        QVERIFY(h.form->FilePrintExecute());
        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished(30000));
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(text.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(text));
        const QRegularExpressionMatch size =
            QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+)").match(text);
        QVERIFY(size.hasMatch());
        QVERIFY2(size.captured(1).toDouble() > size.captured(2).toDouble(), qPrintable(text));
    }
};

QTEST_MAIN(TestWeekViewWindow)
#include "tst_week_view_window.moc"
