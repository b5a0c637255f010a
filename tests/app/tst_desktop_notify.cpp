// Desktop notifications beside the alarm popup: the Alarm menu's choice and the settings file.
#include "app/WindowHarness.h"
#include "platform/fakes/KFakeDesktopNotifier.h"
#include "storage/KOrvellaEnv.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {
struct NotifyWindow {
    KFakeDesktopNotifier desktop;
    WindowHarness h{QSize(1024, 768), false, false};
    NotifyWindow() { Build(); }
    void Build()
    {
        h.notifications = &desktop;
        h.Build();
    }
    TOrvellaForm &f() { return *h.form; }
    std::optional<std::vector<uint8_t>> SettingsFile() const
    {
        return h.files.Get(h.appData.SettingsFilePath());
    }
};
} // namespace

class TestDesktopNotify : public QObject {
    Q_OBJECT

private slots:
    void choiceInTheAlarmMenuIsKeptBetweenRuns()
    {
        NotifyWindow w;
        QAction *notify = w.f().Action("AlarmDesktopNotify");
        QVERIFY(notify != nullptr);
        QVERIFY(w.f().ALARM_Menu->actions().contains(notify));
        QVERIFY(notify->isChecked());
        QVERIFY(w.f().DesktopNotify);

        notify->trigger();
        QVERIFY(!w.f().DesktopNotify);
        w.Build(); // the old window writes its settings, the new one reads them
        QVERIFY(!w.f().DesktopNotify);
        QVERIFY(w.f().Action("AlarmDesktopNotify") != nullptr);
        QVERIFY(!w.f().Action("AlarmDesktopNotify")->isChecked());
        // Kept in a spare option bit; the other options are untouched.
        std::optional<std::vector<uint8_t>> file = w.SettingsFile();
        QVERIFY(file && file->size() > 65);
        QCOMPARE(int((*file)[65] & KOrvellaEnv::OptNoDesktopNotify), int(KOrvellaEnv::OptNoDesktopNotify));
        QCOMPARE(int((*file)[65] & ~KOrvellaEnv::OptNoDesktopNotify), int(KOrvellaEnv::OptCurTimeMark));

        w.f().Action("AlarmDesktopNotify")->trigger();
        w.Build();
        QVERIFY(w.f().DesktopNotify);
        file = w.SettingsFile();
        QVERIFY(file && file->size() > 65);
        QCOMPARE(int((*file)[65] & KOrvellaEnv::OptNoDesktopNotify), 0);
    }

    // A settings file from before the choice existed has the bit clear: notifications on.
    void olderSettingsFileReadsAsOn()
    {
        NotifyWindow w;
        w.f().SetDesktopNotify(false);
        w.h.form.reset();
        std::vector<uint8_t> file = *w.SettingsFile();
        file[65] = uint8_t(file[65] & ~KOrvellaEnv::OptNoDesktopNotify);
        w.h.files.Put(w.h.appData.SettingsFilePath(), file);
        w.Build();
        QVERIFY(w.f().DesktopNotify);
        QVERIFY(w.f().Action("AlarmDesktopNotify")->isChecked());
    }
};

QTEST_MAIN(TestDesktopNotify)
#include "tst_desktop_notify.moc"
