#include "listedit/KScheduleList.h"
#include "listedit/KTMemoPanel.h"
#include "listedit/KTScheduleItemPool.h"
#include "listedit/KTTimeEntryComb.h"
#include "listedit/TKSchConfSimpleDialog.h"
#include "platform/qt/KQtClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTextEdit>
#include <QtTest>

namespace {
KScheduleFrame Frame(int h, int m, int dh, int dm, const char16_t *item, uint32_t color,
                     const char16_t *memo = u"")
{
    return KScheduleFrame(KSchTime::MakeTime(uint8_t(h), uint8_t(m), 0),
                          KSchTime::MakeTime(uint8_t(dh), uint8_t(dm), 0), item, color, memo);
}

// A list in scheduling mode in a host window, with a log, a pool and the system clipboard.
struct EditingList {
    QWidget host;
    KScheduleList *list = nullptr;
    KDaySchedule schedule;
    KDaySchOpeLog log{5};
    KTScheduleItemPool pool{50};
    KQtClipboard clipboard;
    int changes = 0;
    bool Active = false;

    EditingList()
    {
        pool.AddDefaultItems();
        schedule.AppendFrame(Frame(0, 0, 8, 0, u"就寝", 0xC0C0C0, u"夢"));
        schedule.AppendFrame(Frame(8, 0, 16, 0, u"仕事", 0xFF0000));
        host.resize(750, 550);
        list = new KScheduleList(&host);
        list->SetParent(&host);
        list->SetupColumns(KScheduleList::RowCountFor(2, 550));
        list->SetHeight(550);
        list->SetWidth(750);
        list->SetMemoPanelEnabled(true);
        list->SetTimeEditColumns(2);
        list->SetSchedule(&schedule);
        list->SetItemPool(&pool);
        list->SetOpeLog(&log);
        list->SetClipboard(&clipboard);
        list->ChangeHandler = [this](KScheduleList *, int, int) { ++changes; };
        list->SetEditMode(true);
        host.show();
        host.activateWindow();
        Active = QTest::qWaitForWindowActive(&host);
        list->setFocus();
    }
    KDaySchedule &Edit() { return *list->EditSchedule(); }
    QPoint Center(int row, int col)
    {
        return list->CellRect(row, col).center() - list->viewport()->geometry().topLeft();
    }
};
} // namespace

class TestScheduleEditing : public QObject {
    Q_OBJECT

private slots:
    void checkDialogTextsAndChoices();
    void typingLimitsHoldForEveryWayTextArrives();
    void timeEntryFromDigitKeys();
    void typedTimesLandInTheirCell();
    void timeEntryActsOnItsOwnCell();
    void clipboardRoundTripThroughTheSystemClipboard();
    void leavingWritesBackOnlyWhenClean();
};

void TestScheduleEditing::checkDialogTextsAndChoices()
{
    TKSchConfSimpleDialog d;
    QCOMPARE(d.size(), QSize(297, 199));
    QCOMPARE(d.ConflictMsg->geometry(), QRect(8, 8, 281, 49));
    QCOMPARE(d.Panel1->geometry(), QRect(8, 63, 281, 130));
    QCOMPARE(d.RadioButtonRETRIEVE->geometry(), QRect(26, 29, 240, 25));
    QCOMPARE(d.ButtonOK->geometry(), QRect(192, 85, 74, 33));
    // Tab order: adjust, cancel, re-schedule, OK.
    QCOMPARE(d.RadioButtonMAN->nextInFocusChain(), static_cast<QWidget *>(d.RadioButtonCANCEL));
    QCOMPARE(d.RadioButtonCANCEL->nextInFocusChain(), static_cast<QWidget *>(d.RadioButtonRETRIEVE));
    QCOMPARE(d.RadioButtonRETRIEVE->nextInFocusChain(), static_cast<QWidget *>(d.ButtonOK));

    d.Prepare(7, 10, 20);
    QCOMPARE(d.windowTitle(), QString("スケジュール エラー"));
    QCOMPARE(d.ConflictMsg->toPlainText(), QString(" スケジュール時間が不連続になっています。\n"
                                                   "   1.  スケジュールが重なっています。\n"
                                                   "   2.  スケジュールされていない時間があります。"));
    QCOMPARE(d.RadioButtonMAN->text(), QString("  スケジュールを修正する"));
    // No text is cut off, whatever the face: the dialog grows around them.
    for (QRadioButton *r : {d.RadioButtonMAN, d.RadioButtonRETRIEVE, d.RadioButtonCANCEL})
        QVERIFY(r->sizeHint().width() <= r->width());
    const QFontMetrics fm(d.ConflictMsg->font());
    for (const QString &line : d.ConflictMsg->toPlainText().split('\n'))
        QVERIFY(fm.horizontalAdvance(line) < d.ConflictMsg->width());
    QVERIFY(3 * fm.lineSpacing() <= d.ConflictMsg->height());
    QCOMPARE(d.ConflictMsg->document()->lineCount(), 3); // no line wraps
    QCOMPARE(d.ButtonOK->x() + d.ButtonOK->width() + 15, d.Panel1->width());
    d.Language = 1;
    d.Prepare(9, 10, 20);
    QCOMPARE(
        d.ConflictMsg->toPlainText(),
        QString(" This is not chronologically scheduled.\n   1.  Total schedule time is over 24 hours."));
    QCOMPARE(d.RadioButtonMAN->text(), QString("  Adjust  the schedule"));
    QCOMPARE(d.RadioButtonCANCEL->text(), QString("  Cancel  the changes and Quit"));
    QCOMPARE(d.RadioButtonRETRIEVE->text(), QString("  Discard the changes and Re-schedule"));
    QVERIFY(d.RadioButtonMAN->isChecked());

    // OK takes the checked choice; the close box leaves adjust.
    for (auto [radio, choice] :
         {std::pair{d.RadioButtonRETRIEVE, 1}, {d.RadioButtonCANCEL, 2}, {d.RadioButtonMAN, 0}}) {
        radio->setChecked(true);
        d.ButtonOKClick();
        QCOMPARE(d.Choice, choice);
    }
    QTimer::singleShot(0, &d, [&d] {
        d.RadioButtonCANCEL->setChecked(true);
        d.close();
    });
    QCOMPARE(d.ShowCheckResult(3, 0, 0), 0);
}

void TestScheduleEditing::typingLimitsHoldForEveryWayTextArrives()
{
    EditingList e;
    KScheduleList *l = e.list;
    // The in-place editor takes 16 characters of an item, also from an input method or paste.
    l->SetCursor(2, KScheduleList::ColItem);
    QTest::keyClick(l, Qt::Key_Return);
    QTRY_VERIFY(l->TextEditPending());
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->clear();
    QTest::keyClicks(editor, "abcdefghij");
    QInputMethodEvent ime;
    ime.setCommitString(QString::fromUtf16(u"日本語の長い項目名です"));
    QApplication::sendEvent(editor, &ime);
    QCOMPARE(editor->text().size(), 16);
    QGuiApplication::clipboard()->setText("XYZ");
    editor->paste();
    QCOMPARE(editor->text().size(), 16);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!l->TextEditPending());
    QCOMPARE(e.Edit().GetFrame(1)->ItemName.size(), size_t(16));
    QCOMPARE(e.pool.GetItemColor(l->CellText(2, KScheduleList::ColItem), 1),
             0xFF0000u); // new name, own colour

    // The long-text panel holds a memo to 128 characters however it is filled.
    const QString longMemo(140, QChar(u'メ'));
    e.Edit().GetFrame(0)->SetMemo(longMemo.left(120).toStdU16String());
    l->RefreshRows(true);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, e.Center(1, KScheduleList::ColMemo));
    KTMemoPanel *panel = l->MemoPanel();
    QTRY_VERIFY(panel->isVisible());
    QTextEdit *memo = panel->MemoBox();
    memo->moveCursor(QTextCursor::End);
    auto *data = new QMimeData;
    data->setText(QString(20, QChar('x')));
    QGuiApplication::clipboard()->setMimeData(data);
    memo->paste();
    QCOMPARE(memo->toPlainText().size(), 128);
    QVERIFY(memo->toPlainText().startsWith(longMemo.left(120)));
    QInputMethodEvent more;
    more.setCommitString("yyyy");
    QApplication::sendEvent(memo, &more);
    QCOMPARE(memo->toPlainText().size(), 128);
    QTest::keyClick(memo, Qt::Key_Return); // commits the panel's text to the cell
    QTRY_VERIFY(!panel->isVisible());
    QCOMPARE(e.Edit().GetFrame(0)->Memo.size(), size_t(128));

    // An item too wide for its column opens the same panel, and Enter commits it to the item.
    const QString longItem(16, QChar(u'あ'));
    e.Edit().GetFrame(0)->SetItemName(longItem.toStdU16String());
    l->RefreshRows(true);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, e.Center(1, KScheduleList::ColItem));
    QTRY_VERIFY(panel->isVisible());
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Backspace);
    QInputMethodEvent last;
    last.setCommitString("い");
    QApplication::sendEvent(memo, &last);
    QTest::keyClick(memo, Qt::Key_Return);
    QTRY_VERIFY(!panel->isVisible());
    QCOMPARE(QString::fromStdU16String(e.Edit().GetFrame(0)->ItemName), longItem.left(15) + "い");
    QCOMPARE(QString::fromStdU16String(e.Edit().GetFrame(0)->Memo).size(), 128);
}

void TestScheduleEditing::timeEntryFromDigitKeys()
{
    EditingList e;
    KScheduleList *l = e.list;
    e.Edit().GetFrame(0)->StartTime = KSchTime{0, 45, 0};
    l->RefreshRows(true);
    l->SetCursor(1, KScheduleList::ColStart);
    QTest::keyClick(l, Qt::Key_1);
    KTTimeEntryComb *entry = l->TimeEntry();
    QTRY_VERIFY(entry->isVisible());
    QCOMPARE(entry->HourBox()->currentText(), QString("1"));
    QCOMPARE(entry->HourBox()->count(), 24); // no 24 for a time of day
    QCOMPARE(entry->pos(), l->CellRect(1, KScheduleList::ColStart).bottomLeft() + QPoint(0, 1));
    QTest::keyClick(entry->HourBox()->lineEdit(), Qt::Key_5);
    QCOMPARE(entry->HourBox()->currentText(), QString("15"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!entry->isVisible());
    QCOMPARE(e.Edit().GetFrame(0)->StartTime, (KSchTime{15, 45, 0})); // minutes from the cell
    QCOMPARE(l->CellText(1, KScheduleList::ColEnd), QString("23:45"));

    // A whole-day duration opens as 24:00 and Enter leaves it a whole day.
    e.Edit().GetFrame(1)->Duration = KSchTime{24, 0, 0};
    l->RefreshRows(true);
    l->SetCursor(2, KScheduleList::ColTime);
    QTest::keyClick(l, Qt::Key_Return);
    QTRY_VERIFY(entry->isVisible());
    QCOMPARE(entry->HourBox()->count(), 25);
    QCOMPARE(entry->HourBox()->currentText(), QString("24"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!entry->isVisible());
    QCOMPARE(e.Edit().GetFrame(1)->Duration, (KSchTime{24, 0, 0}));

    // Escape hides the entry without committing.
    l->SetCursor(2, KScheduleList::ColEnd);
    QTest::keyClick(l, Qt::Key_3);
    QTRY_VERIFY(entry->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!entry->isVisible());
    QCOMPARE(l->CellText(2, KScheduleList::ColEnd), QString("08:00"));
}

namespace {
// Types text into the focused widget of the open time entry: digits, ':' and '\t' for Tab.
void TypeInEntry(const QString &text)
{
    for (QChar c : text) {
        QWidget *at = QApplication::focusWidget();
        if (c == QLatin1Char('\t'))
            QTest::keyClick(at, Qt::Key_Tab);
        else if (c == QLatin1Char(':'))
            QTest::keyClick(at, Qt::Key_Colon, Qt::NoModifier);
        else
            QTest::keyClick(at, c.toLatin1());
    }
}
} // namespace

// Any of the usual ways of typing a time gives that time in the cell the entry was opened
// on: random times, each typed one random way through key events on the grid, checked
// against the time itself. ORVELLA_SEED repeats a run.
void TestScheduleEditing::typedTimesLandInTheirCell()
{
    EditingList e;
    QVERIFY(e.Active);
    KScheduleList *l = e.list;
    KTTimeEntryComb *entry = l->TimeEntry();
    const quint32 seed = qEnvironmentVariableIsSet("ORVELLA_SEED")
                             ? quint32(qEnvironmentVariableIntValue("ORVELLA_SEED"))
                             : QRandomGenerator::global()->generate();
    QRandomGenerator rng(seed);
    for (int round = 0; round < 60; ++round) {
        const bool timeColumn = rng.bounded(2) == 1;
        const int col = timeColumn ? KScheduleList::ColTime : KScheduleList::ColStart;
        const int maxHour = timeColumn ? 24 : 23;
        const int row = 1 + int(rng.bounded(2));
        const int h = int(rng.bounded(maxHour + 1)), m = int(rng.bounded(60));
        QStringList ways = {QString("%1%2").arg(h, 2, 10, QChar('0')).arg(m, 2, 10, QChar('0')),
                            QString("%1:%2").arg(h).arg(m, 2, 10, QChar('0')),
                            QString("%1:%2").arg(h).arg(m)};
        if (h < 10)
            ways << QString("%1\t%2").arg(h).arg(m, 2, 10, QChar('0'));
        // "730": the first minute digit cannot make a two-digit hour.
        if (h < 10 && h * 10 + m / 10 > maxHour)
            ways << QString("%1%2").arg(h).arg(m, 2, 10, QChar('0'));
        const QString typed = ways[int(rng.bounded(qsizetype(ways.size())))];

        l->SetCursor(row, col);
        QTest::keyClick(l, Qt::Key(Qt::Key_0 + typed[0].digitValue()));
        QTRY_VERIFY(entry->isVisible());
        TypeInEntry(typed.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!entry->isVisible());

        const KScheduleFrame *f = e.Edit().GetFrame(row - 1);
        const KSchTime want =
            timeColumn && h == 24 ? KSchTime{24, 0, 0} : KSchTime{uint8_t(h), uint8_t(m), 0};
        const KSchTime got = timeColumn ? f->Duration : f->StartTime;
        if (got != want)
            QFAIL(qPrintable(QString("seed %1: \"%2\" typed in %3 gave %4, not %5")
                                 .arg(seed)
                                 .arg(QString(typed).replace('\t', "<Tab>"))
                                 .arg(timeColumn ? "Time" : "Start Time")
                                 .arg(QString::fromStdU16String(FormatTime(got, false)))
                                 .arg(QString::fromStdU16String(FormatTime(want, false)))));
    }
}

// The entry always changes the cell it shows, whatever moves the grid's cursor; Escape
// changes nothing; an hour the column does not have is refused.
void TestScheduleEditing::timeEntryActsOnItsOwnCell()
{
    EditingList e;
    QVERIFY(e.Active);
    KScheduleList *l = e.list;
    l->SetTabNavigation(true); // as in the main window
    KTTimeEntryComb *entry = l->TimeEntry();
    using L = KScheduleList;

    // Tab in the hour box goes to the minutes; Tab in the minutes commits, then moves the cursor.
    l->SetCursor(1, L::ColStart);
    QTest::keyClick(l, Qt::Key_9);
    QTRY_VERIFY(entry->isVisible());
    TypeInEntry("\t15\t");
    QTRY_VERIFY(!entry->isVisible());
    QCOMPARE(e.Edit().GetFrame(0)->StartTime, (KSchTime{9, 15, 0}));
    QCOMPARE(l->CursorRow(), 1);
    QCOMPARE(l->CursorCol(), int(L::ColItem));
    QCOMPARE(QApplication::focusWidget(), l);
    // The next Enter is the grid's own, not a late commit into another cell.
    QTest::keyClick(l, Qt::Key_Return);
    QCOMPARE(e.Edit().GetFrame(0)->StartTime, (KSchTime{9, 15, 0}));

    // Shift+Tab in the hour box commits and moves the cursor back.
    l->SetCursor(2, L::ColEnd);
    QTest::keyClick(l, Qt::Key_2);
    QTRY_VERIFY(entry->isVisible());
    TypeInEntry("0");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(!entry->isVisible());
    QCOMPARE(l->CellText(2, L::ColEnd), QString("20:00"));
    QCOMPARE(l->CursorCol(), int(L::ColItem));

    // A cursor moved any other way takes the entry's value into the entry's own cell first.
    l->SetCursor(1, L::ColStart);
    QTest::keyClick(l, Qt::Key_6);
    QTRY_VERIFY(entry->isVisible());
    l->SetCursor(2, L::ColStart);
    QVERIFY(!entry->isVisible());
    QCOMPARE(e.Edit().GetFrame(0)->StartTime, (KSchTime{6, 15, 0}));
    QCOMPARE(e.Edit().GetFrame(1)->StartTime, (KSchTime{8, 0, 0}));

    // Escape changes nothing.
    QTest::keyClick(l, Qt::Key_5);
    QTRY_VERIFY(entry->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!entry->isVisible());
    QCOMPARE(e.Edit().GetFrame(1)->StartTime, (KSchTime{8, 0, 0}));

    // Refused, not clamped: a digit typed in front of the hour that would make it 39, and a
    // 24 in Start Time, where 2 stays the hour and 4 begins the minutes.
    QTest::keyClick(l, Qt::Key_9);
    QTRY_VERIFY(entry->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    TypeInEntry("3");
    QCOMPARE(entry->HourBox()->currentText(), QString("9"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!entry->isVisible());
    QCOMPARE(e.Edit().GetFrame(1)->StartTime, (KSchTime{9, 0, 0}));
    QTest::keyClick(l, Qt::Key_2);
    QTRY_VERIFY(entry->isVisible());
    TypeInEntry("45");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!entry->isVisible());
    QCOMPARE(e.Edit().GetFrame(1)->StartTime, (KSchTime{2, 45, 0}));
}

void TestScheduleEditing::clipboardRoundTripThroughTheSystemClipboard()
{
    EditingList e;
    KScheduleList *l = e.list;
    QVERIFY(l->CopyCell(2, KScheduleList::ColColor));
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(KQtClipboard::ColorMimeType));
    QCOMPARE(data->data(KQtClipboard::ColorMimeType), QByteArray("\x00\x00\xFF\x00\x00\x00", 6));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("#0000FF"));
    QVERIFY(l->PasteCell(1, KScheduleList::ColColor));
    QCOMPARE(e.Edit().GetFrame(0)->Color, 0xFF0000u);
    QCOMPARE(e.pool.GetItemColor("就寝", 0), 0xFF0000u);

    QVERIFY(l->CopyCell(1, KScheduleList::ColMemo));
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat(KQtClipboard::ColorMimeType));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("夢"));
    QVERIFY(l->PasteCell(2, KScheduleList::ColMemo));
    QCOMPARE(l->CellText(2, KScheduleList::ColMemo), QString("夢"));
    // Text is no colour, and text that is no time is refused.
    QVERIFY(!l->PasteCell(2, KScheduleList::ColColor));
    QVERIFY(!l->PasteCell(2, KScheduleList::ColStart));
    // Text from another program pasted as a time.
    QGuiApplication::clipboard()->setText("7:5");
    QVERIFY(l->PasteCell(2, KScheduleList::ColStart));
    QCOMPARE(e.Edit().GetFrame(1)->StartTime, (KSchTime{7, 5, 0}));
    // A 40-character text is cut to 16 in an item.
    QGuiApplication::clipboard()->setText(QString(40, QChar('a')));
    QVERIFY(l->PasteCell(2, KScheduleList::ColItem));
    QCOMPARE(l->CellText(2, KScheduleList::ColItem), QString(16, QChar('a')));
    // Every paste can be taken back.
    for (int i = 0; i < 4; ++i)
        l->UndoLastOperation();
    QCOMPARE(e.Edit().GetFrame(1)->ItemName, std::u16string(u"仕事"));
    QCOMPARE(e.Edit().GetFrame(1)->StartTime, (KSchTime{8, 0, 0}));
    QCOMPARE(e.Edit().GetFrame(1)->Memo, std::u16string());
    QVERIFY(e.changes > 0);
}

void TestScheduleEditing::leavingWritesBackOnlyWhenClean()
{
    EditingList e;
    KScheduleList *l = e.list;
    l->SetChronoTime(1, 3); // no change in value, still a change: the check runs and finds nothing
    QVERIFY(l->Modified());
    l->SetEditMode(false);
    QVERIFY(!l->EditMode());
    QVERIFY(!l->TimeEntry());
    QCOMPARE(e.schedule.GetCount(), 2);

    // A discarded working copy is not written back.
    l->SetEditMode(true);
    l->AddSch();
    l->DiscardEditSchedule();
    l->SetEditMode(false);
    QCOMPARE(e.schedule.GetCount(), 2);
    QCOMPARE(l->LastLeaveResult(), 0);
}

QTEST_MAIN(TestScheduleEditing)
#include "tst_schedule_editing.moc"
