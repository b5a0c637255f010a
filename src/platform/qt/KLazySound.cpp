#include "platform/qt/KLazySound.h"

#include "platform/sound/KSoundModule.h"

#include <QApplication>
#include <QtDebug>

namespace {
// A player handed out before the module is loaded; the first Play loads it.
class KLazyFilePlayer : public KSoundFilePlayer {
public:
    explicit KLazyFilePlayer(KLazySound &owner) : owner_(owner) {}

    bool Play(const std::u16string &path) override
    {
        if (!real_) {
            KSound *sound = owner_.Loaded();
            if (!sound)
                return false;
            real_ = sound->CreateFilePlayer();
            if (!real_)
                return false;
            real_->SetEventHandler([this](Event event) { Notify(event); });
        }
        return real_->Play(path);
    }
    void Close() override
    {
        if (real_)
            real_->Close();
    }
    bool IsPlaying() const override { return real_ && real_->IsPlaying(); }

private:
    KLazySound &owner_;
    std::unique_ptr<KSoundFilePlayer> real_;
};
} // namespace

KLazySound::KLazySound(KModuleLoader loader) : loader_(std::move(loader)) {}

KLazySound::~KLazySound() = default;

KSound *KLazySound::Loaded()
{
    if (tried_)
        return real_.get();
    tried_ = true;
    const auto create = reinterpret_cast<KSoundModule::Create>(
        loader_.Resolve(QString::fromLatin1(KSoundModule::Name), KSoundModule::Entry, &error_));
    if (create)
        real_.reset(create());
    if (!real_) {
        if (error_.isEmpty())
            error_ = QStringLiteral("the sound module made no sound output");
        qWarning().noquote() << "Orvella: no sound output, alarms ring with the system beep:" << error_;
    }
    return real_.get();
}

bool KLazySound::PlayResource(const std::u16string &name)
{
    if (name.empty())
        return false;
    if (KSound *sound = Loaded())
        return sound->PlayResource(name);
    QApplication::beep();
    return true;
}

void KLazySound::StopResources()
{
    if (real_)
        real_->StopResources();
}

bool KLazySound::ResourcePlaying() const
{
    return real_ && real_->ResourcePlaying();
}

std::unique_ptr<KSoundFilePlayer> KLazySound::CreateFilePlayer()
{
    return std::make_unique<KLazyFilePlayer>(*this);
}
