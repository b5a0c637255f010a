#include "platform/qt/KQtAppDataFolder.h"

#include <QDir>
#include <QTest>

class TestAppDataFolder : public QObject {
    Q_OBJECT

private slots:
    void followsTheDataHome()
    {
        KQtAppDataFolder folder;
        const QString home = QDir(QDir::tempPath()).filePath("orvella-data-home");
        qputenv("XDG_DATA_HOME", home.toUtf8());
        QCOMPARE(QString::fromStdU16String(folder.Folder()), home);
        QCOMPARE(QString::fromStdU16String(folder.SettingsFilePath()),
                 home + "/Tolvarin/Orvella/OrvellaEnv.ore");
        // Asked again on every call: a changed environment is followed.
        qputenv("XDG_DATA_HOME", (home + "2").toUtf8());
        QCOMPARE(QString::fromStdU16String(folder.Folder()), home + "2");
        // Reading the path creates nothing.
        QVERIFY(!QDir(home + "2").exists());
    }
};

QTEST_MAIN(TestAppDataFolder)
#include "tst_app_data_folder.moc"
