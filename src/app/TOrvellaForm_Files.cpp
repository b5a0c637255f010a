// File commands.
#include "app/TOrvellaForm.h"

KMsgAnswer TOrvellaForm::ConfirmSaveChanges()
{
    if (!SchModified)
        return KMsgAnswer::Yes;
    // Saving arrives with the file commands; until then nothing can be kept.
    return KMsgAnswer::Yes;
}
