#pragma once

// The five built-in alarm sounds as one compiled resource image (made at build time by
// tools/chimegen and rcc), to be registered with the resource system under ":/sounds".
namespace KChimeData {
const unsigned char *ResourceImage();
}
