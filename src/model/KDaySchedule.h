#pragma once

#include "model/KScheduleFrame.h"

#include <cstdint>
#include <vector>

// One day's plan: a fixed number of frame slots whose used frames are the leading ones.
class KDaySchedule {
public:
    static constexpr int32_t DefaultCapacity = 50;

    explicit KDaySchedule(int32_t capacity = DefaultCapacity);

    int32_t GetCount() const;
    KScheduleFrame *GetFrame(int32_t index);
    const KScheduleFrame *GetFrame(int32_t index) const;
    bool IsEmptySlot(int32_t index) const;

    // The full flag: true when nothing was added.
    bool AppendFrame(const KScheduleFrame &frame);
    bool InsertFrame(int32_t position, const KScheduleFrame &frame);
    void DeleteFrame(int32_t index);
    void CompactFrames();
    void ClearFrames();
    void SetDefaultFrame(int32_t index);
    // Takes over the other's capacity (reallocating the slots when it differs) and copies every slot.
    void AssignSchedule(const KDaySchedule &other);

    int32_t PrevIndex(int32_t index) const;
    int32_t NextIndex(int32_t index) const;
    // Index of the first frame containing the time of day t, or Capacity when none does.
    int32_t FindFrameAt(KSchTime t) const;

    int32_t Capacity() const { return capacity_; }

    std::vector<int32_t> CheckCodes;
    bool OverFullDay = false;

private:
    std::vector<KScheduleFrame> frames_;
    int32_t capacity_ = 0;
};
