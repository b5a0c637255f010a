#pragma once

#include "week/core/KWeekSchConfig.h"

#include <cstdint>
#include <vector>

// The week block of the settings file: the automatic-opening flag and the path of the
// week schedule file opened at start, padded with 0xAA.
class KDSEnvWkOptFileBlock {
public:
    static constexpr uint8_t Filler = 0xAA;

    static uint64_t BlockLength(const KWeekSchConfig &config);
    // The laid-out block; empty when the path does not fit the 16-bit length.
    static std::vector<uint8_t> BuildBlock(const KWeekSchConfig &config);
    // Reads a block of exactly size bytes into AutoOpen and AutoReadFile. Returns true on an
    // error; config then keeps what it had.
    static bool ParseBlock(const uint8_t *data, size_t size, KWeekSchConfig &config);
};
