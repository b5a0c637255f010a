#include "model/KDaySchOpeLog.h"

KDaySchOpeLog::KDaySchOpeLog(int32_t capacity) : capacity_(capacity > 0 ? capacity : 0)
{
    records_.resize(size_t(capacity_));
}

KDaySchOpeLog::~KDaySchOpeLog()
{
    ClearOperations();
    records_.clear();
    capacity_ = 0;
}

void KDaySchOpeLog::RecordOperation(uint32_t type, int32_t index, int32_t column, const KScheduleFrame *frame)
{
    if (frame == nullptr || type == KSchOpeLogData::opNone || index < 0 || capacity_ == 0)
        return;
    auto record = std::make_unique<KSchOpeLogData>();
    record->OpType = type;
    record->FrameIndex = index;
    record->Column = column;
    record->SavedFrame.AssignFrame(*frame);
    Push(std::move(record));
}

void KDaySchOpeLog::RecordFrames(int32_t index, std::vector<std::pair<int32_t, KScheduleFrame>> frames)
{
    if (frames.empty() || index < 0 || capacity_ == 0)
        return;
    auto record = std::make_unique<KSchOpeLogData>();
    record->OpType = KSchOpeLogData::opChangeFrames;
    record->FrameIndex = index;
    record->SavedFrames = std::move(frames);
    Push(std::move(record));
}

void KDaySchOpeLog::Push(std::unique_ptr<KSchOpeLogData> record)
{
    records_[size_t(top_)] = std::move(record);
    if (++top_ >= capacity_)
        top_ = 0;
    if (undoCount_ < capacity_)
        ++undoCount_;
}

bool KDaySchOpeLog::TakeLastOperation(KSchOpeLogData &out)
{
    if (undoCount_ == 0 || capacity_ == 0)
        return true;
    if (--top_ < 0)
        top_ = capacity_ - 1;
    const KSchOpeLogData *record = records_[size_t(top_)].get();
    --undoCount_;
    if (record == nullptr)
        return true;
    out.OpType = record->OpType;
    out.FrameIndex = record->FrameIndex;
    out.Column = record->Column;
    out.SavedFrame.AssignFrame(record->SavedFrame);
    out.SavedFrames = record->SavedFrames;
    return false;
}

void KDaySchOpeLog::ClearOperations()
{
    for (auto &r : records_)
        r.reset();
    top_ = 0;
    undoCount_ = 0;
}
