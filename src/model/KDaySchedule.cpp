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
