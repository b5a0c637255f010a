// Skin mode.
#include "app/TOrvellaForm.h"

void TOrvellaForm::OpenSkinPopupFromKeyboard()
{
}
