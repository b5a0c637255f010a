#include "graphs/core/KDragSession.h"

#include "graphs/core/KDragGeometry.h"

#include <algorithm>

KDragSession::KDragSession(const KDaySchedule &schedule, KDragTarget target, int32_t pressSeconds,
                           bool timeline)
    : target_(std::move(target)), timeline_(timeline), press_(pressSeconds), last_(pressSeconds)
{
    const int32_t n = schedule.GetCount();
    for (int32_t i = 0; i < n; ++i) {
        const KScheduleFrame &f = *schedule.GetFrame(i);
        frames_.push_back(Times{KDragGeometry::StartSeconds(f), KDragGeometry::DurationSeconds(f),
                                f.StartTime, f.Duration});
    }
    // A target that names frames the schedule does not have takes hold of nothing.
    const int32_t count = int32_t(frames_.size());
    auto valid = [count](int32_t i) { return i >= -1 && i < count; };
    bool ok = target_.What != KDragTarget::Body || (target_.Frame >= 0 && target_.Frame < count);
    if (target_.What == KDragTarget::Edge) {
        ok = !target_.Edges.empty();
        for (const KDragEdge &e : target_.Edges)
            ok = ok && valid(e.Before) && valid(e.After) && (e.Before >= 0 || e.After >= 0);
    }
    if (!ok)
        target_ = KDragTarget{};
}

const KDragEdge &KDragSession::Edge() const
{
    static const KDragEdge none;
    return target_.Edges.empty() ? none : target_.Edges[edge_];
}

int32_t KDragSession::Frame() const
{
    if (target_.What == KDragTarget::Body)
        return target_.Frame;
    if (target_.What == KDragTarget::Edge)
        return Edge().After >= 0 ? Edge().After : Edge().Before;
    return -1;
}

std::vector<int32_t> KDragSession::Described() const
{
    if (target_.What == KDragTarget::Body)
        return {target_.Frame};
    std::vector<int32_t> frames;
    if (target_.What == KDragTarget::Edge) {
        for (int32_t i : {Edge().Before, Edge().After}) {
            if (i >= 0)
                frames.push_back(i);
        }
    }
    return frames;
}

std::vector<int32_t> KDragSession::Touched() const
{
    std::vector<int32_t> frames;
    auto add = [&frames](int32_t i) {
        if (i >= 0 && std::find(frames.begin(), frames.end(), i) == frames.end())
            frames.push_back(i);
    };
    if (target_.What == KDragTarget::Body) {
        const int32_t f = target_.Frame;
        add(f);
        if (frames_.size() > 1 && Meets(Prev(f), f))
            add(Prev(f));
        if (frames_.size() > 1 && Meets(f, Next(f)))
            add(Next(f));
    }
    for (const KDragEdge &e : target_.Edges) {
        add(e.Before);
        add(e.After);
    }
    return frames;
}

int32_t KDragSession::EndOf(int32_t i) const
{
    const Times &f = frames_[size_t(i)];
    const int32_t end = int32_t((int64_t(f.Start) + f.Duration) % Day);
    return timeline_ && end == 0 && f.Duration > 0 ? Day : end;
}

bool KDragSession::Meets(int32_t before, int32_t after) const
{
    return frames_.size() > 1 && EndOf(before) == frames_[size_t(after)].Start;
}

int32_t KDragSession::Shortest(int32_t duration)
{
    return std::min(ShortestFrame, duration);
}

int32_t KDragSession::Snap(int64_t seconds, int stepMinutes)
{
    const int64_t step = int64_t(std::max(1, stepMinutes)) * 60;
    int64_t q = (seconds + step / 2) / step;
    if ((seconds + step / 2) % step < 0)
        --q; // floor for negative values
    return int32_t(q * step);
}

KSchTime KDragSession::Clock(int64_t seconds)
{
    int64_t s = seconds % Day;
    if (s < 0)
        s += Day;
    return KSchTime::MakeTime(uint8_t(s / 3600), uint8_t(s / 60 % 60), uint8_t(s % 60));
}

KSchTime KDragSession::Span(int64_t seconds)
{
    const int64_t s = std::clamp<int64_t>(seconds, 0, int64_t(255) * 3600 + 3599);
    return KSchTime::MakeTime(uint8_t(s / 3600), uint8_t(s / 60 % 60), uint8_t(s % 60));
}

std::pair<int32_t, int32_t> KDragSession::EdgeRange(const KDragEdge &edge) const
{
    int32_t lo = -Day, hi = Day;
    if (edge.Before >= 0) {
        const int32_t d = frames_[size_t(edge.Before)].Duration;
        lo = std::max(lo, Shortest(d) - d);
        hi = std::min(hi, Day - d);
    }
    if (edge.After >= 0) {
        const int32_t d = frames_[size_t(edge.After)].Duration;
        hi = std::min(hi, d - Shortest(d));
        lo = std::max(lo, d - Day);
    }
    if (timeline_) {
        lo = std::max(lo, -edge.Seconds);
        hi = std::min(hi, Day - edge.Seconds);
    }
    // A frame that is already out of bounds may only come back towards them.
    return {std::min(lo, 0), std::max(hi, 0)};
}

bool KDragSession::Overlap(int32_t a, int32_t b) const
{
    const Times &x = frames_[size_t(a)], &y = frames_[size_t(b)];
    return x.Duration > 0 && y.Duration > 0 &&
           (KDragGeometry::Forward(x.Start, y.Start) < x.Duration ||
            KDragGeometry::Forward(y.Start, x.Start) < y.Duration);
}

int32_t KDragSession::Room(int32_t from, bool forward, int32_t mover,
                           std::initializer_list<int32_t> skip) const
{
    int32_t room = Day;
    for (int32_t g = 0; g < int32_t(frames_.size()); ++g) {
        if (g == mover || std::find(skip.begin(), skip.end(), g) != skip.end() || Overlap(g, mover))
            continue;
        const Times &t = frames_[size_t(g)];
        if (forward) {
            if (t.Duration > 0 && KDragGeometry::Forward(t.Start, from) < t.Duration)
                return 0; // the frame goes on at the place itself
            room = std::min(room, KDragGeometry::Forward(from, t.Start));
        } else {
            const int32_t into = KDragGeometry::Forward(t.Start, from);
            if (t.Duration > 0 && into > 0 && into <= t.Duration)
                return 0; // the frame reaches up to the place
            room =
                std::min(room, KDragGeometry::Forward(int32_t((int64_t(t.Start) + t.Duration) % Day), from));
        }
    }
    return room;
}

std::pair<int32_t, int32_t> KDragSession::BodyRange() const
{
    const int32_t f = target_.Frame;
    if (f < 0 || frames_.size() < 2)
        return {-Day, Day};
    const int32_t p = Prev(f), n = Next(f);
    const bool afterPrev = Meets(p, f), beforeNext = Meets(f, n);
    // Two frames that meet at both ends turn round the day together.
    if (p == n && afterPrev && beforeNext)
        return {-Day, Day};
    const Times &F = frames_[size_t(f)], &P = frames_[size_t(p)], &N = frames_[size_t(n)];
    const int32_t end = EndOf(f) % Day;
    // Every part that moves sweeps over the day: the frame itself, and the edges of the
    // neighbours that follow it. None may run into a frame it does not overlap already.
    int32_t hi = std::min(Day - 1, Room(end, true, f, {beforeNext ? n : f}));
    int32_t lo = -std::min(Day - 1, Room(F.Start, false, f, {afterPrev ? p : f}));
    if (beforeNext) {
        hi = std::min(hi, N.Duration - Shortest(N.Duration));
        lo = std::max(lo, N.Duration - Day);
        lo = std::max(lo, -Room(end, false, n, {f, afterPrev ? p : f}));
    }
    if (afterPrev) {
        lo = std::max(lo, Shortest(P.Duration) - P.Duration);
        hi = std::min(hi, Day - P.Duration);
        hi = std::min(hi, Room(F.Start, true, p, {f, beforeNext ? n : f}));
    }
    return {std::min(lo, 0), std::max(hi, 0)};
}

void KDragSession::Shift::Add(int32_t i, int32_t startDelta, int32_t durationDelta)
{
    auto it = std::find_if(Frames.begin(), Frames.end(), [i](const Moved &m) { return m.Index == i; });
    if (it == Frames.end())
        it = Frames.insert(Frames.end(), Moved{i, 0, 0});
    it->Start += startDelta;
    it->Duration += durationDelta;
}

std::vector<KFrameTimes> KDragSession::Apply(const Shift &shift) const
{
    std::vector<KFrameTimes> out;
    for (const Shift::Moved &m : shift.Frames) {
        const Times &f = frames_[size_t(m.Index)];
        // A time that ends where it was keeps its stored form exactly.
        const bool sameStart = (m.Start % Day + Day) % Day == 0;
        out.push_back(
            KFrameTimes{m.Index, sameStart ? f.StoredStart : Clock(int64_t(f.Start) + m.Start),
                        m.Duration == 0 ? f.StoredDuration : Span(int64_t(f.Duration) + m.Duration)});
    }
    return out;
}

std::vector<KFrameTimes> KDragSession::EdgeTimes(const KDragEdge &edge, int32_t d) const
{
    Shift shift;
    if (edge.Before >= 0)
        shift.Add(edge.Before, 0, d);
    if (edge.After >= 0)
        shift.Add(edge.After, d, -d);
    return Apply(shift);
}

std::vector<KFrameTimes> KDragSession::BodyTimes(int32_t d) const
{
    Shift shift;
    const int32_t f = target_.Frame;
    shift.Add(f, d, 0);
    if (frames_.size() > 1) {
        const int32_t p = Prev(f), n = Next(f);
        if (Meets(p, f))
            shift.Add(p, 0, d);
        if (Meets(f, n))
            shift.Add(n, d, -d);
    }
    return Apply(shift);
}

std::vector<KFrameTimes> KDragSession::Move(int32_t pointerSeconds, int stepMinutes)
{
    if (timeline_) {
        travel_ = int64_t(pointerSeconds) - press_;
    } else {
        // The shorter way round from the last place: the pointer may circle the dial.
        int32_t step = (pointerSeconds - last_) % Day;
        if (step > Day / 2)
            step -= Day;
        else if (step <= -Day / 2)
            step += Day;
        travel_ += step;
        last_ = pointerSeconds;
    }
    if (target_.What == KDragTarget::Body) {
        const int32_t start = frames_[size_t(target_.Frame)].Start;
        const auto [lo, hi] = BodyRange();
        const int64_t d = Snap(start + travel_, stepMinutes) - int64_t(start);
        if (lo == -Day && hi == Day) // free to go round
            return BodyTimes(int32_t((d % Day + Day) % Day));
        return BodyTimes(int32_t(std::clamp<int64_t>(d, lo, hi)));
    }
    if (target_.What != KDragTarget::Edge)
        return {};
    const int32_t at = target_.Edges.front().Seconds;
    const int64_t d = Snap(at + travel_, stepMinutes) - int64_t(at);
    if (!edgeChosen_ && d != 0) {
        // Of edges in one place, the first that can go the pointer's way.
        for (size_t k = 0; k < target_.Edges.size(); ++k) {
            const auto [lo, hi] = EdgeRange(target_.Edges[k]);
            if (d > 0 ? hi > 0 : lo < 0) {
                edge_ = k;
                break;
            }
        }
        edgeChosen_ = true;
    }
    const auto [lo, hi] = EdgeRange(Edge());
    return EdgeTimes(Edge(), int32_t(std::clamp<int64_t>(d, lo, hi)));
}

std::u16string KDragSession::TimesText(KSchTime start, KSchTime duration, int language)
{
    const KSchTime from = ToClockTime(start);
    const KSchTime to = ToClockTime(AddTimes(start, duration));
    const int64_t minutes = duration.TotalSeconds() / 60;
    std::u16string hours;
    for (char c : std::to_string(minutes / 60))
        hours += char16_t(c);
    const std::u16string rest = FormatTime(KSchTime{0, uint8_t(minutes % 60), 0}, false).substr(3);
    const std::u16string tilde = language == 1 ? u" ~ " : u"～";
    return FormatTime(from, false) + tilde + FormatTime(to, false) + u" (" + hours + u":" + rest + u")";
}
