#pragma once

#include "week/core/KWeekSchConfig.h"

#include <cstdint>
#include <vector>

// The one data block of a week schedule file: its length, the number of paths (7) and the
// seven paths, Sunday first, each ended by a zero character.
class KWeekSchCfgFileBlock {
public:
    static constexpr size_t FixedSize = 16;

    static uint64_t BlockLength(const KWeekSchConfig &config);
    static std::vector<uint8_t> BuildBlock(const KWeekSchConfig &config);
    // Reads the paths of a block of exactly size bytes into config's days. Returns true on
    // an error (a length that disagrees, a path that runs past the block); config then keeps
    // what it had.
    static bool ParseBlock(const uint8_t *data, size_t size, KWeekSchConfig &config);
};
