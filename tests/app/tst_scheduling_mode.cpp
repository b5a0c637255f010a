#include "app/WindowHarness.h"
#include "app/dialogs/TKClock.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/TKCurSchView.h"
#include "graphs/TKSchGraphView.h"
#include "listedit/KScheduleList.h"
#include "listedit/KTTimeEntryComb.h"
#include "listedit/KToptionPanel_I.h"
#include "listedit/KToptionPanel_II.h"
#include "listedit/TKSchConfSimpleDialog.h"
#include "model/KMessageCatalog.h"
#include "platform/fakes/KFakeClipboard.h"
#include "storage/KScheduleFile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <functional>

namespace {
struct Window : WindowHarness {
    bool Active = false;
    Window() : WindowHarness(QSize(1024, 768), false)
    {
        form->activateWindow();
        Active = QTest::qWaitForWindowActive(form.get());
    }
};

// Saves a picture of the widget when ORVELLA_SHOT_DIR is set.
void Shot(QWidget *w, const char *name)
{
    const QString dir = qEnvironmentVariable("ORVELLA_SHOT_DIR");
    if (!dir.isEmpty())
        w->grab().save(dir + "/" + name + ".png");
}

QPoint CellCenter(KScheduleList *l, int row, int col)
{
    return l->CellRect(row, col).center() - l->viewport()->geometry().topLeft();
}

void ClickCell(KScheduleList *l, int row, int col)
{
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, CellCenter(l, row, col));
}

// Types into a time cell: the first digit opens the time entry on the list, the rest go to
// the entry's hour box, Enter commits.
void TypeTime(KScheduleList *l, int row, int col, const QString &hours)
{
    ClickCell(l, row, col);
    QTest::keyClick(l, Qt::Key(Qt::Key_0 + hours.at(0).digitValue()));
    QTRY_VERIFY(l->TimeEntry()->isVisible());
    QComboBox *hour = l->TimeEntry()->HourBox();
    for (int i = 1; i < hours.size(); ++i)
        QTest::keyClick(hour->lineEdit(), hours.at(i).toLatin1());
    QTest::keyClick(hour->lineEdit(), Qt::Key_Return);
    QTRY_VERIFY(!l->TimeEntry()->isVisible());
}

// The cell editor the list opened.
QLineEdit *CellEditor(KScheduleList *l)
{
    for (QLineEdit *e : l->viewport()->findChildren<QLineEdit *>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// Types into an Item or Memo cell: the first key opens the cell's editor, Enter commits.
void TypeText(KScheduleList *l, int row, int col, const QString &ascii, const QString &committed = {},
              const char *shot = nullptr)
{
    ClickCell(l, row, col);
    QTest::keyClick(l, Qt::Key_Return);
    QTRY_VERIFY(l->TextEditPending());
    QLineEdit *editor = CellEditor(l);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, ascii);
    if (!committed.isEmpty()) {
        // Text committed by an input method, as a Japanese one does.
        QInputMethodEvent ime;
        ime.setCommitString(committed);
        QApplication::sendEvent(editor, &ime);
    }
    if (shot)
        Shot(l->window(), shot);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!l->TextEditPending());
}

// Answers the check dialog when it comes: answer() sees it up and returns the radio button
// to choose. A dialog that does not come within 5 s fails the test; one that stays is closed.
struct DialogAnswer {
    std::function<QRadioButton *(TKSchConfSimpleDialog *)> answer;
    bool seen = false;
    QTimer poll;
    QElapsedTimer clock;

    void Arm()
    {
        clock.start();
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto *d = dynamic_cast<TKSchConfSimpleDialog *>(QApplication::activeModalWidget());
            if (d && !seen) {
                if (QRadioButton *choice = answer(d)) {
                    seen = true;
                    choice->setChecked(true);
                    QTest::mouseClick(d->ButtonOK, Qt::LeftButton);
                    poll.stop();
                }
            }
            if (clock.elapsed() > 5000) {
                if (QWidget *m = QApplication::activeModalWidget())
                    m->close();
                poll.stop();
            }
        });
        poll.start();
    }
};
} // namespace

class TestSchedulingMode : public QObject {
    Q_OBJECT

private slots:
    void wholeEditSession();
    void controlsAndTitleFollowTheMode();
    void cancelAndQuitKeepTheShownSchedule();
    void typedTitlesAndSavesInTheModeKeepTheRightMark();
    void addInsertFullAndUndoFromTheWindow();
    void clipboardCommandsOnTheCursorCell();
    void clockSettingsReachThePanelOfEachMode();
};

void TestSchedulingMode::wholeEditSession()
{
    Window w;
    TOrvellaForm &f = *w.form;
    KScheduleList *l = f.SchList;
    QVERIFY(l);

    QVERIFY(w.Active);
    QTest::keyClick(l, Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(f.SchedulingMode);
    QVERIFY(l->EditMode());
    QVERIFY(f.OptionPanel2 && f.OptionPanel2->isVisible());
    QVERIFY(!f.OptionPanel1);
    QCOMPARE(f.SchModDispBarPanel->palette().color(QPalette::Window), QColor(255, 0, 0));

    // The whole day becomes three frames: 00:00-08:00, 08:00-17:00 "仕事", then "Dinner".
    TypeTime(l, 1, KScheduleList::ColTime, "8");
    QCOMPARE(l->CellText(1, KScheduleList::ColEnd), QString("08:00"));
    QTest::mouseClick(f.EditAddButton, Qt::LeftButton);
    QTRY_COMPARE(l->CellText(2, KScheduleList::ColStart), QString("08:00"));
    TypeText(l, 2, KScheduleList::ColItem, "", "仕事");
    QCOMPARE(l->CellText(2, KScheduleList::ColItem), QString("仕事"));
    TypeTime(l, 2, KScheduleList::ColTime, "9");
    QCOMPARE(l->CellText(2, KScheduleList::ColEnd), QString("17:00"));
    QTest::mouseClick(f.EditAddButton, Qt::LeftButton);
    QTRY_COMPARE(l->CellText(3, KScheduleList::ColStart), QString("17:00"));
    TypeText(l, 3, KScheduleList::ColItem, "Dinner", {}, "scheduling-mode-typing");
    TypeTime(l, 3, KScheduleList::ColStart, "18");
    TypeTime(l, 3, KScheduleList::ColTime, "6");
    QCOMPARE(l->CellText(3, KScheduleList::ColEnd), QString("00:00"));
    QVERIFY(f.SchModified);
    // The side panel's graph shows the working copy.
    QCOMPARE(f.OptionPanel2->GraphView->Schedule(), l->EditSchedule());

    // Leaving finds the gap 17:00-18:00: the facing cells blink until adjust is chosen.
    bool blinked = false;
    QString message;
    DialogAnswer adjust;
    adjust.answer = [&](TKSchConfSimpleDialog *d) -> QRadioButton * {
        message = d->ConflictMsg->toPlainText();
        if (l->CellText(2, KScheduleList::ColEnd).isEmpty() &&
            l->CellText(3, KScheduleList::ColStart).isEmpty()) {
            if (!blinked) {
                Shot(d, "check-dialog");
                Shot(l->window(), "check-blinking-cells");
            }
            blinked = true;
        }
        return blinked ? d->RadioButtonMAN : nullptr;
    };
    adjust.Arm();
    QTest::mouseClick(f.ExitEditSchButton, Qt::LeftButton);
    QVERIFY(adjust.seen);
    QVERIFY(blinked);
    QCOMPARE(
        message,
        QString(
            " スケジュール時間が不連続になっています。\n   1.  スケジュールされていない時間があります。"));
    QVERIFY(f.SchedulingMode);
    QVERIFY(!l->Blinking());
    QCOMPARE(l->CellText(3, KScheduleList::ColStart), QString("18:00"));

    // Start from the previous end (mode 0), take it back with Ctrl+Z, apply it again, and
    // give the frame the hour it lacks.
    ClickCell(l, 3, KScheduleList::ColItem);
    f.Action("EditSetChroTimeSTFixDT")->trigger();
    QCOMPARE(l->CellText(3, KScheduleList::ColStart), QString("17:00"));
    QTest::keyClick(l, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(l->CellText(3, KScheduleList::ColStart), QString("18:00"));
    f.Action("EditSetChroTimeSTFixDT")->trigger();
    TypeTime(l, 3, KScheduleList::ColTime, "7");
    QCOMPARE(l->CellText(3, KScheduleList::ColEnd), QString("00:00"));

    DialogAnswer none;
    none.answer = [](TKSchConfSimpleDialog *) -> QRadioButton * { return nullptr; };
    none.Arm();
    QTest::mouseClick(f.ExitEditSchButton, Qt::LeftButton);
    QVERIFY(!f.SchedulingMode);
    QVERIFY(!none.seen);
    none.poll.stop();
    Shot(&f, "after-leaving");

    // The new frames are in the shown schedule, the list, the side panel and the pie.
    QCOMPARE(f.ShownSchedule.GetCount(), 3);
    QCOMPARE(f.ShownSchedule.GetFrame(1)->ItemName, std::u16string(u"仕事"));
    QCOMPARE(f.ShownSchedule.GetFrame(2)->StartTime, (KSchTime{17, 0, 0}));
    QCOMPARE(l->CellText(2, KScheduleList::ColItem), QString("仕事"));
    QCOMPARE(l->CellText(3, KScheduleList::ColItem), QString("Dinner"));
    QVERIFY(f.SchModified);
    QVERIFY(f.AlarmResetPending);
    QVERIFY(f.OptionPanel1 && !f.OptionPanel2);
    f.ClockTick(); // 12:00
    QCOMPARE(f.OptionPanel1->CurSchView->EditSchItem->text(), QString("仕事"));
    f.Action("ViewTypePie")->trigger();
    QVERIFY(f.SchPie);
    QCOMPARE(f.SchPie->Schedule(), &f.ShownSchedule);
    const QImage pie = f.SchPie->grab().toImage();
    int blue = 0; // the pool's colour of "仕事"
    for (int y = 0; y < pie.height(); y += 2)
        for (int x = 0; x < pie.width(); x += 2)
            blue += pie.pixelColor(x, y) == QColor(0, 0, 255) ? 1 : 0;
    QVERIFY(blue > 100);
}

void TestSchedulingMode::controlsAndTitleFollowTheMode()
{
    Window w;
    TOrvellaForm &f = *w.form;
    f.SchTitle = "朝";
    f.SchTitleEdit->setText("朝");
    f.SwitchView(TOrvellaForm::vtPie);
    f.Action("EditScheduling")->trigger(); // from the pie: the list first
    QCOMPARE(f.ViewType, int(TOrvellaForm::vtList));
    QVERIFY(f.SchedulingMode);
    QVERIFY(f.Action("EditScheduling")->isChecked());
    QCOMPARE(f.Action("EditScheduling")->text(), QString("スケジュール作成 終了(&E)"));
    for (const char *name :
         {"EditAddSch", "EditInsSch", "EditDeleteSch", "EditCancel", "EditPaste", "EditCut"})
        QVERIFY2(f.Action(name)->isEnabled(), name);
    QVERIFY(!f.EnterEditSchButton->isVisible() && f.ExitEditSchButton->isVisible());
    QVERIFY(!f.SchTitleEdit->isReadOnly());
    QCOMPARE(f.SchList->PopupMenu(), f.SchEditPopupMenu);
    QVERIFY(f.OpeLog);
    QVERIFY(!f.SchModified); // nothing changed yet

    // Escape in the title brings the old title back; typing marks the schedule changed.
    f.SchTitleEdit->setFocus();
    QTest::keyClicks(f.SchTitleEdit, "x");
    QVERIFY(f.SchModified);
    QTest::keyClick(f.SchTitleEdit, Qt::Key_Escape);
    QCOMPARE(f.SchTitleEdit->text(), QString("朝"));
    QTest::keyClicks(f.SchTitleEdit, "!");
    f.Action("EditScheduling")->trigger(); // no frame changed: no check
    QVERIFY(!f.SchedulingMode);
    QCOMPARE(f.SchTitle, QString("朝!"));
    QVERIFY(!f.OpeLog);
    QVERIFY(f.SchTitleEdit->isReadOnly());
    QCOMPARE(f.ViewType, int(TOrvellaForm::vtPie)); // back to the view the mode began from
    f.SwitchView(TOrvellaForm::vtList);
    QVERIFY(!f.SchList->PopupMenu());
    for (const char *name :
         {"EditAddSch", "EditInsSch", "EditDeleteSch", "EditCancel", "EditPaste", "EditCut"})
        QVERIFY2(!f.Action(name)->isEnabled(), name);
    QCOMPARE(f.Action("EditScheduling")->text(), QString("スケジュール作成(&G)"));
    QVERIFY(f.EnterEditSchButton->isVisible());
}

void TestSchedulingMode::clockSettingsReachThePanelOfEachMode()
{
    // The 12/24-hour and seconds settings hold in the side panel of either mode, whichever
    // mode they were changed in.
    Window w;
    TOrvellaForm &f = *w.form;
    // 12-hour first: a panel made for the mode starts in 24-hour.
    for (bool clock24 : {false, true}) {
        if (f.SchedulingMode)
            f.Action("EditScheduling")->trigger();
        QVERIFY(!f.SchedulingMode);
        f.Action(clock24 ? "OptClock24H" : "OptClock12H")->trigger();
        if (f.Action("OptClockSec")->isChecked() != clock24)
            f.Action("OptClockSec")->trigger();
        QCOMPARE(f.OptionPanel1->CurSchView->Clock24H(), clock24);
        f.Action("EditScheduling")->trigger();
        QVERIFY(f.SchedulingMode);
        KSidePanel *panel = f.OptionPanel2;
        QCOMPARE(panel->CurSchView->Clock24H(), clock24);
        QCOMPARE(panel->Clock->Is24H(), clock24);
        QCOMPARE(panel->Clock->ShowsSeconds(), clock24);
        QCOMPARE(panel->CurSchView->ShowSeconds(), clock24);

        // Changed on the scheduling panel's own clock, back in normal mode.
        QTest::mouseClick(panel->Clock->_24H_CheckBox, Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(4, 8));
        QCOMPARE(panel->CurSchView->Clock24H(), !clock24);
        f.Action("EditScheduling")->trigger();
        QVERIFY(!f.SchedulingMode);
        QCOMPARE(f.OptionPanel1->CurSchView->Clock24H(), !clock24);
        QCOMPARE(f.OptionPanel1->Clock->Is24H(), !clock24);
        QCOMPARE(f.OptionPanel1->Clock->_24H_CheckBox->isChecked(), !clock24);
    }
}

void TestSchedulingMode::cancelAndQuitKeepTheShownSchedule()
{
    Window w;
    TOrvellaForm &f = *w.form;
    KScheduleList *l = f.SchList;
    f.SchModified = false;
    f.EnterSchedulingMode();
    l->SetCursor(1, KScheduleList::ColTime);
    TypeTime(l, 1, KScheduleList::ColTime, "5");
    QVERIFY(f.SchModified);

    // Cancel asks (message 29); No keeps the edit, Yes reverts and clears the mark.
    w.prompter.Answers = {KMsgAnswer::No, KMsgAnswer::Yes};
    f.Action("EditCancel")->trigger();
    QCOMPARE(w.prompter.History.back().Text, KMessageCatalog::Text(KMessageCatalog::RevertPrompt, 0));
    QCOMPARE(l->CellText(1, KScheduleList::ColTime), QString("05:00"));
    f.Action("EditCancel")->trigger();
    QCOMPARE(l->CellText(1, KScheduleList::ColTime), QString("24:00"));
    QVERIFY(!f.SchModified);
    QTest::keyClick(l, Qt::Key_Z, Qt::ControlModifier); // the log was emptied with the restore
    QCOMPARE(l->CellText(1, KScheduleList::ColTime), QString("24:00"));

    // Cancel in the check dialog: the mode ends, the shown schedule and the mark stay as before.
    TypeTime(l, 1, KScheduleList::ColTime, "5");
    DialogAnswer cancel;
    cancel.answer = [](TKSchConfSimpleDialog *d) { return d->RadioButtonCANCEL; };
    cancel.Arm();
    f.ExitSchedulingMode();
    QVERIFY(cancel.seen);
    QVERIFY(!f.SchedulingMode);
    QCOMPARE(f.ShownSchedule.GetFrame(0)->Duration, (KSchTime{24, 0, 0}));
    QVERIFY(!f.SchModified);

    // Re-schedule starts over from the shown schedule and stays in the mode.
    f.EnterSchedulingMode();
    TypeTime(l, 1, KScheduleList::ColTime, "5");
    DialogAnswer retrieve;
    retrieve.answer = [](TKSchConfSimpleDialog *d) { return d->RadioButtonRETRIEVE; };
    retrieve.Arm();
    f.ExitSchedulingMode();
    QVERIFY(retrieve.seen);
    QVERIFY(f.SchedulingMode);
    QCOMPARE(l->CellText(1, KScheduleList::ColTime), QString("24:00"));

    // Quitting for another file: No stays, Yes drops the edits.
    TypeTime(l, 1, KScheduleList::ColTime, "5");
    w.prompter.Answers = {KMsgAnswer::No, KMsgAnswer::Yes};
    QVERIFY(!f.ConfirmQuitScheduling());
    QVERIFY(f.SchedulingMode);
    QVERIFY(f.ConfirmQuitScheduling());
    QCOMPARE(w.prompter.History.back().Text, KMessageCatalog::Text(KMessageCatalog::QuitSchedulingPrompt, 0));
    QVERIFY(!f.SchedulingMode);
    QCOMPARE(f.ShownSchedule.GetFrame(0)->Duration, (KSchTime{24, 0, 0}));
    QVERIFY(!f.SchModified);
    QVERIFY(f.ConfirmQuitScheduling()); // outside the mode: go on without asking

    // Saving in the mode: a clean working copy is applied and the mode stays on.
    f.EnterSchedulingMode();
    TypeTime(l, 1, KScheduleList::ColTime, "5");
    f.SchList->AddSch();
    TypeTime(l, 2, KScheduleList::ColTime, "19");
    QVERIFY(f.ApplyForSave());
    QVERIFY(f.SchedulingMode);
    QCOMPARE(f.ShownSchedule.GetCount(), 2);
    QCOMPARE(f.ShownSchedule.GetFrame(1)->Duration, (KSchTime{19, 0, 0}));
}

// The changed mark follows what is really unsaved: a title typed in the mode stays unsaved when
// EditCancel or the check dialog's cancel drops the list's edits; a save in the mode leaves
// nothing unsaved once the mode ends; Save As of a working copy the check keeps back writes nothing.
void TestSchedulingMode::typedTitlesAndSavesInTheModeKeepTheRightMark()
{
    Window w;
    TOrvellaForm &f = *w.form;
    KScheduleList *l = f.SchList;
    KDaySchedule day;
    day.AppendFrame(KScheduleFrame(KSchTime{0, 0, 0}, KSchTime{24, 0, 0}, u"自由", 0xFFFFFF, u""));
    w.files.Put(u"/d/day.ors", KScheduleFile::BuildImage(day, u"Old"));
    w.dialogs.Answers = {u"/d/day.ors"};
    f.Action("FileOpen")->trigger();
    QCOMPARE(f.SchTitle, QString("Old"));
    const auto typeTitle = [&](const char *title) {
        f.SchTitleEdit->setFocus();
        f.SchTitleEdit->selectAll();
        QTest::keyClicks(f.SchTitleEdit, title);
    };
    const auto savedTitle = [&] {
        KScheduleFile r(w.files, w.prompter);
        r.SetFileName(u"/d/day.ors");
        return r.ReadSchedule() ? QString::fromStdU16String(r.Title) : QString("(unreadable)");
    };

    f.Action("EditScheduling")->trigger();
    typeTitle("New");
    TypeTime(l, 1, KScheduleList::ColTime, "5");
    w.prompter.Answers = {KMsgAnswer::Yes};
    f.Action("EditCancel")->trigger();
    QCOMPARE(l->CellText(1, KScheduleList::ColTime), QString("24:00"));
    QCOMPARE(f.SchTitleEdit->text(), QString("New"));
    QVERIFY(f.SchModified);

    TypeTime(l, 1, KScheduleList::ColTime, "5");
    DialogAnswer cancel;
    cancel.answer = [](TKSchConfSimpleDialog *d) { return d->RadioButtonCANCEL; };
    cancel.Arm();
    f.Action("EditScheduling")->trigger();
    QVERIFY(cancel.seen);
    QVERIFY(!f.SchedulingMode);
    QCOMPARE(f.SchTitle, QString("New"));
    QVERIFY(f.SchModified); // closing would ask to save the new title

    // Save As of edits the check keeps back writes nothing and keeps the file and the mark.
    f.Action("EditScheduling")->trigger();
    TypeTime(l, 1, KScheduleList::ColTime, "5");
    DialogAnswer adjust;
    adjust.answer = [](TKSchConfSimpleDialog *d) { return d->RadioButtonMAN; };
    adjust.Arm();
    const size_t ops = w.files.Ops.size();
    w.dialogs.Answers = {u"/d/other.ors"};
    f.Action("FileSaveAs1")->trigger();
    QVERIFY(adjust.seen);
    QCOMPARE(w.files.Ops.size(), ops);
    QVERIFY(!w.files.Exists(u"/d/other.ors"));
    QVERIFY(f.SchedulingMode);
    QVERIFY(f.SchModified);
    QCOMPARE(f.SchFileName, QString("/d/day.ors"));

    // A clean working copy saved in the mode: leaving without further edits leaves nothing unsaved.
    TypeTime(l, 1, KScheduleList::ColTime, "24");
    typeTitle("Saved");
    f.Action("FileOverwrite1")->trigger();
    QVERIFY(f.SchedulingMode);
    QVERIFY(!f.SchModified);
    QCOMPARE(savedTitle(), QString("Saved"));
    f.Action("EditScheduling")->trigger();
    QVERIFY(!f.SchedulingMode);
    QVERIFY(!f.SchModified);
    const size_t boxes = w.prompter.History.size();
    QVERIFY(f.close());
    QCOMPARE(w.prompter.History.size(), boxes); // nothing to ask
}

void TestSchedulingMode::addInsertFullAndUndoFromTheWindow()
{
    Window w;
    TOrvellaForm &f = *w.form;
    KScheduleList *l = f.SchList;
    f.EnterSchedulingMode();
    l->SetCursor(1, KScheduleList::ColItem);
    f.Action("EditInsSch")->trigger();
    QCOMPARE(l->EditSchedule()->GetCount(), 2);
    QCOMPARE(l->CellText(1, KScheduleList::ColItem), QString("自由"));
    QCOMPARE(l->CellText(1, KScheduleList::ColStart), QString("00:00")); // the end of the last frame
    f.Action("EditDeleteSch")->trigger();
    QCOMPARE(l->EditSchedule()->GetCount(), 1);
    QTest::keyClick(l, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(l->EditSchedule()->GetCount(), 2);
    while (l->EditSchedule()->GetCount() < 50)
        f.Action("EditAddSch")->trigger();
    QVERIFY(w.prompter.History.empty());
    QCOMPARE(l->RowCount(), 51); // a row for every frame
    f.Action("EditAddSch")->trigger();
    QCOMPARE(w.prompter.History.size(), size_t(1));
    QCOMPARE(w.prompter.History[0].Text, KMessageCatalog::Text(KMessageCatalog::ScheduleFull, 0));
    QCOMPARE(w.prompter.History[0].Icon, KMsgIcon::Warning);
    QCOMPARE(l->EditSchedule()->GetCount(), 50);
}

void TestSchedulingMode::clipboardCommandsOnTheCursorCell()
{
    KFakeClipboard clipboard;
    WindowHarness h(QSize(1024, 768), false);
    Q_UNUSED(clipboard);
    TOrvellaForm &f = *h.form;
    KScheduleList *l = f.SchList;
    f.EnterSchedulingMode();
    f.SchList->AddSch();
    l->SetCursor(1, KScheduleList::ColTime);
    f.Action("EditCopy")->trigger();
    l->SetCursor(2, KScheduleList::ColTime);
    f.Action("EditPaste")->trigger();
    QCOMPARE(l->CellText(2, KScheduleList::ColTime), QString("00:00")); // 24:00 pasted is midnight
    l->SetCursor(1, KScheduleList::ColItem);
    f.Action("EditCut")->trigger();
    QCOMPARE(l->CellText(1, KScheduleList::ColItem), QString("自由"));
    l->SetCursor(2, KScheduleList::ColMemo);
    f.Action("EditPaste")->trigger();
    QCOMPARE(l->CellText(2, KScheduleList::ColMemo), QString("自由"));
    f.Action("EditDelete")->trigger();
    QCOMPARE(l->CellText(2, KScheduleList::ColMemo), QString());
}

QTEST_MAIN(TestSchedulingMode)
#include "tst_scheduling_mode.moc"
