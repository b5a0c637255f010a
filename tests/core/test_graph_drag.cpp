// Editing the day by dragging on the pie and the timeline: what lies under the pointer, where
// each kind of drag takes the frames, and that a drag is one step of the operation log.
#include "graphs/core/KDragGeometry.h"
#include "graphs/core/KDragSession.h"
#include "model/KScheduleEditCore.h"

#include <gtest/gtest.h>

#include <array>
#include <bitset>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <random>
#include <sstream>

namespace {
constexpr int32_t Day = 86400;

struct Fr {
    int Start;    // minutes, as stored (may be 24:00 or more)
    int Duration; // minutes
};

void Fill(KDaySchedule &s, const std::vector<Fr> &frames)
{
    s.ClearFrames();
    int k = 0;
    for (const Fr &f : frames) {
        const std::u16string name = u"f" + std::u16string(1, char16_t(u'a' + k++));
        s.AppendFrame(KScheduleFrame(
            KSchTime::MakeTime(uint8_t(f.Start / 60), uint8_t(f.Start % 60), 0),
            KSchTime::MakeTime(uint8_t(f.Duration / 60), uint8_t(f.Duration % 60), 0), name, 0xFFFFFF, u""));
    }
}

int Minutes(KSchTime t)
{
    return int(t.TotalSeconds() / 60);
}

// Pointer offset from the pie's centre at a time of day and a distance.
std::pair<double, double> PiePoint(double minutes, double r)
{
    const double theta = (minutes / 4.0 + 270.0) * std::numbers::pi / 180.0;
    return {-r * std::cos(theta), -r * std::sin(theta)};
}

KDragTarget PieAt(const KDaySchedule &s, double minutes, double r)
{
    const auto [dx, dy] = PiePoint(minutes, r);
    return KDragGeometry::PieHit(s, dx, dy, 200, 4);
}

// 20 pixels an hour from y = 10, blocks from x = 100 to 300.
const KDragGeometry::Axis Axis{10, 480, 100, 200};
KDragTarget LineAt(const KDaySchedule &s, double y, double x = 150)
{
    return KDragGeometry::TimelineHit(s, Axis, x, y, 4);
}

KDragTarget EdgeOf(std::vector<KDragEdge> edges)
{
    return KDragTarget{KDragTarget::Edge, std::move(edges), -1};
}

KDragTarget BodyOf(int32_t frame)
{
    return KDragTarget{KDragTarget::Body, {}, frame};
}

void ExpectTarget(const KDragTarget &got, const KDragTarget &want, const char *where)
{
    EXPECT_EQ(got.What, want.What) << where;
    EXPECT_EQ(got.Frame, want.Frame) << where;
    EXPECT_EQ(got.Edges, want.Edges) << where;
}

// Start and duration in minutes of each frame.
std::vector<Fr> Times(const KDaySchedule &s)
{
    std::vector<Fr> out;
    for (int32_t i = 0; i < s.GetCount(); ++i)
        out.push_back(Fr{Minutes(s.GetFrame(i)->StartTime), Minutes(s.GetFrame(i)->Duration)});
    return out;
}

// Runs one drag from pressMinutes to each of the pointer places and answers the schedule after it.
KDaySchedule Dragged(const KDaySchedule &s, const KDragTarget &target, bool timeline, int pressMinutes,
                     std::vector<int> pointerMinutes, int step = 5)
{
    KDaySchedule out;
    out.AssignSchedule(s);
    KDragSession drag(s, target, pressMinutes * 60, timeline);
    std::vector<KFrameTimes> times;
    for (int m : pointerMinutes)
        times = drag.Move(m * 60, step);
    for (const KFrameTimes &t : times) {
        out.GetFrame(t.Index)->StartTime = t.Start;
        out.GetFrame(t.Index)->Duration = t.Duration;
    }
    return out;
}

bool operator==(const Fr &a, const Fr &b)
{
    return a.Start == b.Start && a.Duration == b.Duration;
}

std::ostream &operator<<(std::ostream &o, const Fr &f)
{
    return o << f.Start / 60 << ":" << f.Start % 60 << "+" << f.Duration;
}
} // namespace

// Sleep 00:00-07:00, work 07:00-17:00, evening 17:00-24:00; and a day across midnight,
// 02:00-22:00 and 22:00-02:00.
TEST(DragHitTest, PieEdgesBodiesAndTheMidnightSeam)
{
    KDaySchedule day, night;
    Fill(day, {{0, 420}, {420, 600}, {1020, 420}});
    Fill(night, {{120, 1200}, {1320, 240}});

    ExpectTarget(PieAt(day, 420, 150), EdgeOf({{0, 1, 25200}}), "boundary at 07:00");
    ExpectTarget(PieAt(day, 425, 150), EdgeOf({{0, 1, 25200}}), "3 pixels along the arc");
    ExpectTarget(PieAt(day, 430, 150), BodyOf(1), "6 pixels along the arc");
    ExpectTarget(PieAt(day, 420, 50), BodyOf(1), "near the centre the edges give way to bodies");
    ExpectTarget(PieAt(day, 420, 203), EdgeOf({{0, 1, 25200}}), "just outside the circle");
    ExpectTarget(PieAt(day, 720, 203), KDragTarget{}, "outside the circle, no edge");
    ExpectTarget(PieAt(day, 420, 210), KDragTarget{}, "beyond the tolerance");
    // On the dial the end of the day and its start are one line.
    ExpectTarget(PieAt(day, 0, 150), EdgeOf({{2, 0, 0}}), "the 00:00 seam");
    ExpectTarget(PieAt(day, 1439.5, 150), EdgeOf({{2, 0, 0}}), "just before midnight");

    ExpectTarget(PieAt(night, 120, 150), EdgeOf({{1, 0, 7200}}), "02:00, end of the frame across midnight");
    ExpectTarget(PieAt(night, 0, 150), BodyOf(1), "midnight inside the frame across it");
    ExpectTarget(PieAt(night, 1320, 150), EdgeOf({{0, 1, 79200}}), "22:00");

    // A frame without duration: three frames meet at noon, both edges are offered.
    KDaySchedule point;
    Fill(point, {{0, 720}, {720, 0}, {720, 720}});
    ExpectTarget(PieAt(point, 720, 150), EdgeOf({{0, 1, 43200}, {1, 2, 43200}}), "two edges at noon");
    EXPECT_EQ(KDragGeometry::PieSeconds(0, 10), 0);         // straight down: 00:00
    EXPECT_EQ(KDragGeometry::PieSeconds(-10, 0), 6 * 3600); // left: 06:00
    EXPECT_EQ(KDragGeometry::PieSeconds(0, -10), 12 * 3600);
}

TEST(DragHitTest, TimelineTopAndBottomAreDifferentPlaces)
{
    KDaySchedule day, night;
    Fill(day, {{0, 420}, {420, 600}, {1020, 420}});
    Fill(night, {{120, 1200}, {1320, 240}});

    ExpectTarget(LineAt(day, 10), EdgeOf({{-1, 0, 0}}), "the first start alone at the top");
    ExpectTarget(LineAt(day, 6), EdgeOf({{-1, 0, 0}}), "just above the axis");
    ExpectTarget(LineAt(day, 490), EdgeOf({{2, -1, Day}}), "the last end alone at the bottom");
    ExpectTarget(LineAt(day, 150), EdgeOf({{0, 1, 25200}}), "07:00");
    ExpectTarget(LineAt(day, 153), EdgeOf({{0, 1, 25200}}), "3 pixels below");
    ExpectTarget(LineAt(day, 156), BodyOf(1), "6 pixels below");
    ExpectTarget(LineAt(day, 150, 99), KDragTarget{}, "left of the blocks");
    ExpectTarget(LineAt(day, 0), KDragTarget{}, "above the axis");

    ExpectTarget(LineAt(night, 50), EdgeOf({{1, 0, 7200}}), "02:00, where the frame across midnight ends");
    ExpectTarget(LineAt(night, 20), BodyOf(1), "its block at the top");
    ExpectTarget(LineAt(night, 489), BodyOf(1), "its block at the bottom");
    ExpectTarget(LineAt(night, 10), BodyOf(1), "no edge at 00:00");
    ExpectTarget(LineAt(night, 450), EdgeOf({{0, 1, 79200}}), "22:00");
}

TEST(DragEdit, EachKindSnapsAndKeepsAMinute)
{
    KDaySchedule day;
    Fill(day, {{0, 420}, {420, 600}, {1020, 420}});
    const KDragTarget at7 = EdgeOf({{0, 1, 25200}});

    // A shared boundary: the earlier frame's end and the later frame's start move together.
    EXPECT_EQ(Times(Dragged(day, at7, false, 421, {480, 493})),
              (std::vector<Fr>{{0, 490}, {490, 530}, {1020, 420}}));
    EXPECT_EQ(Times(Dragged(day, at7, true, 421, {493}, 1)),
              (std::vector<Fr>{{0, 492}, {492, 528}, {1020, 420}}));
    // Not past the later frame's end: it keeps 1 minute.
    EXPECT_EQ(Times(Dragged(day, at7, false, 420, {900, 1100})),
              (std::vector<Fr>{{0, 1019}, {1019, 1}, {1020, 420}}));
    EXPECT_EQ(Times(Dragged(day, at7, true, 420, {0})), (std::vector<Fr>{{0, 1}, {1, 1019}, {1020, 420}}));

    // The timeline's top: the first start alone (a gap opens); it cannot go above 00:00.
    const KDragTarget top = EdgeOf({{-1, 0, 0}});
    EXPECT_EQ(Times(Dragged(day, top, true, 0, {32})), (std::vector<Fr>{{30, 390}, {420, 600}, {1020, 420}}));
    EXPECT_EQ(Times(Dragged(day, top, true, 0, {30, 0})), Times(day));
    // The pie's seam moves the last end and the first start together, across midnight.
    const KDragTarget seam = EdgeOf({{2, 0, 0}});
    EXPECT_EQ(Times(Dragged(day, seam, false, 0, {1430, 1410})),
              (std::vector<Fr>{{1410, 450}, {420, 600}, {1020, 390}}));

    // A body takes the neighbours that meet it along, up to their last minute.
    EXPECT_EQ(Times(Dragged(day, BodyOf(1), false, 600, {660})),
              (std::vector<Fr>{{0, 480}, {480, 600}, {1080, 360}}));
    EXPECT_EQ(Times(Dragged(day, BodyOf(1), false, 600, {1000, 1400, 120})),
              (std::vector<Fr>{{0, 839}, {839, 600}, {1439, 1}}));
    // Across a gap it goes up to the neighbour and stops; the neighbour stays.
    KDaySchedule gap;
    Fill(gap, {{0, 420}, {480, 480}, {960, 480}});
    EXPECT_EQ(Times(Dragged(gap, BodyOf(1), true, 600, {400})),
              (std::vector<Fr>{{0, 420}, {420, 480}, {900, 540}}));

    // A lone frame goes round the day; the pointer may circle the dial.
    KDaySchedule whole;
    Fill(whole, {{0, 1440}});
    EXPECT_EQ(Times(Dragged(whole, BodyOf(0), false, 0, {600, 1200, 360, 62})),
              (std::vector<Fr>{{1500 - 1440, 1440}}));

    // Around a frame without duration the drag takes the edge that can go the pointer's way.
    KDaySchedule point;
    Fill(point, {{0, 720}, {720, 0}, {720, 720}});
    const KDragTarget noon = EdgeOf({{0, 1, 43200}, {1, 2, 43200}});
    EXPECT_EQ(Times(Dragged(point, noon, false, 720, {780})),
              (std::vector<Fr>{{0, 720}, {720, 60}, {780, 660}}));
    EXPECT_EQ(Times(Dragged(point, noon, false, 720, {660})),
              (std::vector<Fr>{{0, 660}, {660, 60}, {720, 720}}));

    // A drag back to its start leaves the stored times exactly as they were.
    KDaySchedule late;
    Fill(late, {{0, 1440}, {1440, 0}});
    EXPECT_EQ(late.GetFrame(1)->StartTime.Hour, 24);
    const KDaySchedule back = Dragged(late, EdgeOf({{0, 1, 0}}), false, 0, {60, 0});
    EXPECT_EQ(back.GetFrame(1)->StartTime.Hour, 24);

    EXPECT_EQ(KDragSession::TimesText({12, 10, 0}, {1, 15, 0}, 0), u"12:10～13:25 (1:15)");
    EXPECT_EQ(KDragSession::TimesText({23, 0, 0}, {24, 0, 0}, 1), u"23:00 ~ 23:00 (24:00)");
    EXPECT_EQ(KDragSession::TimesText({0, 0, 0}, {0, 5, 0}, 0), u"00:00～00:05 (0:05)");
}

// One drag is one change: announced once, logged once, taken back by one undo; Escape
// (CancelDrag) leaves no trace.
TEST(DragEdit, OneDragIsOneUndoStep)
{
    KDaySchedule shown;
    Fill(shown, {{0, 420}, {420, 600}, {1020, 420}});
    KDaySchOpeLog log(5);
    KScheduleEditCore core(shown);
    core.OpeLog = &log;
    std::vector<std::pair<int32_t, int>> notes;
    core.ChangeHandler = [&](int32_t i, int kind) { notes.push_back({i, kind}); };

    KDragSession drag(core.Edit(), BodyOf(1), 600 * 60, false);
    core.BeginDrag();
    for (int m : {610, 640, 660})
        core.PreviewDrag(drag.Move(m * 60, 5));
    EXPECT_TRUE(notes.empty()); // nobody is told while the pointer moves
    EXPECT_TRUE(core.EndDrag(drag.Frame()));
    EXPECT_EQ(notes, (std::vector<std::pair<int32_t, int>>{{1, 0}}));
    EXPECT_TRUE(core.Modified);
    EXPECT_EQ(log.UndoCount(), 1);
    EXPECT_EQ(Times(core.Edit()), (std::vector<Fr>{{0, 480}, {480, 600}, {1080, 360}}));
    EXPECT_TRUE(core.UndoLastOperation());
    EXPECT_EQ(Times(core.Edit()), Times(shown));
    EXPECT_FALSE(core.UndoLastOperation());

    // Escape: everything back, nothing logged, nobody told.
    notes.clear();
    core.BeginDrag();
    core.PreviewDrag(KDragSession(core.Edit(), EdgeOf({{0, 1, 25200}}), 25200, true).Move(30000, 5));
    EXPECT_NE(Times(core.Edit()), Times(shown));
    core.CancelDrag();
    EXPECT_EQ(Times(core.Edit()), Times(shown));
    EXPECT_FALSE(core.DragInProgress());
    // A drag that ends where it began changes nothing.
    core.BeginDrag();
    EXPECT_FALSE(core.EndDrag(1));
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(log.UndoCount(), 0);
}

// --- random drags against a small model of what a drag may do --------------------------
namespace {
// A drag, all times in whole minutes.
struct DragCase {
    std::vector<Fr> Frames;
    bool Timeline = false;
    bool Body = false;
    int Frame = 0; // the body, or the frame whose end (AtEnd) or start is taken
    bool AtEnd = false;
    int Press = 0; // pointer at the press
    // The pointer's moves: places on the timeline; on the pie the way gone from the press,
    // each move shorter than half the dial.
    std::vector<int> Path;
    int Step = 5;
};

int Mod(int v)
{
    return ((v % 1440) + 1440) % 1440;
}

int PointerAt(const DragCase &c, size_t k)
{
    return c.Timeline ? c.Path[k] : Mod(c.Press + c.Path[k]);
}

bool PathValid(const DragCase &c)
{
    int last = 0;
    for (int p : c.Path) {
        if (!c.Timeline && std::abs(p - last) >= 720)
            return false;
        last = p;
    }
    return !c.Path.empty();
}

std::string Describe(const DragCase &c)
{
    std::ostringstream o;
    o << (c.Timeline ? "timeline" : "pie") << ", "
      << (c.Body    ? "body of "
          : c.AtEnd ? "end of "
                    : "start of ")
      << c.Frame << ", step " << c.Step << ", press " << c.Press << ", pointer";
    for (size_t k = 0; k < c.Path.size(); ++k)
        o << " " << PointerAt(c, k);
    o << "; frames";
    for (const Fr &f : c.Frames)
        o << " " << f;
    return o.str();
}

// The model: a frame covers the minutes [start, start + duration) of the day's circle.
struct Model {
    std::vector<Fr> F; // start reduced to the clock
    bool Timeline;
    int N() const { return int(F.size()); }
    int Prev(int i) const { return i == 0 ? N() - 1 : i - 1; }
    int Next(int i) const { return i + 1 < N() ? i + 1 : 0; }
    int EndPlace(int i) const
    {
        const int e = Mod(F[size_t(i)].Start + F[size_t(i)].Duration);
        return Timeline && e == 0 && F[size_t(i)].Duration > 0 ? 1440 : e;
    }
    bool Meets(int a, int b) const { return N() > 1 && EndPlace(a) == Mod(F[size_t(b)].Start); }
    // The minutes a frame covers, one bit each.
    std::bitset<1440> Minutes(int i) const
    {
        const int d = std::clamp(F[size_t(i)].Duration, 0, 1440), s = F[size_t(i)].Start;
        if (d == 0)
            return {};
        const std::bitset<1440> run = ~std::bitset<1440>() >> size_t(1440 - d);
        return s == 0 ? run : (run << size_t(s)) | (run >> size_t(1440 - s));
    }
};

int SnapTo(int minutes, int step)
{
    return int(std::floor((minutes + step / 2.0) / step)) * step;
}

// Walks from 0 a minute at a time while ok holds: the farthest reach each way (1439: never stopped).
template <class Ok> std::pair<int, int> Reach(Ok ok)
{
    int hi = 0, lo = 0;
    while (hi < 1439 && ok(hi + 1))
        ++hi;
    while (lo > -1439 && ok(lo - 1))
        --lo;
    return {lo, hi};
}

std::optional<std::string> DragFails(const DragCase &c)
{
    KDaySchedule shown;
    Fill(shown, c.Frames);
    Model m{{}, c.Timeline};
    for (const Fr &f : c.Frames)
        m.F.push_back(Fr{Mod(f.Start), f.Duration});
    const int n = m.N();
    std::ostringstream why;

    // What the drag takes hold of, by the model; the geometry must offer the same edge, and
    // pointing at the edge's place must take hold of it.
    KDragTarget target = BodyOf(c.Frame);
    int place = 0, before = -1, after = -1;
    if (!c.Body) {
        if (c.AtEnd) {
            before = c.Frame;
            after = m.Meets(c.Frame, m.Next(c.Frame)) ? m.Next(c.Frame) : -1;
            place = m.EndPlace(c.Frame);
        } else {
            after = c.Frame;
            before = m.Meets(m.Prev(c.Frame), c.Frame) ? m.Prev(c.Frame) : -1;
            place = Mod(m.F[size_t(c.Frame)].Start);
        }
        const KDragEdge edge{before, after, place * 60};
        target = EdgeOf({edge});
        const std::vector<KDragEdge> all = KDragGeometry::Edges(shown, c.Timeline);
        if (std::find(all.begin(), all.end(), edge) == all.end())
            return "the geometry does not offer the edge " + std::to_string(before) + "/" +
                   std::to_string(after);
        KDragTarget hit;
        if (c.Timeline) {
            hit = LineAt(shown, Axis.Top + Axis.Length * place / 1440.0);
        } else {
            hit = PieAt(shown, place, 150);
        }
        if (hit.What != KDragTarget::Edge ||
            std::find(hit.Edges.begin(), hit.Edges.end(), edge) == hit.Edges.end())
            return std::string("pointing at the edge does not take hold of it");
    }

    // Where the model says the frames go.
    const int travel = c.Timeline ? c.Path.back() - c.Press : c.Path.back();
    auto moved = [&](int d) {
        Model next = m;
        auto &F = next.F;
        if (c.Body) {
            const int f = c.Frame, p = m.Prev(f), nx = m.Next(f);
            const bool withPrev = m.Meets(p, f), withNext = m.Meets(f, nx);
            F[size_t(f)].Start = Mod(F[size_t(f)].Start + d);
            if (withPrev)
                F[size_t(p)].Duration += d;
            if (withNext) {
                F[size_t(nx)].Start = Mod(F[size_t(nx)].Start + d);
                F[size_t(nx)].Duration -= d;
            }
        } else {
            if (before >= 0)
                F[size_t(before)].Duration += d;
            if (after >= 0) {
                F[size_t(after)].Start = Mod(F[size_t(after)].Start + d);
                F[size_t(after)].Duration -= d;
            }
        }
        return next;
    };
    std::vector<std::bitset<1440>> covered;
    for (int i = 0; i < n; ++i)
        covered.push_back(m.Minutes(i));
    auto ok = [&](int d) {
        const Model a = moved(d);
        for (int i = 0; i < n; ++i) {
            const int was = m.F[size_t(i)].Duration, now = a.F[size_t(i)].Duration;
            if (now != was && (now < std::min(1, was) || now > 1440))
                return false;
        }
        if (!c.Body)
            return !c.Timeline || (place + d >= 0 && place + d <= 1440);
        // No frame comes to share a minute with a frame it did not share one with before.
        std::vector<std::bitset<1440>> now(covered);
        for (int i = 0; i < n; ++i) {
            if (!(a.F[size_t(i)] == m.F[size_t(i)]))
                now[size_t(i)] = a.Minutes(i);
        }
        for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j) {
                if ((now[size_t(i)] & now[size_t(j)]).any() &&
                    !(covered[size_t(i)] & covered[size_t(j)]).any())
                    return false;
            }
        }
        return true;
    };
    const auto [lo, hi] = Reach(ok);
    const int from = c.Body ? Mod(m.F[size_t(c.Frame)].Start) : place;
    int d = SnapTo(from + travel, c.Step) - from;
    d = lo == -1439 && hi == 1439 ? d : std::clamp(d, lo, hi);
    const Model want = moved(d);

    // The drag through the editing core, as the views make it.
    KDaySchOpeLog log(5);
    KScheduleEditCore core(shown);
    core.OpeLog = &log;
    KDragSession drag(core.Edit(), target, c.Press * 60, c.Timeline);
    core.BeginDrag();
    for (size_t k = 0; k < c.Path.size(); ++k)
        core.PreviewDrag(drag.Move(PointerAt(c, k) * 60, c.Step));
    const bool changed = core.EndDrag(drag.Frame());
    for (int i = 0; i < n; ++i) {
        const KScheduleFrame &got = *core.Edit().GetFrame(i);
        const Fr g{Mod(Minutes(got.StartTime)), Minutes(got.Duration)};
        if (!(g == want.F[size_t(i)]) || got.StartTime.Second != 0 || got.Duration.Second != 0) {
            why << "frame " << i << " is " << g << ", the model says " << want.F[size_t(i)] << " (move " << d
                << " within " << lo << ".." << hi << ")";
            return why.str();
        }
    }
    if (changed != (d % 1440 != 0) || log.UndoCount() != (changed ? 1 : 0))
        return std::string("the drag was not logged as one change");
    // One undo takes the whole drag back, to the stored forms of the times.
    core.UndoLastOperation();
    for (int i = 0; i < n; ++i) {
        const KScheduleFrame &got = *core.Edit().GetFrame(i), &was = *shown.GetFrame(i);
        if (got.StartTime != was.StartTime || got.Duration != was.Duration)
            return "undo left frame " + std::to_string(i) + " changed";
    }
    if (core.UndoLastOperation())
        return std::string("a second undo found something to take back");

    // Escape in the middle of the same drag leaves nothing changed.
    KScheduleEditCore again(shown);
    KDragSession escaped(again.Edit(), target, c.Press * 60, c.Timeline);
    again.BeginDrag();
    for (size_t k = 0; k < c.Path.size(); ++k)
        again.PreviewDrag(escaped.Move(PointerAt(c, k) * 60, c.Step));
    again.CancelDrag();
    for (int i = 0; i < n; ++i) {
        if (again.Edit().GetFrame(i)->StartTime != shown.GetFrame(i)->StartTime ||
            again.Edit().GetFrame(i)->Duration != shown.GetFrame(i)->Duration)
            return "escape left frame " + std::to_string(i) + " changed";
    }
    return std::nullopt;
}

DragCase RandomCase(std::mt19937 &rng)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    DragCase c;
    const int n = pick(1, 8);
    const int kind = pick(0, 4);
    if (kind == 4) {
        // Anywhere, overlapping as it comes.
        for (int i = 0; i < n; ++i)
            c.Frames.push_back(Fr{pick(0, 1439), pick(1, 1440)});
    } else {
        // Round the day in order from a random hour, the whole day or with gaps.
        const int used = kind == 0 || kind == 3 ? 1440 : pick(n, 1440);
        std::vector<int> cuts{0, used};
        while (int(cuts.size()) < n + 1) {
            const int cut = pick(1, used - 1);
            if (std::find(cuts.begin(), cuts.end(), cut) == cuts.end())
                cuts.push_back(cut);
        }
        std::sort(cuts.begin(), cuts.end());
        int at = pick(0, 1439), gapLeft = 1440 - used;
        for (int i = 0; i < n; ++i) {
            const int gap = i == 0 ? 0 : pick(0, gapLeft);
            gapLeft -= gap;
            at += gap;
            // Sometimes stored unreduced, as a frame added after one ending at midnight is.
            const int start = Mod(at);
            c.Frames.push_back(
                Fr{kind == 2 && pick(0, 3) == 0 ? start + 1440 : start, cuts[i + 1] - cuts[i]});
            at += cuts[i + 1] - cuts[i];
        }
        // A frame or two made longer, over the frames after them.
        for (int k = kind == 3 ? pick(1, 2) : 0; k > 0; --k) {
            Fr &f = c.Frames[size_t(pick(0, n - 1))];
            f.Duration = std::min(1440, f.Duration + pick(1, 600));
        }
    }
    c.Timeline = pick(0, 1) == 1;
    c.Body = pick(0, 1) == 1;
    c.Frame = pick(0, n - 1);
    c.AtEnd = pick(0, 1) == 1;
    c.Step = pick(0, 2) == 0 ? 1 : 5;
    const Fr &f = c.Frames[size_t(c.Frame)];
    // An edge is taken a little off its place as often as on it.
    c.Press = c.Body ? Mod(f.Start + pick(0, f.Duration - 1))
                     : Mod(c.AtEnd ? f.Start + f.Duration : f.Start) + pick(-2, 2);
    if (c.Timeline)
        c.Press = std::clamp(c.Press, 0, 1440);
    else
        c.Press = Mod(c.Press);
    const int moves = pick(1, 4);
    int travel = 0;
    for (int i = 0; i < moves; ++i) {
        travel = std::clamp(travel + pick(-700, 700), -1400, 1400);
        // On the timeline anywhere, near the press, or beyond an end of the axis (held there).
        const int place =
            std::array{pick(0, 1440), c.Press + pick(-60, 60), pick(0, 1) * 1440}[size_t(pick(0, 2))];
        c.Path.push_back(c.Timeline ? std::clamp(place, 0, 1440) : travel);
    }
    return c;
}

// Smaller cases that still fail: fewer frames, fewer and shorter moves.
std::vector<DragCase> Smaller(const DragCase &c)
{
    std::vector<DragCase> out;
    for (size_t j = 0; j < c.Frames.size() && c.Frames.size() > 1; ++j) {
        if (int(j) == c.Frame)
            continue;
        DragCase s = c;
        s.Frames.erase(s.Frames.begin() + long(j));
        if (int(j) < s.Frame)
            --s.Frame;
        out.push_back(s);
    }
    if (c.Path.size() > 1) {
        DragCase s = c;
        s.Path.erase(s.Path.begin(), s.Path.end() - 1);
        out.push_back(s);
    }
    DragCase halved = c;
    for (int &p : halved.Path)
        p = c.Timeline ? (p + c.Press) / 2 : p / 2;
    if (halved.Path != c.Path)
        out.push_back(halved);
    std::erase_if(out, [](const DragCase &s) { return !PathValid(s); });
    return out;
}
} // namespace

TEST(DragEdit, RandomDragsMatchTheModel)
{
    // ORVELLA_DRAG_SEED replays a failure.
    const char *replay = std::getenv("ORVELLA_DRAG_SEED");
    const unsigned seed = replay ? unsigned(std::strtoul(replay, nullptr, 10)) : std::random_device{}();
    std::mt19937 rng(seed);
    for (int run = 0; run < 1500; ++run) {
        DragCase c = RandomCase(rng);
        std::optional<std::string> fail = DragFails(c);
        if (!fail)
            continue;
        // Shrink to a case that cannot be made smaller and still fails.
        for (bool smaller = true; smaller;) {
            smaller = false;
            for (const DragCase &s : Smaller(c)) {
                if (std::optional<std::string> f = DragFails(s)) {
                    c = s;
                    fail = f;
                    smaller = true;
                    break;
                }
            }
        }
        FAIL() << "seed " << seed << ", run " << run << ": " << *fail << "\n  " << Describe(c);
    }
}
