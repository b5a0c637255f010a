// The entry point of the sound module.
#include "platform/sound/KSoundModule.h"

#include "platform/sound/KQtSound.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT KSound *OrvellaCreateSound()
{
    return new KQtSound();
}
