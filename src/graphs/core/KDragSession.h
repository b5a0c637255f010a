#pragma once

#include "graphs/core/KDragTarget.h"
#include "model/KDaySchedule.h"
#include "model/KFrameTimes.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// One drag on the pie or the timeline, from the press to the release: where the frames it
// takes hold of go as the pointer moves.
// - An edge shared by two frames moves the end of the earlier and the start of the later
//   frame together (the later frame's end stays); a lone start or end moves alone.
// - A body moves the whole frame and keeps its duration. A neighbour that meets it follows
//   (its facing edge stays on the frame); across a gap the frame moves up to the neighbour
//   and no further. So a body drag never makes an overlap and never passes a neighbour.
// - The moved times snap to a step of whole minutes; no frame the drag touches gets shorter
//   than 1 minute (nor shorter than it was, when it was shorter already) or longer than a day.
// Every answer is computed from the frames as they were at the press.
class KDragSession {
public:
    static constexpr int32_t Day = 86400;
    static constexpr int32_t ShortestFrame = 60;

    // pressSeconds: time of day under the pointer at the press. On the timeline times are
    // places on the axis (0 .. Day, no wrapping round); on the pie the pointer may go round.
    KDragSession(const KDaySchedule &schedule, KDragTarget target, int32_t pressSeconds, bool timeline);

    // The pointer is at pointerSeconds now. Answers the new start and duration of every frame
    // the drag touches (unchanged frames keep their stored times exactly).
    std::vector<KFrameTimes> Move(int32_t pointerSeconds, int stepMinutes);

    const KDragTarget &Target() const { return target_; }
    // The edge the drag moves (an edge drag); the first one until the pointer has chosen.
    const KDragEdge &Edge() const;
    // The frame the drag is about: the body's frame, or the frame whose start is on the edge
    // (whose end is, when no start is).
    int32_t Frame() const;
    // The frames to describe while dragging, in the order of the day.
    std::vector<int32_t> Described() const;
    // Every frame the drag may change, whichever way the pointer goes.
    std::vector<int32_t> Touched() const;
    // How far the edge (or the body's start) may move from where it was, in seconds: lo <= 0 <= hi.
    // A body free to go round the day (alone, or two frames that meet at both ends) gets
    // {-Day, Day}.
    std::pair<int32_t, int32_t> EdgeRange(const KDragEdge &edge) const;
    std::pair<int32_t, int32_t> BodyRange() const;

    // "12:10～13:25 (1:15)" in Japanese, "12:10 ~ 13:25 (1:15)" in English (language 1).
    static std::u16string TimesText(KSchTime start, KSchTime duration, int language);

private:
    struct Times {
        int32_t Start;    // time of day
        int32_t Duration; // seconds
        KSchTime StoredStart;
        KSchTime StoredDuration;
    };
    int32_t Prev(int32_t i) const { return i == 0 ? int32_t(frames_.size()) - 1 : i - 1; }
    int32_t Next(int32_t i) const { return i + 1 < int32_t(frames_.size()) ? i + 1 : 0; }
    int32_t EndOf(int32_t i) const;
    bool Meets(int32_t before, int32_t after) const;
    // Whether two frames share some time of the day.
    bool Overlap(int32_t a, int32_t b) const;
    // How far an edge of mover may sweep from a place (forward or backward) before it runs
    // into a frame that mover does not overlap already; frames in skip are not in the way.
    int32_t Room(int32_t from, bool forward, int32_t mover, std::initializer_list<int32_t> skip) const;
    static int32_t Shortest(int32_t duration);
    static int32_t Snap(int64_t seconds, int stepMinutes);
    static KSchTime Clock(int64_t seconds);
    static KSchTime Span(int64_t seconds);
    // How far each touched frame's start and duration move; moves of one frame add up.
    struct Shift {
        struct Moved {
            int32_t Index;
            int64_t Start;
            int64_t Duration;
        };
        std::vector<Moved> Frames;
        void Add(int32_t i, int32_t startDelta, int32_t durationDelta);
    };
    std::vector<KFrameTimes> Apply(const Shift &shift) const;
    std::vector<KFrameTimes> EdgeTimes(const KDragEdge &edge, int32_t d) const;
    std::vector<KFrameTimes> BodyTimes(int32_t d) const;

    std::vector<Times> frames_;
    KDragTarget target_;
    bool timeline_;
    int32_t press_;
    int32_t last_;
    int64_t travel_ = 0; // pointer's way from the press, unwrapped on the pie
    size_t edge_ = 0;    // which of the target's edges moves
    bool edgeChosen_ = false;
};
