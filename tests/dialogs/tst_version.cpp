#include "app/dialogs/TKVersionDialog.h"
#include "platform/qt/KWindowCaption.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestVersion : public QObject {
    Q_OBJECT

private slots:
    void programRecord();
    void layout();
    void absentFields();
};

void TestVersion::programRecord()
{
    KVersionRecord r = TKVersionDialog::OrvellaRecord();
    TKVersionDialog dlg(r);
    QCOMPARE(dlg.windowTitle(), QString("Orvella バージョン情報"));
    QStringList texts;
    for (QLabel *l : dlg.Lines())
        texts << l->text();
    QCOMPARE(texts.size(), 4);
    QCOMPARE(texts[0], QString("Orvella"));
    QCOMPARE(texts[1], QString("Version %1.%2").arg(r.Major).arg(r.Minor));
    QCOMPARE(texts[2], TKVersionDialog::RightsLine(r.FirstYear, r.LastYear));
    QCOMPARE(texts[3], r.Author);
    QCOMPARE(dlg.Button_OK->text(), QString("O K"));
    // The OK button must close the dialog; if it does not, the dialog is rejected and the check fails.
    QTimer::singleShot(0, &dlg, [&] {
        dlg.Button_OK->click();
        if (dlg.isVisible())
            dlg.reject();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
}

void TestVersion::layout()
{
    TKVersionDialog dlg(TKVersionDialog::OrvellaRecord());
    const QList<QLabel *> lines = dlg.Lines();
    // 300 wide, or wider when the title bar needs it for the whole caption.
    const int width = std::max(300, KWindowCaption::NeededWidth(&dlg));
    QCOMPARE(dlg.width(), width);
    QCOMPARE(lines[0]->y(), (-21 + 26) / 2 + 5); // 16 points: signed height -21
    QCOMPARE(lines[0]->height(), 6 + 21);
    for (int i = 1; i < lines.size(); ++i)
        QCOMPARE(lines[i]->y(), lines[i - 1]->geometry().bottom() + 2);
    for (QLabel *l : lines)
        QVERIFY(qAbs(l->x() + l->width() / 2 - width / 2) <= 1);
    QCOMPARE(dlg.Button_OK->width(), 100);
    QCOMPARE(dlg.Button_OK->x(), (width - 100) / 2);
    QCOMPARE(dlg.Button_OK->y(), lines.last()->geometry().bottom() + 1 + 2);
    QCOMPARE(dlg.height(), dlg.Button_OK->geometry().bottom() + 1 + 8);
    QCOMPARE(dlg.Image->geometry(), QRect(10, 5, 32, 32));
}

void TestVersion::absentFields()
{
    QCOMPARE(TKVersionDialog::RightsLine(2026, 0), QString("Copyright (C) 2026"));
    QCOMPARE(TKVersionDialog::RightsLine(2024, 2026), QString("Copyright (C) 2024 - 2026"));
    KVersionRecord r;
    r.Major = 2;
    r.Minor = 5;
    r.FirstYear = 2026;
    TKVersionDialog dlg(r);
    // No name line: the version starts at 38; "0" texts are left out.
    QCOMPARE(dlg.Lines().size(), 2);
    QCOMPARE(dlg.Lines()[0]->text(), QString("Version 2.5"));
    QCOMPARE(dlg.Lines()[0]->y(), 38);
    QCOMPARE(dlg.Lines()[1]->text(), QString("Copyright (C) 2026"));
    QVERIFY(dlg.Image->isHidden());
}

QTEST_MAIN(TestVersion)
#include "tst_version.moc"
