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

    // The check of an edited schedule: each frame against its neighbours on the 24-hour circle.
    // Codes: 0 meets both, 1 overlaps before, 2 overlaps after, 3 overlaps both, 4 gap before,
    // 5 gap after, 6 gaps both, 7 gap before and overlap after, 8 overlap before and gap after.
    // OverFullDayCode stands for OverFullDay and is never stored in CheckCodes.
    static constexpr int32_t OverFullDayCode = 9;
    int32_t CheckFrame(int32_t index, const KScheduleFrame &frame) const;
    // Fills CheckCodes and OverFullDay; returns the number of frames with a non-zero code.
    int32_t CheckSchedule();
    // Sum of the durations of the used frames in seconds (never wraps, unlike the byte hours).
    int64_t TotalSeconds() const;

    // Sets frame index's start and/or end from its neighbours:
    // 0 start from the previous end, duration kept; 1 the same, end kept;
    // 2 end from the next start, duration kept; 3 the same, start kept; 4 both 1 and 3.
    // False when there is no such frame or mode.
    bool SetChronoTime(int32_t index, int mode);

    std::vector<int32_t> CheckCodes;
    bool OverFullDay = false;

private:
    std::vector<KScheduleFrame> frames_;
    int32_t capacity_ = 0;
};
