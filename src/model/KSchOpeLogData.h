#pragma once

#include "model/KScheduleFrame.h"

#include <cstdint>
#include <utility>
#include <vector>

// One record of the operation log: what kind of edit, which frame, and a copy of that frame
// (before the edit for a delete or a change, the new frame for an add or an insert).
// A change of several frames at once (a drag on a graph) keeps every frame it touched.
struct KSchOpeLogData {
    enum : uint32_t { opNone = 0, opDelete = 1, opAdd = 2, opInsert = 3, opChange = 4, opChangeFrames = 5 };

    uint32_t OpType = opNone;
    int32_t FrameIndex = 0;
    // List column of a change; -1 for delete, add and insert.
    int32_t Column = -1;
    KScheduleFrame SavedFrame;
    // opChangeFrames: {index, frame before the change} of each frame changed.
    std::vector<std::pair<int32_t, KScheduleFrame>> SavedFrames;
};
