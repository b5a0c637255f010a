// The real sound output on this machine: the built-in sounds are there and well formed,
// and playing (a built-in sound, a file, an unplayable file) never blocks the event loop,
// with or without an audio server.
#include "alarm/core/KAlarmSounds.h"
#include "platform/sound/KQtSound.h"
#include "platform/sound/KQtSoundFilePlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

namespace {
struct WavInfo {
    int Format = 0, Channels = 0, Rate = 0, Bits = 0;
    double Seconds = 0;
};

// Reads the fmt and data chunks of a RIFF WAVE image.
bool ParseWav(const QByteArray &bytes, WavInfo &info)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return false;
    qsizetype pos = 12;
    bool haveFmt = false;
    while (pos + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + pos + 4);
        const qsizetype body = pos + 8;
        if (body + qsizetype(size) > bytes.size())
            return false;
        if (id == "fmt " && size >= 16) {
            info.Format = qFromLittleEndian<quint16>(bytes.constData() + body);
            info.Channels = qFromLittleEndian<quint16>(bytes.constData() + body + 2);
            info.Rate = int(qFromLittleEndian<quint32>(bytes.constData() + body + 4));
            info.Bits = qFromLittleEndian<quint16>(bytes.constData() + body + 14);
            haveFmt = true;
        } else if (id == "data" && haveFmt && info.Channels > 0 && info.Bits > 0 && info.Rate > 0) {
            info.Seconds = double(size) / (info.Channels * (info.Bits / 8)) / info.Rate;
            return true;
        }
        pos = body + qsizetype(size) + (size & 1);
    }
    return false;
}
} // namespace

class TestSound : public QObject {
    Q_OBJECT

private slots:
    void theFiveBuiltInSoundsAreThereInTheirFormat()
    {
        KQtSound sound;
        const double lengths[5] = {3.5, 5.6, 16.2, 25.9, 9.2};
        for (size_t i = 0; i < KAlarmSounds::All.size(); ++i) {
            const std::u16string name = KAlarmSounds::All[i].Name;
            const QString path = KQtSound::ResourcePath(name);
            QVERIFY2(!path.isEmpty(), qPrintable(QString::fromStdU16String(name)));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            WavInfo info;
            QVERIFY(ParseWav(file.readAll(), info));
            QCOMPARE(info.Format, 1); // PCM
            QCOMPARE(info.Bits, 16);
            QCOMPARE(info.Rate, 44100);
            QCOMPARE(info.Channels, name == u"SimulatedChurchBell" ? 2 : 1);
            QVERIFY2(qAbs(info.Seconds - lengths[i]) < 0.25, qPrintable(QString::number(info.Seconds)));
        }
        // Names are found without regard to case; other names are not sounds.
        QCOMPARE(KQtSound::ResourcePath(u"alarmbell"), QString(":/sounds/AlarmBell.wav"));
        QVERIFY(KQtSound::ResourcePath(u"Chime_3").isEmpty());
        QVERIFY(KQtSound::ResourcePath(u"").isEmpty());
        QVERIFY(!sound.PlayResource(u"Chime_3"));
    }

    void playingNeverStopsTheEventLoop()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A real WAV (copied from the resources) and a file that only claims to be an mp3.
        const QString wav = dir.filePath("chime.wav");
        QVERIFY(QFile::copy(KQtSound::ResourcePath(u"Chime_1"), wav));
        const QString junk = dir.filePath("broken.mp3");
        {
            QFile f(junk);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        }

        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(20);

        KQtSound sound;
        QVERIFY(sound.PlayResource(u"Chime_1"));
        auto player = sound.CreateFilePlayer();
        bool ended = false, failed = false;
        player->SetEventHandler([&](KSoundFilePlayer::Event e) {
            (e == KSoundFilePlayer::Event::Ended ? ended : failed) = true;
        });

        if (KQtSound::HasAudioOutput()) {
            // A file that cannot be decoded is refused at once or reported as failed later.
            if (player->Play(junk.toStdU16String()))
                QTRY_VERIFY_WITH_TIMEOUT(failed, 15000);
            QVERIFY(!ended);
            failed = false;
        } else {
            // With nowhere to play to, a file plays to nothing and ends; nothing is reported
            // as broken.
            QVERIFY(player->Play(junk.toStdU16String()));
            QTRY_VERIFY(ended);
            QVERIFY(!failed);
            ended = false;
        }

        // A good file plays (to a device or to nothing) and ends; the loop ticks meanwhile.
        QVERIFY(player->Play(wav.toStdU16String()));
        const int before = ticks;
        QTRY_VERIFY_WITH_TIMEOUT(ended || failed, 20000);
        QVERIFY(!failed);
        QTRY_VERIFY_WITH_TIMEOUT(ticks > before + 10, 5000);

        // Stopping and closing return, and nothing is reported after a close.
        QVERIFY(player->Play(wav.toStdU16String()));
        player->Close();
        QVERIFY(!player->IsPlaying());
        sound.StopResources();
        ended = false;
        const int after = ticks;
        QTRY_VERIFY_WITH_TIMEOUT(ticks > after + 10, 5000);
        QVERIFY(!ended);
        QVERIFY(!player->Play(dir.filePath("missing.wav").toStdU16String()));
    }
};

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
