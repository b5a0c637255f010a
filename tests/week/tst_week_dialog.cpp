// The week schedule dialog on fake files, prompts and file dialogs.
#include "model/KMessageCatalog.h"
#include "platform/fakes/KFakeFileDialogs.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"
#include "week/TKWeekSchCfgDialog.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using namespace KMessageCatalog;

namespace {
struct Fixture {
    KFakeFileSystem files;
    KFakePrompter prompter;
    KFakeFileDialogs dialogs;
    std::unique_ptr<TKWeekSchCfgDialog> dialog;

    explicit Fixture(int language = 0)
    {
        KDaySchedule s;
        s.AppendFrame(KScheduleFrame(KSchTime{0, 0, 0}, KSchTime{24, 0, 0}, u"A", 0, u""));
        files.Put(u"/d/a.ors", KScheduleFile::BuildImage(s, u""));
        files.Put(u"/d/b.ors", KScheduleFile::BuildImage(s, u""));
        // The right signature but a frame count of 0.
        files.Put(u"/d/empty.ors", KScheduleFile::BuildImage(KDaySchedule(), u""));
        KWeekSchConfig week;
        week.SetDayFile(1, u"/d/a.ors");
        files.Put(u"/d/week.orw", KWeekSchFile::BuildImage(week));
        KPlatform p;
        p.Files = &files;
        p.Prompter = &prompter;
        p.FileDialogs = &dialogs;
        dialog = std::make_unique<TKWeekSchCfgDialog>(nullptr, KWeekSchConfig(), language, p);
    }

    std::optional<KWeekSchConfig> Read(const std::u16string &path)
    {
        KWeekSchFile f(files, prompter);
        f.SetFileName(path);
        if (!files.Exists(path) || !f.ReadWeekSchedule())
            return std::nullopt;
        return *f.Config;
    }

    bool LastBoxSays(int code) const
    {
        return !prompter.History.empty() &&
               prompter.History.back().Text.find(Text(code, 0)) != std::u16string::npos;
    }
};
} // namespace

class TestWeekDialog : public QObject {
    Q_OBJECT

private slots:
    void textsAndLayoutFollowTheLanguage()
    {
        Fixture ja(0), en(1);
        QCOMPARE(ja.dialog->windowTitle(), QString("週間スケジュール作成"));
        QCOMPARE(ja.dialog->DayLabels[2]->text(), QString("火"));
        QCOMPARE(en.dialog->windowTitle(), QString("Create Weekly Schedule"));
        QCOMPARE(en.dialog->DayLabels[2]->text(), QString("TUE"));
        QCOMPARE(ja.dialog->WeekSchListPanel->geometry(), QRect(0, 26, 364, 245));
        QCOMPARE(ja.dialog->DayPanels[1]->y() - ja.dialog->DayPanels[0]->y(), 26);
        QCOMPARE(ja.dialog->DayFileNameEdits[0]->width(), 260);
        QCOMPARE(ja.dialog->DayOpenFileButtons[0]->size(), QSize(33, 21));
        QVERIFY(ja.dialog->DayFileNameEdits[4]->isReadOnly());
    }

    void choosingDayFilesAndSavingAs()
    {
        Fixture t;
        TKWeekSchCfgDialog &d = *t.dialog;
        // A file whose frame count is 0 is refused.
        t.dialogs.Answers = {u"/d/empty.ors"};
        d.openFileButtonClick(3);
        QVERIFY(t.LastBoxSays(DamagedFile));
        QVERIFY(d.DayFiles[3].isEmpty());
        QVERIFY(!d.Changed);

        t.dialogs.Answers = {u"/d/b.ors"};
        d.openFileButtonClick(3);
        QCOMPARE(d.DayFiles[3], QString("/d/b.ors"));
        QCOMPARE(d.DayFileNameEdits[3]->text(), QString("b.ors"));
        QCOMPARE(d.DayFileNameEdits[3]->toolTip(), QString("/d/b.ors"));
        QVERIFY(d.Changed && !d.Saved);
        QVERIFY(t.dialogs.History.back().Request.Filter.find(u"(*.ors)") != std::u16string::npos);

        // Without a name, Save runs Save As; the extension is added.
        t.dialogs.Answers = {u"/d/week1"};
        d.SaveExecute();
        auto written = t.Read(u"/d/week1.orw");
        QVERIFY(written);
        QCOMPARE(written->GetDayFile(3), std::u16string(u"/d/b.ors"));
        QVERIFY(d.Saved);

        t.dialogs.Answers = {u"/d/week1.txt"};
        d.SaveAsExecute();
        QVERIFY(t.Read(u"/d/week1.txt"));
    }

    void aFailedWriteIsNotSaved()
    {
        Fixture t;
        TKWeekSchCfgDialog &d = *t.dialog;
        d.LoadWeekFile("/d/week.orw");
        t.dialogs.Answers = {u"/d/b.ors"};
        d.openFileButtonClick(0);
        t.files.FailAllCreates = true;
        d.SaveExecute();
        QVERIFY(!d.Saved);
        // Closing asks; answering Yes with a save that fails again keeps the dialog open.
        t.prompter.Answers = {KMsgAnswer::Yes};
        QVERIFY(!d.CanCloseDialog());
        t.files.FailAllCreates = false;
        t.prompter.Answers = {KMsgAnswer::Yes};
        QVERIFY(d.CanCloseDialog());
        QCOMPARE(t.Read(u"/d/week.orw")->GetDayFile(0), std::u16string(u"/d/b.ors"));
    }

    void saveRefusesReadOnlyAndMissingFiles()
    {
        Fixture t;
        TKWeekSchCfgDialog &d = *t.dialog;
        d.LoadWeekFile("/d/week.orw");
        QCOMPARE(d.FileNameEdit->text(), QString("week.orw"));
        QCOMPARE(d.DayFiles[1], QString("/d/a.ors"));
        t.files.ReadOnly.insert(u"/d/week.orw");
        d.SaveExecute();
        QVERIFY(t.LastBoxSays(ReadOnlyFile));
        t.files.ReadOnly.clear();
        t.files.Files.erase(u"/d/week.orw");
        d.SaveExecute();
        QVERIFY(t.LastBoxSays(FileMissing));
        QVERIFY(!t.files.Exists(u"/d/week.orw"));
    }

    void aWeekFileThatCannotBeReadChangesNothing()
    {
        Fixture t;
        TKWeekSchCfgDialog &d = *t.dialog;
        d.LoadWeekFile("/d/week.orw");
        t.files.Put(u"/d/notweek.orw", std::vector<uint8_t>(200, 'z'));
        d.LoadWeekFile("/d/notweek.orw");
        QVERIFY(!t.prompter.History.empty());
        QCOMPARE(d.WeekFileName, QString("/d/week.orw"));
        QCOMPARE(d.FileNameEdit->text(), QString("week.orw"));
        QCOMPARE(d.DayFiles[1], QString("/d/a.ors"));
        // So saving now writes the week file that was read, not the foreign one.
        d.SaveExecute();
        QCOMPARE(t.files.Get(u"/d/notweek.orw")->size(), size_t(200));

        d.LoadWeekFile("/d/missing.orw");
        QVERIFY(t.LastBoxSays(FileMissing));
        QCOMPARE(d.WeekFileName, QString("/d/week.orw"));
    }

    void closeQuestionAndNew()
    {
        Fixture t;
        TKWeekSchCfgDialog &d = *t.dialog;
        QVERIFY(d.CanCloseDialog());
        QVERIFY(t.prompter.History.empty());
        t.dialogs.Answers = {u"/d/a.ors"};
        d.openFileButtonClick(1);
        t.prompter.Answers = {KMsgAnswer::Cancel};
        QVERIFY(!d.CanCloseDialog());
        QCOMPARE(t.prompter.History.back().Text,
                 std::u16string(u"週間スケジュールが変更されています。保存しますか？"));
        t.prompter.Answers = {KMsgAnswer::No};
        QVERIFY(d.CanCloseDialog());

        // New empties every row and the name without asking.
        d.LoadWeekFile("/d/week.orw");
        const size_t boxes = t.prompter.History.size();
        d.NewWeekSchExecute();
        for (const QString &p : d.DayFiles)
            QVERIFY(p.isEmpty());
        QVERIFY(d.FileNameEdit->text().isEmpty());
        QVERIFY(d.WeekFileName.isEmpty());
        QCOMPARE(t.prompter.History.size(), boxes);
    }

    void typingIntoADayEditShowsMessage33()
    {
        Fixture t;
        TKWeekSchCfgDialog &d = *t.dialog;
        QTest::keyClick(d.DayFileNameEdits[2], Qt::Key_A);
        QVERIFY(t.LastBoxSays(SelectWithFileButton));
        QVERIFY(d.DayFileNameEdits[2]->text().isEmpty());
    }

    void cancelButtonClosesAShownDialog()
    {
        Fixture t;
        TKWeekSchCfgDialog &d = *t.dialog;
        bool closedByCancel = false;
        QTimer::singleShot(0, &d, [&] {
            closedByCancel = d.isVisible();
            d.CancelBtn->click();
        });
        // A dialog left open would fail the wait below rather than hang the test.
        QTimer::singleShot(5000, &d, [&] { d.QDialog::done(QDialog::Accepted); });
        QCOMPARE(d.exec(), int(QDialog::Rejected));
        QVERIFY(closedByCancel);
    }
};

QTEST_MAIN(TestWeekDialog)
#include "tst_week_dialog.moc"
