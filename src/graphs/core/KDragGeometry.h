#pragma once

#include "graphs/core/KDragTarget.h"
#include "model/KDaySchedule.h"

#include <cstdint>
#include <vector>

// Hit-testing on the pie and the timeline: which frame edge or body lies under the pointer.
// Times are seconds of the day; places are pixels of the view. Seconds of a frame's times
// count, minutes are what the views draw.
class KDragGeometry {
public:
    static constexpr int32_t Day = 86400;

    // Start of a frame as a time of day, 0 .. Day - 1.
    static int32_t StartSeconds(const KScheduleFrame &f);
    static int32_t DurationSeconds(const KScheduleFrame &f);
    // Forward distance on the day's circle from a to b, 0 .. Day - 1.
    static int32_t Forward(int32_t a, int32_t b);
    // Where a frame's end lies: on the pie a time of day; on the timeline an end at midnight
    // lies at the bottom (Day), unless the frame has no duration.
    static int32_t EndPlace(const KScheduleFrame &f, bool timeline);

    // Every edge of the schedule in frame order: each frame's end, shared with the start of
    // the next frame when that starts at the same place, then the starts that meet no end.
    // On the timeline 00:00 (top) and 24:00 (bottom) are different places, so the last
    // frame's end and the first frame's start are two edges there; on the pie they are one.
    static std::vector<KDragEdge> Edges(const KDaySchedule &s, bool timeline);

    // The frame drawn on top at a place: the last frame in order whose picture holds it.
    static int32_t FrameOnTop(const KDaySchedule &s, int32_t seconds, bool timeline);

    // The pie, with the pointer at (dx, dy) pixels from the centre, y downwards: time under
    // the pointer, and what it holds. Edges are taken within tolerance pixels along the arc,
    // from a third of the radius outwards (nearer the centre the edges crowd together).
    static int32_t PieSeconds(double dx, double dy);
    static KDragTarget PieHit(const KDaySchedule &s, double dx, double dy, double radius, double tolerance);

    // The timeline's axis: the top of 00:00, its length, and the column of the blocks.
    struct Axis {
        double Top = 0;
        double Length = 1;
        double Left = 0;
        double Width = 0;
    };
    // Time at a height, held to 0 .. Day.
    static int32_t TimelineSeconds(const Axis &axis, double y);
    static KDragTarget TimelineHit(const KDaySchedule &s, const Axis &axis, double x, double y,
                                   double tolerance);

private:
    // The edges nearest to the pointer when within tolerance pixels; distance gives the
    // pixels from the pointer to an edge.
    template <class Distance>
    static KDragTarget NearestEdges(const std::vector<KDragEdge> &edges, double tolerance, Distance distance,
                                    bool timeline);
};
