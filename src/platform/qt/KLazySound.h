#pragma once

#include "platform/core/KSound.h"
#include "platform/qt/KModuleLoader.h"

#include <QString>
#include <memory>

// The machine's sound output, loaded when the first sound plays: until then no audio
// library is in the process. The sound module does the work (KQtSound); players made
// before it is loaded load it when they first play. When the module cannot be loaded (a
// damaged installation) a built-in sound is the system beep, so an alarm is never silent,
// a sound file does not play (the caller then falls back to a built-in sound), and the
// reason is written to the log once.
class KLazySound : public KSound {
public:
    explicit KLazySound(KModuleLoader loader = KModuleLoader());
    ~KLazySound() override;

    bool PlayResource(const std::u16string &name) override;
    void StopResources() override;
    bool ResourcePlaying() const override;
    std::unique_ptr<KSoundFilePlayer> CreateFilePlayer() override;

    // The sound output of the module, loaded on the first call; nullptr when it cannot be.
    KSound *Loaded();
    // Whether the module has been loaded (or tried and failed).
    bool Tried() const { return tried_; }
    // Why the module could not be loaded; empty when it was, or was not tried.
    const QString &LoadError() const { return error_; }

private:
    KModuleLoader loader_;
    std::unique_ptr<KSound> real_;
    bool tried_ = false;
    QString error_;
};
