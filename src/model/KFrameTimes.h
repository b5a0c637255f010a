#pragma once

#include "model/KSchTime.h"

#include <cstdint>

// New start and duration of one frame of a schedule, as a drag on a graph computes them.
struct KFrameTimes {
    int32_t Index = -1;
    KSchTime Start;
    KSchTime Duration;
    bool operator==(const KFrameTimes &) const = default;
};
