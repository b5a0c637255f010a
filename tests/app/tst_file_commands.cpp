// File commands, the recent-files list and the settings kept between runs, on fake files.
#include "app/KTFileLogOnMenu.h"
#include "app/WindowHarness.h"
#include "model/KMessageCatalog.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWindow>
#include <functional>

using namespace KMessageCatalog;

namespace {
QString Q(const std::u16string &s)
{
    return QString::fromStdU16String(s);
}

KDaySchedule Schedule(std::initializer_list<const char16_t *> items)
{
    KDaySchedule s;
    uint8_t hour = 0;
    for (const char16_t *item : items) {
        s.AppendFrame(KScheduleFrame(KSchTime{hour, 0, 0}, KSchTime{2, 0, 0}, item, 0x00FF00, u""));
        hour = uint8_t(hour + 2);
    }
    return s;
}

void PutSchedule(WindowHarness &h, const std::u16string &path, const KDaySchedule &s,
                 const std::u16string &title)
{
    h.files.Put(path, KScheduleFile::BuildImage(s, title));
}

std::u16string ItemOf(const TOrvellaForm &f, int i)
{
    return f.ShownSchedule.GetFrame(i)->ItemName;
}

// The last message box shown carries this catalogue text.
bool LastBoxSays(const WindowHarness &h, int code)
{
    return !h.prompter.History.empty() &&
           h.prompter.History.back().Text.find(Text(code, 0)) != std::u16string::npos;
}

// A schedule read back from the fake files.
std::optional<KDaySchedule> ReadBack(WindowHarness &h, const std::u16string &path)
{
    KScheduleFile f(h.files, h.prompter);
    f.SetFileName(path);
    if (!h.files.Exists(path) || !f.ReadSchedule())
        return std::nullopt;
    return *f.Schedule;
}
} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private slots:
    void openReadsAFileAndShowsItsTitle()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutSchedule(h, u"/d/day.ors", Schedule({u"朝", u"仕事", u"昼食"}), u"平日");
        h.dialogs.Answers = {u"/d/day.ors"};
        f.Action("FileOpen")->trigger();
        QCOMPARE(f.ShownSchedule.GetCount(), 3);
        QCOMPARE(Q(ItemOf(f, 2)), QString("昼食"));
        QCOMPARE(f.SchTitleEdit->text(), QString("平日"));
        QCOMPARE(f.SchTitleEdit->toolTip(), QString("/d/day.ors"));
        QCOMPARE(f.SchFileName, QString("/d/day.ors"));
        QCOMPARE(f.DayFileName, QString("/d/day.ors"));
        QVERIFY(!f.SchModified);
        QVERIFY(h.prompter.History.empty());
        // The dialog offered both kinds of file first.
        QCOMPARE(h.dialogs.History.size(), size_t(1));
        QVERIFY(Q(h.dialogs.History[0].Request.Filter)
                    .startsWith("すべてのスケジューラー・ファイル (*.ors, *.orw)|*.ors;*.orw|"));
        QCOMPARE(h.dialogs.History[0].Request.FilterIndex, 1);
    }

    void openRefusesMissingForeignAndDamagedFiles()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutSchedule(h, u"/d/day.ors", Schedule({u"朝", u"仕事"}), u"");
        h.dialogs.Answers = {u"/d/day.ors"};
        f.Action("FileOpen")->trigger();

        // Gone between the dialog and the check: message 16.
        h.dialogs.Answers = {u"/d/gone.ors"};
        f.Action("FileOpen")->trigger();
        QVERIFY(LastBoxSays(h, FileMissing));
        QVERIFY(h.prompter.History.back().Text.find(u"/d/gone.ors") != std::u16string::npos);

        // A ".ors" name with another signature: message 21.
        h.files.Put(u"/d/notes.ors", std::vector<uint8_t>(300, 'x'));
        h.dialogs.Answers = {u"/d/notes.ors"};
        f.Action("FileOpen")->trigger();
        QVERIFY(LastBoxSays(h, DamagedFile));

        // The right signature but cut short: the reader's message, nothing replaced.
        std::vector<uint8_t> cut = KScheduleFile::BuildImage(Schedule({u"A", u"B"}), u"");
        cut.resize(cut.size() - 5);
        h.files.Put(u"/d/cut.ors", cut);
        h.dialogs.Answers = {u"/d/cut.ors"};
        f.Action("FileOpen")->trigger();
        QVERIFY(LastBoxSays(h, DamagedFile));

        // Another user's private file and a folder cannot be opened; they are not called damaged.
        h.files.Put(u"/d/theirs.ors", KScheduleFile::BuildImage(Schedule({u"A"}), u""));
        h.files.FailOpen.insert(u"/d/theirs.ors");
        h.files.Folders.insert(u"/d/folder.ors");
        for (const char16_t *path : {u"/d/theirs.ors", u"/d/folder.ors"}) {
            h.dialogs.Answers = {path};
            f.Action("FileOpen")->trigger();
            QVERIFY(LastBoxSays(h, CannotOpen));
            QVERIFY(h.prompter.History.back().Text.find(path) != std::u16string::npos);
        }

        QCOMPARE(f.ShownSchedule.GetCount(), 2);
        QCOMPARE(Q(ItemOf(f, 1)), QString("仕事"));
        QCOMPARE(f.SchFileName, QString("/d/day.ors"));
    }

    void unsavedChangesAreProtected()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutSchedule(h, u"/d/other.ors", Schedule({u"X"}), u"");
        f.ShownSchedule.AppendFrame(KScheduleFrame(KSchTime{1, 0, 0}, KSchTime{1, 0, 0}, u"変更", 0, u""));
        f.SchModified = true;

        // Cancel: nothing happens and no dialog opens.
        h.prompter.Answers = {KMsgAnswer::Cancel};
        f.Action("FileOpen")->trigger();
        QCOMPARE(f.ShownSchedule.GetCount(), 2);
        QVERIFY(h.dialogs.History.empty());
        QCOMPARE(h.prompter.History.back().Caption, Text(CaptionNew, 0));
        QCOMPARE(h.prompter.History.back().Buttons, KMsgButtons::YesNoCancel);

        // Yes without a file runs Save As; cancelling it keeps the schedule and stops New.
        h.prompter.Answers = {KMsgAnswer::Yes};
        f.Action("FileNew1")->trigger();
        QCOMPARE(h.dialogs.History.size(), size_t(1));
        QVERIFY(h.dialogs.History.back().Save);
        QVERIFY(f.SaveAsCancelled);
        QCOMPARE(f.ShownSchedule.GetCount(), 2);
        QVERIFY(f.SchModified);

        // Closing: Yes, Save As cancelled, the window stays open.
        f.show();
        h.prompter.Answers = {KMsgAnswer::Yes};
        QVERIFY(!f.close());
        QVERIFY(f.isVisible());

        // Yes and a name: the schedule is written under it and New goes on.
        h.prompter.Answers = {KMsgAnswer::Yes};
        h.dialogs.Answers = {u"/d/plan"};
        f.Action("FileNew1")->trigger();
        auto saved = ReadBack(h, u"/d/plan.ors");
        QVERIFY(saved);
        QCOMPARE(saved->GetCount(), 2);
        QCOMPARE(f.ShownSchedule.GetCount(), 1);
        QVERIFY(f.SchFileName.isEmpty());
        QCOMPARE(f.DayFileName, QString("/d/plan.ors"));

        // No: the change is dropped without writing.
        f.ShownSchedule.AppendFrame(KScheduleFrame(KSchTime{3, 0, 0}, KSchTime{1, 0, 0}, u"捨てる", 0, u""));
        f.SchModified = true;
        const size_t writes = h.files.Ops.size();
        h.prompter.Answers = {KMsgAnswer::No};
        h.dialogs.Answers = {u"/d/other.ors"};
        f.Action("FileOpen")->trigger();
        QCOMPARE(Q(ItemOf(f, 0)), QString("X"));
        QCOMPARE(h.files.Ops.size(), writes);
    }

    // A Save As that writes nothing, because the user declined to replace a file or the write
    // failed, stops the New, Open or close that asked for it and keeps the changes.
    void chainedCommandsStopWhenSaveAsWritesNothing()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutSchedule(h, u"/d/keep.ors", Schedule({u"K"}), u"");
        PutSchedule(h, u"/d/other.ors", Schedule({u"O"}), u"");
        f.ShownSchedule.AppendFrame(KScheduleFrame(KSchTime{1, 0, 0}, KSchTime{1, 0, 0}, u"変更", 0, u""));
        f.SchModified = true;
        f.show();
        const auto unchanged = [&] {
            return f.isVisible() && f.SchModified && f.ShownSchedule.GetCount() == 2 &&
                   Q(ItemOf(f, 1)) == "変更" && f.SchFileName.isEmpty();
        };
        const std::vector<std::function<void()>> commands = {
            [&] { f.Action("FileNew1")->trigger(); },
            [&] { f.Action("FileOpen")->trigger(); },
            [&] { QVERIFY(!f.close()); },
        };
        for (size_t c = 0; c < commands.size(); ++c) {
            // Yes to saving, an existing name, Cancel to replacing it.
            h.prompter.Answers = {KMsgAnswer::Yes, KMsgAnswer::Cancel};
            h.dialogs.Answers = {u"/d/keep.ors", u"/d/other.ors"};
            commands[c]();
            QVERIFY2(unchanged(), qPrintable(QString("declined, command %1").arg(c)));
            QCOMPARE(h.dialogs.Answers.size(), size_t(1)); // no open dialog came
            QCOMPARE(ReadBack(h, u"/d/keep.ors")->GetCount(), 1);

            // Yes to saving, a new name, and the device refuses the write.
            h.files.FailFlushes = true;
            h.prompter.Answers = {KMsgAnswer::Yes};
            h.dialogs.Answers = {u"/d/new.ors", u"/d/other.ors"};
            commands[c]();
            h.files.FailFlushes = false;
            QVERIFY2(unchanged(), qPrintable(QString("failed, command %1").arg(c)));
            QVERIFY(LastBoxSays(h, CannotCreate));
            QVERIFY(!h.files.Exists(u"/d/new.ors"));
            QCOMPARE(h.dialogs.Answers.size(), size_t(1));
        }
    }

    void saveWritesBackupAndRefusesWhatCannotBeWritten()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        PutSchedule(h, u"/d/day.ors", Schedule({u"A"}), u"");
        h.dialogs.Answers = {u"/d/day.ors"};
        f.Action("FileOpen")->trigger();
        f.ShownSchedule.AppendFrame(KScheduleFrame(KSchTime{2, 0, 0}, KSchTime{1, 0, 0}, u"B", 0, u""));
        f.SchModified = true;

        f.Action("FileOverwrite1")->trigger();
        QCOMPARE(ReadBack(h, u"/d/day.ors")->GetCount(), 2);
        QCOMPARE(ReadBack(h, u"/d/day.BAK")->GetCount(), 1);
        QVERIFY(!f.SchModified);

        // Read-only: message 18, nothing written, and a close stays open.
        f.ShownSchedule.AppendFrame(KScheduleFrame(KSchTime{4, 0, 0}, KSchTime{1, 0, 0}, u"C", 0, u""));
        f.SchModified = true;
        h.files.ReadOnly.insert(u"/d/day.ors");
        f.show();
        h.prompter.Answers = {KMsgAnswer::Yes};
        QVERIFY(!f.close());
        QVERIFY(LastBoxSays(h, ReadOnlyFile));
        QCOMPARE(ReadBack(h, u"/d/day.ors")->GetCount(), 2);
        QVERIFY(f.SchModified);

        // Another user's file the folder would let us replace: the same message, with the name.
        h.files.ReadOnly.clear();
        h.files.Unwritable.insert(u"/d/day.ors");
        f.Action("FileOverwrite1")->trigger();
        QCOMPARE(h.prompter.History.back().Text, ComposeWithFileName(ReadOnlyFile, u"/d/day.ors", 0));
        QCOMPARE(ReadBack(h, u"/d/day.ors")->GetCount(), 2);
        QVERIFY(f.SchModified);
        h.files.Unwritable.clear();

        // The file vanished: message 16, nothing written.
        h.files.ReadOnly.clear();
        h.files.Files.erase(u"/d/day.ors");
        f.Action("FileOverwrite1")->trigger();
        QVERIFY(LastBoxSays(h, FileMissing));
        QVERIFY(!h.files.Exists(u"/d/day.ors"));

        // A write that fails keeps the change mark.
        h.files.Put(u"/d/day.ors", KScheduleFile::BuildImage(Schedule({u"A"}), u""));
        h.files.FailAllCreates = true;
        f.Action("FileOverwrite1")->trigger();
        QVERIFY(f.SchModified);
    }

    void saveAsAddsTheExtensionAndHonoursADeclinedReplace()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        h.dialogs.Answers = {u"/d/plan"};
        f.Action("FileSaveAs1")->trigger();
        QVERIFY(ReadBack(h, u"/d/plan.ors"));
        QCOMPARE(f.SchFileName, QString("/d/plan.ors"));

        h.dialogs.Answers = {u"/d/plan.txt"};
        f.Action("FileSaveAs1")->trigger();
        QVERIFY(ReadBack(h, u"/d/plan.txt"));
        QVERIFY(!h.files.Exists(u"/d/plan.txt.ors"));
        QCOMPARE(h.dialogs.History.back().Request.FileName, std::u16string(u"/d/plan.ors"));

        // Replacing is asked; declining leaves the name and the change mark.
        PutSchedule(h, u"/d/keep.ors", Schedule({u"K1", u"K2", u"K3"}), u"");
        f.SchModified = true;
        h.prompter.Answers = {KMsgAnswer::Cancel};
        h.dialogs.Answers = {u"/d/keep.ors"};
        f.Action("FileSaveAs1")->trigger();
        QCOMPARE(ReadBack(h, u"/d/keep.ors")->GetCount(), 3);
        QCOMPARE(f.SchFileName, QString("/d/plan.txt"));
        QVERIFY(f.SchModified);
    }

    void recentFilesKeepTenNewestFirst()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        for (int i = 0; i < 12; ++i) {
            const std::u16string path = u"/d/f" + QString::number(i).toStdU16String() + u".ors";
            PutSchedule(h, path, Schedule({u"A"}), u"");
            h.dialogs.Answers = {path};
            f.Action("FileOpen")->trigger();
        }
        QCOMPARE(f.FileLogMenu->Count(), 10);
        QCOMPARE(f.FileLogMenu->Path(0), QString("/d/f11.ors"));
        QCOMPARE(f.FileLogMenu->Path(9), QString("/d/f2.ors"));

        // Reopening an entry moves it to the top without a duplicate.
        f.FileLogMenu->EntryAction(5)->trigger();
        QCOMPARE(f.SchFileName, QString("/d/f6.ors"));
        QCOMPARE(f.FileLogMenu->Count(), 10);
        QCOMPARE(f.FileLogMenu->Path(0), QString("/d/f6.ors"));
        QCOMPARE(f.FileLogMenu->Path(1), QString("/d/f11.ors"));

        // In the menu: the entries just above Exit, with one separator between them and Exit.
        const QList<QAction *> items = f.FILE_Menu->actions();
        const int exitAt = int(items.indexOf(f.Action("FileExit1")));
        QVERIFY(exitAt > 0);
        QVERIFY(items[exitAt - 1]->isSeparator());
        QCOMPARE(items[exitAt - 11]->text(), QString("&0: /d/f6.ors"));
        QCOMPARE(items[exitAt - 2]->text(), QString("&9: /d/f2.ors"));
        QVERIFY(items[exitAt - 12]->isSeparator());

        // An entry whose file has gone is refused with message 16 and changes nothing.
        h.files.Files.erase(u"/d/f11.ors");
        f.FileLogMenu->EntryAction(1)->trigger();
        QVERIFY(LastBoxSays(h, FileMissing));
        QCOMPARE(f.SchFileName, QString("/d/f6.ors"));
    }

    // The recent list holds only files that opened or were saved, and the next start opens the
    // newest of them that still opens: each window lifetime here is a real start and close.
    void recentListLeadsEachStartToTheLastGoodFile()
    {
        WindowHarness h(QSize(1024, 768), false);
        PutSchedule(h, u"/d/good.ors", Schedule({u"朝", u"仕事"}), u"");
        std::vector<uint8_t> cut = KScheduleFile::BuildImage(Schedule({u"A", u"B"}), u"");
        cut.resize(cut.size() - 5);
        h.files.Put(u"/d/cut.ors", cut);
        {
            TOrvellaForm &f = *h.form;
            h.dialogs.Answers = {u"/d/good.ors"};
            f.Action("FileOpen")->trigger();
            // A file that fails to open is not offered again.
            h.dialogs.Answers = {u"/d/cut.ors"};
            f.Action("FileOpen")->trigger();
            QVERIFY(LastBoxSays(h, DamagedFile));
            QCOMPARE(f.FileLogMenu->PathsOldestFirst(), QStringList{"/d/good.ors"});
            // Save As puts the saved file on top.
            h.dialogs.Answers = {u"/d/saved"};
            f.Action("FileSaveAs1")->trigger();
            QCOMPARE(f.FileLogMenu->PathsOldestFirst(), (QStringList{"/d/good.ors", "/d/saved.ors"}));
        }
        h.prompter.History.clear();
        h.Build();
        QCOMPARE(h.form->SchFileName, QString("/d/saved.ors"));
        QCOMPARE(Q(ItemOf(*h.form, 1)), QString("仕事"));
        QVERIFY(h.prompter.History.empty());

        // The saved file is damaged behind the planner's back: the next start says so once,
        // drops it and opens the last good file instead; the start after that is quiet.
        h.files.Put(u"/d/saved.ors", cut);
        h.Build();
        QVERIFY(LastBoxSays(h, DamagedFile));
        QCOMPARE(h.form->SchFileName, QString("/d/good.ors"));
        QCOMPARE(h.form->FileLogMenu->PathsOldestFirst(), QStringList{"/d/good.ors"});
        h.prompter.History.clear();
        h.Build();
        QCOMPARE(h.form->SchFileName, QString("/d/good.ors"));
        QVERIFY(h.prompter.History.empty());

        // A file that is gone is dropped without a word; with no file left the start is empty.
        h.files.Files.erase(u"/d/good.ors");
        h.Build();
        QVERIFY(h.prompter.History.empty());
        QCOMPARE(h.form->FileLogMenu->Count(), 0);
        QVERIFY(h.form->SchFileName.isEmpty());
        // No separator of the list is left behind: one separator above Exit, as with no list.
        const QList<QAction *> items = h.form->FILE_Menu->actions();
        const qsizetype exitAt = items.indexOf(h.form->Action("FileExit1"));
        QVERIFY(items[exitAt - 1]->isSeparator() && !items[exitAt - 2]->isSeparator());
    }

    // The title names the open file and shows whether it changed, as desktop programs do.
    void titleShowsTheFileAndItsChangedMark()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        QVERIFY(f.windowHandle());
        QCOMPARE(f.windowHandle()->title(), QString("Orvella"));
        PutSchedule(h, u"/d/plan.ors", Schedule({u"朝", u"仕事"}), u"");
        h.dialogs.Answers = {u"/d/plan.ors"};
        f.Action("FileOpen")->trigger();
        QCOMPARE(f.windowFilePath(), QString("/d/plan.ors"));
        QCOMPARE(f.windowHandle()->title(), QString("plan.ors"));
        // A change in scheduling mode marks the title; saving clears the mark.
        f.Action("EditScheduling")->trigger();
        f.SchTitleEdit->setFocus();
        QTest::keyClicks(f.SchTitleEdit, "x");
        f.Action("EditScheduling")->trigger();
        QVERIFY(f.SchModified);
        QCOMPARE(f.windowHandle()->title(), QString("plan.ors*"));
        f.Action("FileOverwrite1")->trigger();
        QCOMPARE(f.windowHandle()->title(), QString("plan.ors"));
        // Save As renames it; New leaves the program's name alone.
        h.dialogs.Answers = {u"/d/copy.ors"};
        f.Action("FileSaveAs1")->trigger();
        QCOMPARE(f.windowHandle()->title(), QString("copy.ors"));
        f.Action("FileNew1")->trigger();
        QCOMPARE(f.windowHandle()->title(), QString("Orvella"));
    }

    void recentEntriesShowAmpersandsAndKeepDistinctCases()
    {
        QMenu menu;
        KTFileLogOnMenu log(&menu, 0);
        log.Add("/d/R&D.ors");
        log.Add("/d/r&d.ors");
        QCOMPARE(log.Count(), 2);
        QCOMPARE(log.EntryAction(1)->text(), QString("&1: /d/R&&D.ors"));
        QString picked;
        log.OnClick = [&](const QString &p) { picked = p; };
        log.EntryAction(1)->trigger();
        QCOMPARE(picked, QString("/d/R&D.ors"));
    }

    void settingsSurviveARestart()
    {
        WindowHarness h(QSize(1024, 768), false);
        PutSchedule(h, u"/d/day.ors", Schedule({u"朝", u"仕事"}), u"毎日");
        PutSchedule(h, u"/d/old.ors", Schedule({u"古い"}), u"");
        {
            TOrvellaForm &f = *h.form;
            h.dialogs.Answers = {u"/d/old.ors"};
            f.Action("FileOpen")->trigger();
            h.dialogs.Answers = {u"/d/day.ors"};
            f.Action("FileOpen")->trigger();
            f.SetClock24H(true, 0);
            f.SetClockSeconds(true, 0);
            f.SetCurTimeMark(false);
            f.SetOneHourGScale(true);
            f.SetStartWithLastView(true);
            f.SwitchView(TOrvellaForm::vtPie);
            f.WeekConfig.AutoOpen = true;
            f.AlarmConfig.SetPointCount(4);
            f.AlarmConfig.SetMinutes(2, 17);
            f.AlarmConfig.SetSoundFile(3, u"/s/bell.wav");
        }
        h.Build();
        TOrvellaForm &g = *h.form;
        QVERIFY(g.Clock24H && g.ClockSeconds && g.OneHourGScale && g.StartWithLastView);
        QVERIFY(!g.CurTimeMark);
        QVERIFY(!g.Action("OptCTimeMark")->isChecked());
        QCOMPARE(g.ViewType, int(TOrvellaForm::vtPie));
        QVERIFY(g.SchPie != nullptr);
        QCOMPARE(g.SchFileName, QString("/d/day.ors"));
        QCOMPARE(g.SchTitleEdit->text(), QString("毎日"));
        QCOMPARE(g.ShownSchedule.GetCount(), 2);
        QCOMPARE(g.FileLogMenu->Count(), 2);
        QCOMPARE(g.FileLogMenu->Path(1), QString("/d/old.ors"));
        QVERIFY(g.WeekConfig.AutoOpen);
        QVERIFY(g.WkAutoOpenCheckBox->isChecked());
        QCOMPARE(g.AlarmConfig.GetMinutes(2), 17);
        QCOMPARE(Q(g.AlarmConfig.GetSoundFile(3)), QString("/s/bell.wav"));
        QVERIFY(h.prompter.History.empty());
    }

    // A settings file damaged in its third block (the recent files): the options start at their
    // values, but the alarm points and the week options of the first two blocks are kept and in
    // effect; the close keeps the damaged file as OrvellaEnv.ore.damaged before writing anew.
    void damagedSettingsKeepWhatTheyHoldAndACopy()
    {
        WindowHarness h(QSize(1024, 768), false, false);
        const std::u16string path = h.appData.SettingsFilePath();
        KSchAlarmConfig alarm(4);
        alarm.SetMinutes(3, 25);
        alarm.SetPointOn(3, true);
        alarm.AlarmTypes = KSchAlarmConfig::PopupAlarm;
        KWeekSchConfig week;
        week.AutoOpen = true;
        week.AutoReadFile = u"/w/週.orw";
        KOrvellaEnv env(h.files, h.prompter, h.appData);
        env.AlarmConfigRef = &alarm;
        env.WeekConfigRef = &week;
        env.OptionBits = 0x1F;
        env.SavedViewType = 200;
        env.RecentFiles = {u"/d/x.ors"};
        std::vector<uint8_t> image = env.BuildImage();
        const size_t weekAt = 128 + size_t(image[128] | (image[129] << 8));
        const size_t recentAt = weekAt + size_t(image[weekAt] | (image[weekAt + 1] << 8));
        image[recentAt + 4] = 7; // seven names said, one there
        h.files.Put(path, image);

        h.Build();
        TOrvellaForm &f = *h.form;
        QVERIFY(!f.Clock24H && f.CurTimeMark && !f.StartWithLastView);
        QCOMPARE(f.FileLogMenu->Count(), 0);
        QCOMPARE(f.AlarmConfig.GetMinutes(3), 25);
        QVERIFY(f.AlarmConfig.IsPointOn(3));
        QVERIFY(f.WkAutoOpenCheckBox->isChecked());
        QCOMPARE(Q(f.WeekConfig.AutoReadFile), QString("/w/週.orw"));
        QVERIFY(h.prompter.History.empty());

        h.form.reset();
        QCOMPARE(h.files.Get(path + u".damaged"), image);
        KSchAlarmConfig alarmAgain;
        KWeekSchConfig weekAgain;
        KOrvellaEnv again(h.files, h.prompter, h.appData);
        again.AlarmConfigRef = &alarmAgain;
        again.WeekConfigRef = &weekAgain;
        QCOMPARE(again.ReadSettings(path), 0);
        QCOMPARE(int(again.OptionBits), int(KOrvellaEnv::OptCurTimeMark));
        QCOMPARE(alarmAgain.GetMinutes(3), 25);
        QVERIFY(weekAgain.AutoOpen);

        // The file is sound again: the next close writes it without another copy.
        h.files.Files.erase(path + u".damaged");
        h.Build();
        h.form.reset();
        QVERIFY(!h.files.Exists(path + u".damaged"));
    }

    // Logging out quits the application without closing the window; the end of the event loop
    // and the window's own end then write the settings once, and a failing write is reported once.
    void settingsAreWrittenOnceAtTheEnd()
    {
        for (const bool failing : {false, true}) {
            WindowHarness h(QSize(1024, 768), false);
            const std::u16string path = h.appData.SettingsFilePath();
            QVERIFY(!h.files.Exists(path));
            h.form->SetClock24H(true, 0);
            h.files.FailFlushes = failing;
            const size_t boxes = h.prompter.History.size();
            QVERIFY(QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection));
            h.form.reset();
            if (failing) {
                QCOMPARE(h.prompter.History.size(), boxes + 1);
                QVERIFY(LastBoxSays(h, CannotCreate));
                continue;
            }
            size_t writes = 0;
            for (const KFakeFileSystem::Op &op : h.files.Ops)
                writes += op.Kind == KFakeFileSystem::OpKind::Rename && op.Target == path ? 1 : 0;
            QCOMPARE(writes, size_t(1));
            KSchAlarmConfig alarm;
            KWeekSchConfig week;
            KOrvellaEnv env(h.files, h.prompter, h.appData);
            env.AlarmConfigRef = &alarm;
            env.WeekConfigRef = &week;
            QCOMPARE(env.ReadSettings(path), 0);
            QVERIFY(env.OptionBits & KOrvellaEnv::OptClock24H);
        }
    }

    void unknownSavedViewStartsTheList()
    {
        WindowHarness h(QSize(1024, 768), false, false);
        KSchAlarmConfig alarm;
        KWeekSchConfig week;
        KOrvellaEnv env(h.files, h.prompter, h.appData);
        env.AlarmConfigRef = &alarm;
        env.WeekConfigRef = &week;
        env.OptionBits = KOrvellaEnv::OptStartWithLastView;
        env.SavedViewType = 200;
        h.files.Put(h.appData.SettingsFilePath(), env.BuildImage());
        h.Build();
        QCOMPARE(h.form->ViewType, int(TOrvellaForm::vtList));
        QVERIFY(h.form->SchList != nullptr);
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
