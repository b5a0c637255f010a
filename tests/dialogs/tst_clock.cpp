#include "app/dialogs/TKClock.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

class TestClock : public QObject {
    Q_OBJECT

private slots:
    void twelveHourTexts_data();
    void twelveHourTexts();
    void secondsShiftTheTime();
    void checkBoxesNotify();
    void settersDoNotNotify();
};

void TestClock::twelveHourTexts_data()
{
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("s");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("period");
    QTest::newRow("midnight") << 0 << 0 << 0 << "00:00"
                              << "AM";
    QTest::newRow("00:30") << 0 << 30 << 0 << "00:30"
                           << "AM";
    QTest::newRow("noon") << 12 << 0 << 0 << "12:00"
                          << "PM";
    QTest::newRow("12:30") << 12 << 30 << 0 << "12:30"
                           << "PM";
    QTest::newRow("13:05") << 13 << 5 << 0 << "01:05"
                           << "PM";
    QTest::newRow("23:59:59") << 23 << 59 << 59 << "11:59"
                              << "PM";
}

void TestClock::twelveHourTexts()
{
    QFETCH(int, h);
    QFETCH(int, m);
    QFETCH(int, s);
    QFETCH(QString, text);
    QFETCH(QString, period);
    TKClock clock;
    clock.show();
    clock.Set24H(false);
    clock.SetTime(KSchTime::MakeTime(uint8_t(h), uint8_t(m), uint8_t(s)));
    QCOMPARE(clock.ClockLabel->text(), text);
    QCOMPARE(clock.AMPMLabel->text(), period);
    QVERIFY(clock.AMPMLabel->isVisible());
    clock.Set24H(true);
    QVERIFY(!clock.AMPMLabel->isVisible());
    QCOMPARE(clock.ClockLabel->text(), QString("%1:%2").arg(h, 2, 10, QChar('0')).arg(m, 2, 10, QChar('0')));
}

void TestClock::secondsShiftTheTime()
{
    TKClock clock;
    QCOMPARE(clock.size(), QSize(182, 80));
    clock.SetTime(KSchTime::MakeTime(9, 8, 7));
    const int without = clock.ClockLabel->x();
    QCOMPARE(clock.ClockLabel->text(), QString("09:08"));
    clock.SetSeconds(true);
    QCOMPARE(clock.ClockLabel->x(), without - 20);
    QCOMPARE(clock.ClockLabel->text(), QString("09:08:07"));
    QVERIFY(clock.DispSecBox->isChecked());
    // The period does not move the time: AM and PM take the same room.
    clock.Set24H(false);
    clock.SetTime(KSchTime::MakeTime(21, 0, 0));
    QCOMPARE(clock.ClockLabel->x(), without - 20);
}

void TestClock::checkBoxesNotify()
{
    TKClock clock;
    clock.show();
    int n24 = 0, nSec = 0;
    clock.On24HChanged = [&](TKClock *c) {
        ++n24;
        QVERIFY(!c->Is24H());
    };
    clock.OnSecondsChanged = [&](TKClock *) { ++nSec; };
    clock.SetTime(KSchTime::MakeTime(15, 0, 0));
    QTest::mouseClick(clock._24H_CheckBox, Qt::LeftButton);
    QCOMPARE(n24, 1);
    QVERIFY(!clock.Is24H());
    QCOMPARE(clock.ClockLabel->text(), QString("03:00"));
    QCOMPARE(clock.AMPMLabel->text(), QString("PM"));
    // Enter switches the box too.
    clock.DispSecBox->setFocus();
    QTest::keyClick(clock.DispSecBox, Qt::Key_Return);
    QCOMPARE(nSec, 1);
    QVERIFY(clock.ShowsSeconds());
    QVERIFY(clock.DispSecBox->isChecked());
}

void TestClock::settersDoNotNotify()
{
    TKClock clock;
    int calls = 0;
    clock.On24HChanged = [&](TKClock *) { ++calls; };
    clock.OnSecondsChanged = [&](TKClock *) { ++calls; };
    clock.Set24H(false);
    clock.SetSeconds(true);
    QCOMPARE(calls, 0);
    QVERIFY(!clock._24H_CheckBox->isChecked());
    QVERIFY(clock.DispSecBox->isChecked());
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
