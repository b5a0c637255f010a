#pragma once

#include "model/KSchOpeLogData.h"

#include <cstdint>
#include <memory>
#include <vector>

// A ring of the latest edits of scheduling mode, taken back one by one.
// When the ring is full a new record replaces the oldest one.
class KDaySchOpeLog {
public:
    explicit KDaySchOpeLog(int32_t capacity);
    ~KDaySchOpeLog();
    KDaySchOpeLog(const KDaySchOpeLog &) = delete;
    KDaySchOpeLog &operator=(const KDaySchOpeLog &) = delete;

    // Ignored for no frame, type 0, a negative index or a log without slots.
    void RecordOperation(uint32_t type, int32_t index, int32_t column, const KScheduleFrame *frame);
    // One record for a change of several frames (opChangeFrames): each {index, frame before}.
    // index names the frame the change was about. Ignored when frames is empty.
    void RecordFrames(int32_t index, std::vector<std::pair<int32_t, KScheduleFrame>> frames);
    // Copies the newest record still to be taken back into out; true when there was none.
    bool TakeLastOperation(KSchOpeLogData &out);
    // Forgets every record: nothing can be taken back afterwards.
    void ClearOperations();

    int32_t LogCapacity() const { return capacity_; }
    int32_t Top() const { return top_; }
    int32_t UndoCount() const { return undoCount_; }

private:
    void Push(std::unique_ptr<KSchOpeLogData> record);

    int32_t capacity_ = 0;
    int32_t top_ = 0;
    int32_t undoCount_ = 0;
    std::vector<std::unique_ptr<KSchOpeLogData>> records_;
};
