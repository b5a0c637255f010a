#include "model/KDaySchedule.h"

KDaySchedule::KDaySchedule(int32_t capacity) : capacity_(capacity < 0 ? 0 : capacity)
{
    frames_.resize(size_t(capacity_));
    CheckCodes.assign(size_t(capacity_), 0);
}

int32_t KDaySchedule::GetCount() const
{
    for (int32_t i = 0; i < capacity_; ++i) {
        if (!frames_[size_t(i)].HasItemName())
            return i;
    }
    return capacity_;
}

KScheduleFrame *KDaySchedule::GetFrame(int32_t index)
{
    if (index < 0 || index >= capacity_)
        return nullptr;
    return &frames_[size_t(index)];
}

const KScheduleFrame *KDaySchedule::GetFrame(int32_t index) const
{
    if (index < 0 || index >= capacity_)
        return nullptr;
    return &frames_[size_t(index)];
}

bool KDaySchedule::IsEmptySlot(int32_t index) const
{
    const KScheduleFrame *f = GetFrame(index);
    return f == nullptr || !f->HasItemName();
}

bool KDaySchedule::AppendFrame(const KScheduleFrame &frame)
{
    int32_t n = GetCount();
    if (n >= capacity_)
        return true;
    frames_[size_t(n)].AssignFrame(frame);
    return false;
}

bool KDaySchedule::InsertFrame(int32_t position, const KScheduleFrame &frame)
{
    int32_t n = GetCount();
    if (n == 0)
        return AppendFrame(frame);
    if (n + 1 >= capacity_)
        return true;
    if (position < 0 || position > n)
        return true;
    // The last slot is empty here, so dropping it loses nothing.
    KScheduleFrame copy;
    copy.AssignFrame(frame);
    frames_.pop_back();
    frames_.insert(frames_.begin() + position, std::move(copy));
    return false;
}

void KDaySchedule::DeleteFrame(int32_t index)
{
    if (index < 0 || index >= capacity_)
        return;
    frames_[size_t(index)].ClearFrame();
    CompactFrames();
    // A schedule is never left without a frame: the whole-day default takes slot 0.
    if (GetCount() == 0)
        SetDefaultFrame(0);
}

void KDaySchedule::CompactFrames()
{
    for (int32_t k = 0; k + 1 < capacity_; ++k) {
        if (!frames_[size_t(k)].HasItemName()) {
            std::swap(frames_[size_t(k)], frames_[size_t(k + 1)]);
            frames_[size_t(k + 1)].ClearFrame();
        }
    }
}

void KDaySchedule::ClearFrames()
{
    for (auto &f : frames_)
        f.ClearFrame();
}

void KDaySchedule::SetDefaultFrame(int32_t index)
{
    KScheduleFrame *f = GetFrame(index);
    if (f == nullptr)
        return;
    f->ClearFrame();
    f->Duration = KSchTime{24, 0, 0};
    f->SetItemName(u"自由");
}

void KDaySchedule::AssignSchedule(const KDaySchedule &other)
{
    if (&other == this)
        return;
    if (other.capacity_ != capacity_) {
        frames_.resize(size_t(other.capacity_));
        CheckCodes.resize(size_t(other.capacity_), 0);
        capacity_ = other.capacity_;
    }
    for (int32_t i = 0; i < capacity_; ++i)
        frames_[size_t(i)].AssignFrame(other.frames_[size_t(i)]);
}

int32_t KDaySchedule::PrevIndex(int32_t index) const
{
    if (index == 0)
        return GetCount() - 1;
    return index - 1;
}

int32_t KDaySchedule::NextIndex(int32_t index) const
{
    if (index + 1 < GetCount())
        return index + 1;
    return 0;
}

int32_t KDaySchedule::FindFrameAt(KSchTime t) const
{
    int32_t n = GetCount();
    for (int32_t i = 0; i < n; ++i) {
        const KScheduleFrame &f = frames_[size_t(i)];
        if (!f.HasItemName())
            continue;
        KSchTime s = ToClockTime(f.StartTime);
        KSchTime e = ToClockTime(f.EndTime());
        bool contains;
        if (GreaterOrEqual(e, s))
            contains = LessOrEqual(s, t) && Less(DiffTimes(t, s), f.Duration);
        else
            contains = GreaterOrEqual(t, s) || Less(t, e);
        if (contains)
            return i;
    }
    return capacity_;
}

namespace {
enum class Side { Meets, Overlaps, Gap };

constexpr KSchTime WholeDay{24, 0, 0};
} // namespace

int32_t KDaySchedule::CheckFrame(int32_t index, const KScheduleFrame &frame) const
{
    const int32_t n = GetCount();
    if (index < 0 || index >= capacity_ || n == 0)
        return 0;
    const KScheduleFrame &p = frames_[size_t(PrevIndex(index))];
    const KScheduleFrame &nx = frames_[size_t(NextIndex(index))];
    const KSchTime pS = ToClockTime(p.StartTime), pE = ToClockTime(p.EndTime());
    const KSchTime s = ToClockTime(frame.StartTime), e = ToClockTime(frame.EndTime());
    const KSchTime nS = ToClockTime(nx.StartTime);

    Side before = Side::Gap;
    if (s == pE)
        before = Side::Meets;
    else if (LessOrEqual(pS, pE) ? (LessOrEqual(pS, s) && Less(s, pE))
                                 : (GreaterOrEqual(s, pS) || LessOrEqual(s, pE)))
        before = Side::Overlaps;
    Side after = Side::Gap;
    if (e == nS)
        after = Side::Meets;
    else if (LessOrEqual(s, e) ? (LessOrEqual(s, nS) && Less(nS, e))
                               : (GreaterOrEqual(nS, s) || LessOrEqual(nS, e)))
        after = Side::Overlaps;

    static const int32_t Codes[3][3] = {
        // after: meets, overlaps, gap
        {0, 2, 5}, // before meets
        {1, 3, 8}, // before overlaps
        {4, 7, 6}, // before gap
    };
    return Codes[int(before)][int(after)];
}

int32_t KDaySchedule::CheckSchedule()
{
    OverFullDay = false;
    int32_t count = 0;
    CheckCodes.assign(size_t(capacity_), 0);
    for (int32_t i = 0; i < capacity_; ++i) {
        const KScheduleFrame &f = frames_[size_t(i)];
        if (!f.HasItemName())
            continue;
        const int32_t code = CheckFrame(i, f);
        if (code != 0)
            ++count;
        CheckCodes[size_t(i)] = code;
    }
    OverFullDay = TotalSeconds() > WholeDay.TotalSeconds();
    return count;
}

int64_t KDaySchedule::TotalSeconds() const
{
    int64_t total = 0;
    for (const KScheduleFrame &f : frames_) {
        if (f.HasItemName())
            total += f.Duration.TotalSeconds();
    }
    return total;
}

bool KDaySchedule::SetChronoTime(int32_t index, int mode)
{
    const int32_t n = GetCount();
    if (index < 0 || index >= n || mode < 0 || mode > 4)
        return false;
    KScheduleFrame &f = frames_[size_t(index)];
    // A lone frame is its own neighbour: tying its end to its own start makes it a whole day.
    const bool alone = n == 1;
    if (mode == 0 || mode == 1 || mode == 4) {
        const KSchTime oldEnd = f.EndTime();
        f.StartTime = ToClockTime(frames_[size_t(PrevIndex(index))].EndTime());
        if (mode != 0)
            f.Duration = alone ? WholeDay : DiffTimes(oldEnd, f.StartTime);
    }
    if (mode == 2 || mode == 3 || mode == 4) {
        const KSchTime storedNext = frames_[size_t(NextIndex(index))].StartTime;
        const KSchTime nextStart = ToClockTime(storedNext);
        if (mode == 2) {
            f.StartTime = ToClockTime(DiffTimes(nextStart, f.Duration));
        } else {
            // A next start stored as 24:00 is the end of the day: a frame from 00:00 up to it
            // lasts the whole day, not no time. Other starts are reduced to the clock, so that
            // hours stored beyond a day cannot wrap the difference.
            const KSchTime upTo = storedNext.TotalSeconds() == WholeDay.TotalSeconds() ? WholeDay : nextStart;
            f.Duration = alone ? WholeDay : DiffTimes(upTo, ToClockTime(f.StartTime));
        }
    }
    return true;
}
