#include "storage/KByteWriter.h"

uint16_t ByteSum16(const uint8_t *data, size_t n)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += data[i];
    return uint16_t(sum);
}
