// The sound output the planner starts with: no audio library is in the process until the
// first sound plays, then the sound module does the work; without the module an alarm
// still rings (the system beep) and the reason is kept.
#include "platform/qt/KLazySound.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

namespace {
// Whether a shared object whose file name contains name is mapped into this process
// (Linux); nullopt where that cannot be told.
std::optional<bool> Mapped(const QByteArray &name)
{
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly))
        return std::nullopt;
    return maps.readAll().contains(name);
}
} // namespace

class TestLazySound : public QObject {
    Q_OBJECT

private slots:
    void theModuleIsLoadedByTheFirstSoundOnly()
    {
        KLazySound sound;
        auto player = sound.CreateFilePlayer();
        sound.StopResources();
        QVERIFY(!sound.ResourcePlaying());
        QVERIFY(!player->IsPlaying());
        player->Close();
        QVERIFY(!sound.Tried());
        if (const auto mapped = Mapped("libQt6Multimedia"))
            QVERIFY2(!*mapped, "the audio libraries are loaded before any sound plays");

        // An empty name is no sound and loads nothing.
        QVERIFY(!sound.PlayResource(u""));
        QVERIFY(!sound.Tried());

        QVERIFY(sound.PlayResource(u"chime_1"));
        QVERIFY2(sound.Loaded() != nullptr, qPrintable(sound.LoadError()));
        QVERIFY(sound.LoadError().isEmpty());
        if (const auto mapped = Mapped("libQt6Multimedia"))
            QVERIFY(*mapped);
        // The module's own answers come through: an unknown name is not a sound, and a player
        // made before the module was there plays through it.
        QVERIFY(!sound.PlayResource(u"Chime_3"));
        QTemporaryDir dir;
        QVERIFY(!player->Play(dir.filePath("missing.wav").toStdU16String()));
        sound.StopResources();
    }

    void withoutTheModuleAnAlarmStillRings()
    {
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        // The module sits in the working folder but not in the folder named: it is not loaded
        // from there.
        const QString built = KModuleLoader().Folders().first();
        const QString saved = QDir::currentPath();
        QDir::setCurrent(built);
        KLazySound sound{KModuleLoader({empty.path()})};
        bool ended = false, failed = false;
        auto player = sound.CreateFilePlayer();
        player->SetEventHandler([&](KSoundFilePlayer::Event e) {
            (e == KSoundFilePlayer::Event::Ended ? ended : failed) = true;
        });
        // A built-in sound is the system beep: the caller is told it played, so it does not
        // wait on a sound that never comes; a sound file does not play.
        QVERIFY(sound.PlayResource(u"Chime_1"));
        QDir::setCurrent(saved);
        QVERIFY(sound.Tried());
        QVERIFY(sound.Loaded() == nullptr);
        QVERIFY2(sound.LoadError().contains(empty.path()), qPrintable(sound.LoadError()));
        QVERIFY(!sound.ResourcePlaying());
        QVERIFY(!player->Play(u"/nonexistent/alarm.wav"));
        QVERIFY(!player->IsPlaying());
        QVERIFY(!ended && !failed);
        // Tried once: a later sound does not search again.
        QVERIFY(sound.PlayResource(u"Chime_2"));
    }

    void aLibraryWithoutTheEntryIsNotTaken()
    {
        // A file of the module's name that is some other library: refused, and the next
        // folder is tried.
        QTemporaryDir wrong;
        QVERIFY(wrong.isValid());
        QFile notOurs(QDir(wrong.path()).filePath("liborvella-sound.so"));
        QVERIFY(notOurs.open(QIODevice::WriteOnly));
        notOurs.write("not a shared object");
        notOurs.close();
        const QString built = KModuleLoader().Folders().first();
        KLazySound sound{KModuleLoader({wrong.path(), built})};
        QVERIFY(sound.PlayResource(u"Chime_1"));
        QVERIFY2(sound.Loaded() != nullptr, qPrintable(sound.LoadError()));
    }
};

QTEST_MAIN(TestLazySound)
#include "tst_lazy_sound.moc"
