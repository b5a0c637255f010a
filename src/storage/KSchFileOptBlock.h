#pragma once

#include "alarm/core/KSchAlarmConfig.h"

#include <cstdint>
#include <vector>

// The alarm block of the settings file: the alarm configuration with its points, its three
// free texts and its extra texts, padded with 0x55.
class KSchFileOptBlock {
public:
    static constexpr uint8_t Filler = 0x55;
    static constexpr uint16_t ExtraTextCount = 3;

    static uint64_t BlockLength(const KSchAlarmConfig &config);
    // The laid-out block; empty when the configuration does not fit the 16-bit length.
    static std::vector<uint8_t> BuildBlock(const KSchAlarmConfig &config);
    // Reads a block of exactly size bytes. Returns true on an error; config then keeps what it had.
    static bool ParseBlock(const uint8_t *data, size_t size, KSchAlarmConfig &config);
};
