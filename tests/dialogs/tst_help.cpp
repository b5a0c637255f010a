#include "app/dialogs/TKHelpWindow.h"

#include <QFile>
#include <QTextBrowser>
#include <QtTest>

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void guidesAreShipped();
    void showsTheContents();
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

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
