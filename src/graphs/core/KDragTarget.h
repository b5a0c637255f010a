#pragma once

#include <cstdint>
#include <vector>

// A place on a graph where the pointer can take hold of a frame's start or end.
struct KDragEdge {
    int32_t Before = -1; // frame whose end lies on the edge, or -1
    int32_t After = -1;  // frame whose start lies on the edge, or -1
    // Seconds from 00:00; 86400 is the bottom end of the timeline.
    int32_t Seconds = 0;
    bool operator==(const KDragEdge &) const = default;
};

// What lies under the pointer on the pie or the timeline.
struct KDragTarget {
    enum Kind { None = 0, Edge = 1, Body = 2 };
    Kind What = None;
    // Edge: the edges at the place under the pointer, in frame order. There are several
    // when more than two frames meet at one point (around a frame without duration); the
    // drag takes the first one that can move the way the pointer goes.
    std::vector<KDragEdge> Edges;
    int32_t Frame = -1; // Body: the frame whose picture is under the pointer
};
