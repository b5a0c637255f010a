#include "platform/sound/KQtSound.h"

#include "platform/sound/KQtSoundFilePlayer.h"
#include "resources/chimes/KChimeData.h"

#include <QAudioDevice>
#include <QDir>
#include <QMediaDevices>
#include <QResource>
#include <QSoundEffect>
#include <QUrl>

KQtSound::KQtSound(QObject *parent) : QObject(parent)
{
    RegisterResources();
}

KQtSound::~KQtSound()
{
    StopResources();
}

void KQtSound::RegisterResources()
{
    static const bool registered = QResource::registerResource(KChimeData::ResourceImage());
    (void)registered;
}

QString KQtSound::ResourcePath(const std::u16string &name)
{
    RegisterResources();
    if (name.empty())
        return QString();
    const QString wanted = QString::fromStdU16String(name) + ".wav";
    const QDir dir(":/sounds");
    for (const QString &entry : dir.entryList(QDir::Files))
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return QString();
}

bool KQtSound::HasAudioOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

bool KQtSound::PlayResource(const std::u16string &name)
{
    const QString path = ResourcePath(name);
    if (path.isEmpty())
        return false;
    StopResources();
    if (!HasAudioOutput())
        return true;
    effect_ = new QSoundEffect(this);
    effect_->setSource(QUrl("qrc" + path));
    effect_->setLoopCount(1);
    effect_->play();
    return true;
}

void KQtSound::StopResources()
{
    if (!effect_)
        return;
    effect_->stop();
    // Deleted from the event loop: the effect may be inside one of its own signals.
    effect_->deleteLater();
    effect_ = nullptr;
}

bool KQtSound::ResourcePlaying() const
{
    return effect_ && effect_->isPlaying();
}

std::unique_ptr<KSoundFilePlayer> KQtSound::CreateFilePlayer()
{
    return std::make_unique<KQtSoundFilePlayer>();
}
