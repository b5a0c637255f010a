#include "listedit/KTMemoPanel.h"
#include "listedit/KTTimeEntryComb.h"
#include "listedit/KTTimeVIndicator.h"
#include "platform/fakes/KFakePrompter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

class TestEditWidgets : public QObject {
    Q_OBJECT

private slots:
    void timeEntryRefusesOutOfRange();
    void timeEntryValue();
    void timeEntryKeys();
    void memoPanelHeight();
    void memoPanelLimit();
    void indicatorPosition();
};

void TestEditWidgets::timeEntryRefusesOutOfRange()
{
    QWidget host;
    KTTimeEntryComb entry(&host);
    entry.SetParent(&host);
    QCOMPARE(entry.width(), 131);
    QCOMPARE(entry.HourBox()->count(), 25);
    QCOMPARE(entry.MinuteBox()->count(), 60);
    host.show();
    entry.show();
    entry.HourBox()->setFocus();
    entry.HourBox()->lineEdit()->clear();
    // "30" is no hour: never 24, the 3 stays the hour and the 0 begins the minutes.
    QTest::keyClicks(entry.HourBox()->lineEdit(), "30");
    QCOMPARE(entry.HourBox()->currentText(), QString("3"));
    QCOMPARE(entry.MinuteBox()->currentText(), QString("0"));
    // A minute above 59 is refused, not made 59.
    entry.MinuteBox()->lineEdit()->clear();
    QTest::keyClicks(entry.MinuteBox()->lineEdit(), "75");
    QCOMPARE(entry.MinuteBox()->currentText(), QString("7"));
    QCOMPARE(entry.GetEntryValue(), KSchTime::MakeTime(3, 7, 0));
    // Pasted numbers out of range and letters are refused too.
    entry.HourBox()->lineEdit()->selectAll();
    entry.HourBox()->lineEdit()->insert("25");
    QCOMPARE(entry.HourBox()->currentText(), QString("3"));
    entry.MinuteBox()->lineEdit()->clear();
    QTest::keyClicks(entry.MinuteBox()->lineEdit(), "a5");
    QCOMPARE(entry.MinuteBox()->currentText(), QString("5"));
    // Without "24" in its list the hour box holds at most 23.
    entry.HourBox()->removeItem(24);
    QCOMPARE(entry.MaxHour(), 23);
    entry.HourBox()->lineEdit()->clear();
    QTest::keyClicks(entry.HourBox()->lineEdit(), "24");
    QCOMPARE(entry.HourBox()->currentText(), QString("2"));
    QCOMPARE(entry.MinuteBox()->currentText(), QString("4"));
}

void TestEditWidgets::timeEntryValue()
{
    QWidget host;
    KTTimeEntryComb entry(&host);
    entry.SetEntryValue(KSchTime::MakeTime(7, 5, 30));
    QCOMPARE(entry.HourBox()->currentText(), QString("7"));
    QCOMPARE(entry.MinuteBox()->currentText(), QString("5"));
    QCOMPARE(entry.HourBox()->currentIndex(), 7);
    QCOMPARE(entry.GetEntryValue(), KSchTime::MakeTime(7, 5, 0)); // seconds dropped on reading
    entry.SetEntryValue(KSchTime{30, 0, 0});
    QCOMPARE(entry.HourBox()->currentText(), QString("24"));
    // Typing a two-digit hour keeps both digits in the hour box.
    host.show();
    entry.show();
    entry.HourBox()->setFocus();
    entry.HourBox()->lineEdit()->clear();
    QTest::keyClicks(entry.HourBox()->lineEdit(), "12");
    QCOMPARE(entry.HourBox()->currentText(), QString("12"));
}

void TestEditWidgets::timeEntryKeys()
{
    QWidget host;
    KTTimeEntryComb entry(&host);
    host.show();
    entry.show();
    QList<int> keys;
    KSchTime seen;
    entry.SetKeyHandler([&](KTTimeEntryComb *e, int key) {
        keys << key;
        seen = e->GetEntryValue();
    });
    entry.HourBox()->setEditText("9");
    entry.MinuteBox()->setEditText("45");
    QTest::keyClick(entry.MinuteBox()->lineEdit(), Qt::Key_Return);
    QTest::keyClick(entry.HourBox()->lineEdit(), Qt::Key_Escape);
    QCOMPARE(keys, (QList<int>{Qt::Key_Return, Qt::Key_Escape}));
    QCOMPARE(seen, KSchTime::MakeTime(9, 45, 0));
}

void TestEditWidgets::memoPanelHeight()
{
    QWidget host;
    KTMemoPanel panel(&host, &host);
    QCOMPARE(panel.LineProbe()->text(), QString("HEIGHT"));
    QVERIFY(!panel.MemoBox()->isVisible() || panel.MemoBox()->isReadOnly());
    panel.SetWidth(200);
    const int line = panel.LineProbe()->sizeHint().height();
    QStringList lines;
    for (int i = 0; i < 25; ++i)
        lines << QString("line %1").arg(i);
    panel.SetPanelText(lines.join('\n'));
    QCOMPARE(panel.height(), 10 * line + 8);
    panel.SetPanelText("one");
    QCOMPARE(panel.height(), line + 8);
    panel.SetPanelText(QString());
    QCOMPARE(panel.height(), 2 * line + 8);
    // Word wrap counts: a long line wraps into several.
    panel.SetPanelText(QString("word ").repeated(40));
    QVERIFY(panel.height() > 2 * line + 8);
    QVERIFY(panel.height() <= 10 * line + 8);
    // Enter commits, never breaks the line.
    int commits = 0;
    panel.SetCommitHandler([&](KTMemoPanel *) { ++commits; });
    panel.SetEditable(true);
    panel.SetPanelText("abc");
    QTest::keyClick(panel.MemoBox(), Qt::Key_Return);
    QCOMPARE(commits, 1);
    QCOMPARE(panel.PanelText(), QString("abc"));
}

void TestEditWidgets::memoPanelLimit()
{
    QWidget host;
    KTMemoPanel panel(&host, &host);
    KFakePrompter prompter;
    panel.SetPrompter(&prompter);
    panel.SetEditable(true);
    panel.SetMaxLength(16);
    panel.SetPanelText("abcdefghijklmnop");
    host.show();
    panel.show();
    panel.MemoBox()->moveCursor(QTextCursor::End);
    QTest::keyClick(panel.MemoBox(), Qt::Key_Q);
    QCOMPARE(panel.PanelText().size(), 16);
    QCOMPARE(prompter.History.size(), size_t(1));
    QCOMPARE(QString::fromStdU16String(prompter.History[0].Text),
             QString("入力可能文字数は16文字までです。"));
    QTest::keyClick(panel.MemoBox(), Qt::Key_Backspace);
    QTest::keyClick(panel.MemoBox(), Qt::Key_Q);
    QCOMPARE(panel.PanelText(), QString("abcdefghijklmnoq"));
    QCOMPARE(prompter.History.size(), size_t(1));
    QTest::keyClick(panel.MemoBox(), Qt::Key_Escape);
    QVERIFY(!panel.isVisible());
}

void TestEditWidgets::indicatorPosition()
{
    QWidget host;
    KTTimeVIndicator mark(&host);
    mark.SetMarkHeight(10);
    mark.SetBandHeight(120);
    mark.SetBandTop(100);
    mark.SetBandStart(KSchTime::MakeTime(23, 0, 0));
    mark.SetBandEnd(KSchTime::MakeTime(25, 0, 0));
    QCOMPARE(mark.PixelsPerMinute(), 1.0);
    mark.SetTime(KSchTime::MakeTime(0, 30, 0));
    QCOMPARE(mark.y(), 100 + 90 - 5);
    mark.SetTime(KSchTime::MakeTime(23, 30, 0));
    QCOMPARE(mark.y(), 100 + 30 - 5);
    mark.SetTime(KSchTime::MakeTime(12, 0, 0)); // outside: the top of the band
    QCOMPARE(mark.y(), 100 - 5);
    // A whole day that starts at 06:00 still moves with the time.
    mark.SetBandHeight(1440);
    mark.SetBandStart(KSchTime::MakeTime(6, 0, 0));
    mark.SetBandEnd(KSchTime::MakeTime(30, 0, 0));
    mark.SetTime(KSchTime::MakeTime(7, 0, 0));
    QCOMPARE(mark.y(), 100 + 60 - 5);
    mark.SetTime(KSchTime::MakeTime(5, 0, 0));
    QCOMPARE(mark.y(), 100 + 23 * 60 - 5);
    // Hidden stays invisible whatever time it is given.
    mark.show();
    mark.Hidden = true;
    mark.SetTime(KSchTime::MakeTime(8, 0, 0));
    QVERIFY(!mark.isVisible());
}

QTEST_MAIN(TestEditWidgets)
#include "tst_editwidgets.moc"
