// File > Import iCalendar in the window: the save question first, the calendar file and the
// date, then the day as a new unsaved schedule; a refused file changes nothing.
#include "ModalAnswer.h"
#include "app/WindowHarness.h"
#include "app/dialogs/TKImportDateDialog.h"

#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {
std::vector<uint8_t> TeamCalendar()
{
    QFile in(QString::fromUtf8(qgetenv("ORVELLA_TEST_DATA")) + "/team-calendar.ics");
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = in.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

QStringList Items(const KDaySchedule &s)
{
    QStringList out;
    for (int i = 0; i < s.GetCount(); ++i)
        out << QString::fromStdU16String(s.GetFrame(i)->ItemName);
    return out;
}

// Answers the date dialog with a date, after noting the date it offered.
struct DateAnswer {
    QDate offered;
    ModalAnswer answer;
    explicit DateAnswer(QDate date)
        : answer([this, date](QDialog *d) {
              auto *edit = d->findChild<QDateEdit *>("DateEdit");
              offered = edit->date();
              edit->setDate(date);
              d->accept();
          })
    {}
};
} // namespace

class TestImportICal : public QObject {
    Q_OBJECT

private slots:
    void theDayOpensAsANewUnsavedSchedule()
    {
        WindowHarness h; // Wednesday 2024-01-10
        TOrvellaForm &f = *h.form;
        const std::vector<uint8_t> calendar = TeamCalendar();
        QVERIFY(!calendar.empty());
        h.files.Put(u"/cal/team.ics", calendar);
        h.dialogs.Answers = {u"/cal/team.ics"};
        DateAnswer date(QDate(2024, 3, 26));
        f.Action("FileImportICal")->trigger();
        QVERIFY(date.answer.Seen());
        QCOMPARE(date.offered, QDate(2024, 1, 10));
        QCOMPARE(h.dialogs.History.size(), size_t(1));
        QVERIFY(h.dialogs.History[0].Request.Filter.find(u"*.ics") != std::u16string::npos);

        QCOMPARE(Items(f.ShownSchedule), QStringList({"自由", "Design review", "Lunch with client", "自由",
                                                      "Team sync", "自由", "Release night"}));
        QCOMPARE(f.ShownSchedule.GetFrame(4)->StartTime, (KSchTime{17, 0, 0}));
        QCOMPARE(f.SchTitleEdit->text(), QString("Team calendar 2024-03-26"));
        QVERIFY(f.SchModified);
        QVERIFY(f.SchFileName.isEmpty());
        // The left-out event is named once the day shows.
        QVERIFY(!h.prompter.History.empty());
        QVERIFY(h.prompter.History.back().Text.find(u"Company holiday") != std::u16string::npos);
        QCOMPARE(h.prompter.History.back().Icon, KMsgIcon::Information);

        // Saving asks for a name: the day belongs to no file yet.
        h.dialogs.Answers = {u"/cal/day.ors"};
        f.Action("FileOverwrite1")->trigger();
        QVERIFY(h.files.Get(u"/cal/day.ors"));
        QVERIFY(!f.SchModified);
    }

    void theSaveQuestionComesFirstAndARefusedFileChangesNothing()
    {
        WindowHarness h;
        TOrvellaForm &f = *h.form;
        f.SchModified = true;
        h.prompter.Answers = {KMsgAnswer::Cancel};
        f.Action("FileImportICal")->trigger();
        QCOMPARE(h.prompter.History.size(), size_t(1));
        QVERIFY(h.dialogs.History.empty());

        f.SchModified = false;
        h.files.Put(u"/cal/notes.ics", std::vector<uint8_t>{'n', 'o', 't', 'e', 's'});
        h.dialogs.Answers = {u"/cal/notes.ics"};
        DateAnswer date(QDate(2024, 3, 26));
        f.Action("FileImportICal")->trigger();
        QCOMPARE(Items(f.ShownSchedule), QStringList({"自由"}));
        QVERIFY(!f.SchModified);
        QVERIFY(h.prompter.History.back().Text.find(u"iCalendar") != std::u16string::npos);
        QVERIFY(h.prompter.History.back().Text.find(u"/cal/notes.ics") != std::u16string::npos);

        // Cancelling the date imports nothing either.
        h.files.Put(u"/cal/team.ics", TeamCalendar());
        h.dialogs.Answers = {u"/cal/team.ics"};
        ModalAnswer cancel([](QDialog *d) { d->reject(); });
        f.Action("FileImportICal")->trigger();
        QVERIFY(cancel.Seen());
        QCOMPARE(Items(f.ShownSchedule), QStringList({"自由"}));
    }
};

QTEST_MAIN(TestImportICal)
#include "tst_import_ical.moc"
