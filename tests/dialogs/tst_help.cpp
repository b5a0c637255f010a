#include "app/dialogs/TKHelpWindow.h"

#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScreen>
#include <QTextBrowser>
#include <QtTest>

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void guidesAreShipped();
    void showsTheContents();
    void opensBesideItsOwnerOnTheScreen();
};

void TestHelp::guidesAreShipped()
{
    for (int language : {0, 1}) {
        const QString source = TKHelpWindow::HelpSource(language);
        QVERIFY2(!source.isEmpty(), qPrintable(TKHelpWindow::HelpFileName(language)));
        QFile f(source);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        // Every topic the guide promises, and the link to its twin.
        for (const char *anchor : {"frame", "scheduling", "views", "alarm", "week", "skin", "keys"})
            QVERIFY2(html.contains(QString("id=\"%1\"").arg(anchor)), anchor);
        QVERIFY(html.contains(TKHelpWindow::HelpFileName(1 - language)));
        QVERIFY(html.contains("Ctrl+G"));
    }
    QCOMPARE(TKHelpWindow::HelpFileName(0), QString("orvella_ja.html"));
    QCOMPARE(TKHelpWindow::HelpFileName(7), QString("orvella_ja.html"));
}

void TestHelp::showsTheContents()
{
    QWidget owner;
    QVERIFY(TKHelpWindow::ShowContents(&owner, 0));
    TKHelpWindow *w = TKHelpWindow::Instance();
    QVERIFY(w && w->isVisible());
    QVERIFY(w->Browser()->toPlainText().contains("スケジュール作成モード"));
    // A second call reuses the window and can switch the language.
    QVERIFY(TKHelpWindow::ShowContents(&owner, 1));
    QCOMPARE(TKHelpWindow::Instance(), w);
    QVERIFY(w->Browser()->toPlainText().contains("Scheduling mode"));
    QVERIFY(!w->Load(QString("/nonexistent/help.html")));
    TKHelpWindow::CloseHelp();
    QTRY_VERIFY(!TKHelpWindow::Instance());
}

void TestHelp::opensBesideItsOwnerOnTheScreen()
{
    // Any owner, size and screen: the window is inside the screen's available area, as large
    // as asked where the area allows, and clear of the owner when there is room beside it.
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator rng(seed);
    for (int i = 0; i < 2000; ++i) {
        const QRect area(rng.bounded(100), rng.bounded(100), 400 + rng.bounded(1600),
                         300 + rng.bounded(1000));
        const QRect owner(area.left() - 50 + rng.bounded(area.width()),
                          area.top() - 50 + rng.bounded(area.height()), 50 + rng.bounded(1200),
                          50 + rng.bounded(900));
        const QSize outer(100 + rng.bounded(1500), 100 + rng.bounded(1000));
        const QRect r = TKHelpWindow::PlaceBeside(owner, outer, area);
        const QString at = QString("seed %1 case %2").arg(seed).arg(i);
        QVERIFY2(area.contains(r), qPrintable(at));
        QVERIFY2(r.size() == outer.boundedTo(area.size()), qPrintable(at));
        const bool room =
            owner.right() + outer.width() <= area.right() || owner.left() - outer.width() >= area.left();
        if (room)
            QVERIFY2(!r.intersects(owner), qPrintable(at));
    }

    // A window at the right edge of the screen gets its help on the left, on the screen.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(screen.right() - 120, screen.top() + 40, 120, 100);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QVERIFY(TKHelpWindow::ShowContents(&owner, 0));
    TKHelpWindow *w = TKHelpWindow::Instance();
    QVERIFY(screen.contains(w->frameGeometry()));
    QVERIFY(!w->frameGeometry().intersects(owner.frameGeometry()));
    TKHelpWindow::CloseHelp();
    QTRY_VERIFY(!TKHelpWindow::Instance());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
