#include "graphs/core/KDragGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

int32_t KDragGeometry::StartSeconds(const KScheduleFrame &f)
{
    return int32_t(f.StartTime.TotalSeconds() % Day);
}

int32_t KDragGeometry::DurationSeconds(const KScheduleFrame &f)
{
    return int32_t(f.Duration.TotalSeconds());
}

int32_t KDragGeometry::Forward(int32_t a, int32_t b)
{
    const int32_t d = (b - a) % Day;
    return d < 0 ? d + Day : d;
}

int32_t KDragGeometry::EndPlace(const KScheduleFrame &f, bool timeline)
{
    const int32_t start = StartSeconds(f), duration = DurationSeconds(f);
    const int32_t end = int32_t((int64_t(start) + duration) % Day);
    if (timeline && end == 0 && duration > 0)
        return Day;
    return end;
}

std::vector<KDragEdge> KDragGeometry::Edges(const KDaySchedule &s, bool timeline)
{
    const int32_t n = s.GetCount();
    std::vector<KDragEdge> edges;
    // A lone frame is not its own neighbour: its start and end are separate edges.
    auto meets = [&](int32_t i, int32_t next) {
        return n > 1 && EndPlace(*s.GetFrame(i), timeline) == StartSeconds(*s.GetFrame(next));
    };
    for (int32_t i = 0; i < n; ++i) {
        const int32_t next = s.NextIndex(i);
        const int32_t at = EndPlace(*s.GetFrame(i), timeline);
        edges.push_back(KDragEdge{i, meets(i, next) ? next : -1, at});
    }
    for (int32_t i = 0; i < n; ++i) {
        if (!meets(s.PrevIndex(i), i))
            edges.push_back(KDragEdge{-1, i, StartSeconds(*s.GetFrame(i))});
    }
    return edges;
}

int32_t KDragGeometry::FrameOnTop(const KDaySchedule &s, int32_t seconds, bool timeline)
{
    for (int32_t i = s.GetCount() - 1; i >= 0; --i) {
        const KScheduleFrame &f = *s.GetFrame(i);
        const int32_t start = StartSeconds(f), duration = DurationSeconds(f);
        if (duration == 0)
            continue;
        if (!timeline) {
            if (duration >= Day || Forward(start, seconds) < duration)
                return i;
            continue;
        }
        // The timeline draws the frame from its start down to its end place, in two blocks
        // when it runs past midnight; a whole day from any hour but 00:00 has no height.
        const int32_t end = EndPlace(f, true);
        const bool holds =
            start <= end ? start <= seconds && seconds < end : seconds >= start || seconds < end;
        if (holds)
            return i;
    }
    return -1;
}

template <class Distance>
KDragTarget KDragGeometry::NearestEdges(const std::vector<KDragEdge> &edges, double tolerance,
                                        Distance distance, bool timeline)
{
    KDragTarget target;
    double best = tolerance;
    int32_t place = -1;
    for (const KDragEdge &e : edges) {
        const double d = distance(e);
        if (d <= best && (place < 0 || d < best)) {
            best = d;
            place = e.Seconds;
        }
    }
    if (place < 0)
        return target;
    target.What = KDragTarget::Edge;
    for (const KDragEdge &e : edges) {
        const bool same = timeline ? e.Seconds == place : Forward(e.Seconds, place) == 0;
        if (same)
            target.Edges.push_back(e);
    }
    return target;
}

int32_t KDragGeometry::PieSeconds(double dx, double dy)
{
    // 00:00 is at the bottom and time runs clockwise on the screen: a point at angle theta
    // lies at (-r cos theta, -r sin theta), 00:00 at 270 degrees, 240 seconds a degree.
    const double theta = std::atan2(-dy, -dx) * 180.0 / std::numbers::pi;
    const double seconds = std::fmod((theta - 270.0) * 240.0, double(Day));
    const int32_t s = int32_t(std::lround(seconds < 0 ? seconds + Day : seconds));
    return s >= Day ? s - Day : s;
}

KDragTarget KDragGeometry::PieHit(const KDaySchedule &s, double dx, double dy, double radius,
                                  double tolerance)
{
    const double r = std::hypot(dx, dy);
    if (!(r <= radius + tolerance))
        return {};
    const int32_t t = PieSeconds(dx, dy);
    if (r >= radius / 3.0) {
        auto arc = [&](const KDragEdge &e) {
            const int32_t ahead = Forward(t, e.Seconds);
            const int32_t apart = ahead > Day / 2 ? Day - ahead : ahead;
            return r * (apart / 240.0) * std::numbers::pi / 180.0;
        };
        KDragTarget edge = NearestEdges(Edges(s, false), tolerance, arc, false);
        if (edge.What == KDragTarget::Edge)
            return edge;
    }
    KDragTarget body;
    if (r <= radius && (body.Frame = FrameOnTop(s, t, false)) >= 0)
        body.What = KDragTarget::Body;
    return body;
}

int32_t KDragGeometry::TimelineSeconds(const Axis &axis, double y)
{
    if (!(axis.Length > 0))
        return 0;
    const double seconds = (y - axis.Top) / axis.Length * Day;
    if (!(seconds > 0))
        return 0;
    if (seconds >= Day)
        return Day;
    return int32_t(std::lround(seconds));
}

KDragTarget KDragGeometry::TimelineHit(const KDaySchedule &s, const Axis &axis, double x, double y,
                                       double tolerance)
{
    if (!(x >= axis.Left && x <= axis.Left + axis.Width) || !(axis.Length > 0))
        return {};
    auto pixels = [&](const KDragEdge &e) { return std::fabs(axis.Top + axis.Length * e.Seconds / Day - y); };
    KDragTarget edge = NearestEdges(Edges(s, true), tolerance, pixels, true);
    if (edge.What == KDragTarget::Edge)
        return edge;
    KDragTarget body;
    if (!(y >= axis.Top && y < axis.Top + axis.Length))
        return body;
    const int32_t t = std::min(Day - 1, int32_t((y - axis.Top) / axis.Length * Day));
    if ((body.Frame = FrameOnTop(s, t, true)) >= 0)
        body.What = KDragTarget::Body;
    return body;
}
