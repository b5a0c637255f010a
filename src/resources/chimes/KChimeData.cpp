#include "resources/chimes/KChimeData.h"

// The resource image is large (several megabytes of PCM): it is assembled straight into
// the object file instead of going through a C array.
__asm__(".section .rodata\n"
        ".balign 16\n"
        ".global orvella_chime_image\n"
        ".type orvella_chime_image, @object\n"
        "orvella_chime_image:\n"
        ".incbin \"" ORVELLA_CHIME_IMAGE "\"\n"
        ".byte 0\n"
        ".previous\n");

extern "C" const unsigned char orvella_chime_image[];

const unsigned char *KChimeData::ResourceImage()
{
    return orvella_chime_image;
}
