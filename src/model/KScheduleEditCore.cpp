#include "model/KScheduleEditCore.h"

namespace {
constexpr KSchTime WholeDay{24, 0, 0};
} // namespace

KScheduleEditCore::KScheduleEditCore(const KDaySchedule &shown) : shown_(shown), edit_(shown.Capacity())
{
    edit_.AssignSchedule(shown);
}

void KScheduleEditCore::NotifyChange(bool changed, int32_t index, bool call)
{
    if (changed) {
        Modified = true;
        if (call && ChangeHandler)
            ChangeHandler(index, Changed);
    } else if (Modified) {
        Modified = false;
        if (call && ChangeHandler)
            ChangeHandler(index, Cleared);
    }
}

void KScheduleEditCore::LogChange(uint32_t type, int32_t index, int32_t column)
{
    if (OpeLog)
        OpeLog->RecordOperation(type, index, column, edit_.GetFrame(index));
}

bool KScheduleEditCore::HasFrame(int32_t index) const
{
    return !edit_.IsEmptySlot(index);
}

KScheduleFrame *KScheduleEditCore::FrameAt(int32_t index)
{
    return HasFrame(index) ? edit_.GetFrame(index) : nullptr;
}

bool KScheduleEditCore::AddSch(bool log)
{
    const int32_t n = edit_.GetCount();
    KScheduleFrame frame;
    if (n == 0) {
        frame.Duration = WholeDay;
    } else {
        frame.StartTime = edit_.GetFrame(n - 1)->EndTime();
    }
    frame.SetItemName(DefaultItemName);
    frame.Color = DefaultColor;
    if (edit_.AppendFrame(frame))
        return true;
    if (log)
        LogChange(KSchOpeLogData::opAdd, n, -1);
    NotifyChange(true, AllFrames);
    return false;
}

bool KScheduleEditCore::InsSch(int32_t index, KScheduleFrame frame, bool log)
{
    const int32_t n = edit_.GetCount();
    if (index < 0 || index > n)
        return false;
    // Without frames there is nothing before the position: the day starts at midnight.
    frame.StartTime = n == 0 ? KSchTime{} : edit_.GetFrame(index == 0 ? n - 1 : index - 1)->EndTime();
    if (!frame.HasItemName())
        frame.SetItemName(DefaultItemName);
    if (edit_.InsertFrame(index, frame))
        return true;
    const int32_t at = n == 0 ? 0 : index;
    if (log)
        LogChange(KSchOpeLogData::opInsert, at, -1);
    NotifyChange(true, AllFrames);
    return false;
}

bool KScheduleEditCore::DeleteSch(int32_t index, bool log)
{
    if (!HasFrame(index))
        return false;
    if (log) {
        // Deleting the only frame leaves the whole-day default in its place: taking that back
        // means putting the frame back over the default, which a change record does exactly.
        const bool only = edit_.GetCount() == 1;
        LogChange(only ? KSchOpeLogData::opChange : KSchOpeLogData::opDelete, index, -1);
    }
    edit_.DeleteFrame(index);
    NotifyChange(true, AllFrames);
    return true;
}

bool KScheduleEditCore::CommitItem(int32_t index, const std::u16string &text, bool log)
{
    KScheduleFrame *f = FrameAt(index);
    if (!f)
        return false;
    const std::u16string name =
        TruncateUtf16(text.empty() ? DefaultItemName : text, KScheduleFrame::ItemNameMax);
    uint32_t color = f->Color;
    if (Pool && Pool->HasItem(name))
        color = Pool->GetItemColor(name, color);
    if (name == f->ItemName && color == f->Color)
        return false;
    if (log)
        LogChange(KSchOpeLogData::opChange, index, ColItem);
    f->SetItemName(name);
    f->Color = color;
    if (Pool && !Pool->HasItem(name))
        Pool->AddItem(name, color);
    NotifyChange(true, index);
    return true;
}

bool KScheduleEditCore::CommitMemo(int32_t index, const std::u16string &text, bool log)
{
    KScheduleFrame *f = FrameAt(index);
    if (!f)
        return false;
    if (TruncateUtf16(text, KScheduleFrame::MemoMax) == f->Memo)
        return false;
    if (log)
        LogChange(KSchOpeLogData::opChange, index, ColMemo);
    f->SetMemo(text);
    NotifyChange(true, index);
    return true;
}

bool KScheduleEditCore::CommitTime(int32_t index, int column, KSchTime value, bool log)
{
    KScheduleFrame *f = FrameAt(index);
    if (!f || (column != ColStart && column != ColEnd && column != ColTime))
        return false;
    value.Second = 0;
    KSchTime start = f->StartTime, duration = f->Duration;
    if (column == ColStart)
        start = ToClockTime(value);
    else if (column == ColEnd)
        duration = DiffTimes(ToClockTime(value), ToClockTime(f->StartTime));
    else
        duration = Greater(KSchTime::MakeTime(value.Hour, value.Minute, 0), WholeDay)
                       ? WholeDay
                       : KSchTime::MakeTime(value.Hour, value.Minute, 0);
    if (start == f->StartTime && duration == f->Duration)
        return false;
    if (log)
        LogChange(KSchOpeLogData::opChange, index, column);
    f->StartTime = start;
    f->Duration = duration;
    NotifyChange(true, index);
    return true;
}

bool KScheduleEditCore::PasteTime(int32_t index, int column, const std::u16string &text)
{
    if (!HasFrame(index))
        return false;
    const std::u16string cut = text.size() > PastedTimeMax ? text.substr(0, PastedTimeMax - 1) : text;
    KSchTime value;
    if (!ParseTime(cut, true, false, value))
        return false;
    return CommitTime(index, column, value, true);
}

void KScheduleEditCore::RecordColor(const std::u16string &name, uint32_t color)
{
    if (Pool && Pool->SetItemColor(name, color) == 2)
        Pool->AddItem(name, color);
}

bool KScheduleEditCore::ChooseColor(int32_t index, uint32_t color)
{
    KScheduleFrame *f = FrameAt(index);
    if (!f)
        return false;
    color &= 0xFFFFFF;
    LogChange(KSchOpeLogData::opChange, index, ColColor);
    f->Color = color;
    RecordColor(f->ItemName, color);
    RecolorItemFrames(f->ItemName, color);
    NotifyChange(true, index);
    return true;
}

bool KScheduleEditCore::PasteColor(int32_t index, uint32_t color)
{
    KScheduleFrame *f = FrameAt(index);
    if (!f)
        return false;
    LogChange(KSchOpeLogData::opChange, index, ColColor);
    f->Color = color & 0xFFFFFF;
    if (Pool)
        Pool->SetItemColor(f->ItemName, f->Color);
    NotifyChange(true, index);
    return true;
}

bool KScheduleEditCore::ChooseItem(int32_t index, const std::u16string &name, uint32_t color)
{
    KScheduleFrame *f = FrameAt(index);
    if (!f || name.empty())
        return false;
    LogChange(KSchOpeLogData::opChange, index, ColItem);
    f->SetItemName(name);
    f->Color = color & 0xFFFFFF;
    NotifyChange(true, index);
    return true;
}

bool KScheduleEditCore::SetChronoTime(int32_t index, int mode)
{
    if (!HasFrame(index) || mode < 0 || mode > 4)
        return false;
    LogChange(KSchOpeLogData::opChange, index, mode <= 1 ? ColStart : ColEnd);
    edit_.SetChronoTime(index, mode);
    NotifyChange(true, index);
    return true;
}

int KScheduleEditCore::RecolorItemFrames(const std::u16string &name, uint32_t color)
{
    int changed = 0;
    const int32_t n = edit_.GetCount();
    for (int32_t i = 0; i < n; ++i) {
        KScheduleFrame *f = edit_.GetFrame(i);
        if (f->ItemName == name && f->Color != color) {
            f->Color = color;
            ++changed;
        }
    }
    return changed;
}

void KScheduleEditCore::BeginDrag()
{
    dragStart_ = std::make_unique<KDaySchedule>(edit_.Capacity());
    dragStart_->AssignSchedule(edit_);
}

void KScheduleEditCore::PreviewDrag(const std::vector<KFrameTimes> &times)
{
    if (!dragStart_)
        return;
    for (const KFrameTimes &t : times) {
        if (KScheduleFrame *f = FrameAt(t.Index)) {
            f->StartTime = t.Start;
            f->Duration = t.Duration;
        }
    }
}

bool KScheduleEditCore::EndDrag(int32_t index)
{
    if (!dragStart_)
        return false;
    const std::unique_ptr<KDaySchedule> before = std::move(dragStart_);
    std::vector<std::pair<int32_t, KScheduleFrame>> changed;
    const int32_t n = edit_.GetCount();
    for (int32_t i = 0; i < n; ++i) {
        const KScheduleFrame &now = *edit_.GetFrame(i), &was = *before->GetFrame(i);
        if (now.StartTime != was.StartTime || now.Duration != was.Duration)
            changed.emplace_back(i, was);
    }
    if (changed.empty())
        return false;
    if (OpeLog)
        OpeLog->RecordFrames(index, std::move(changed));
    NotifyChange(true, index);
    return true;
}

void KScheduleEditCore::CancelDrag()
{
    if (!dragStart_)
        return;
    edit_.AssignSchedule(*dragStart_);
    dragStart_.reset();
}

bool KScheduleEditCore::UndoLastOperation()
{
    if (!OpeLog)
        return false;
    KSchOpeLogData r;
    if (OpeLog->TakeLastOperation(r))
        return false;
    const int32_t i = r.FrameIndex;
    int32_t changed = AllFrames;
    switch (r.OpType) {
    case KSchOpeLogData::opDelete:
        // The frame comes back at its place exactly as it was.
        if (i > edit_.GetCount() || !r.SavedFrame.HasItemName() || edit_.InsertFrame(i, r.SavedFrame))
            return false;
        break;
    case KSchOpeLogData::opAdd:
    case KSchOpeLogData::opInsert:
        if (!HasFrame(i))
            return false;
        edit_.DeleteFrame(i);
        break;
    case KSchOpeLogData::opChange: {
        KScheduleFrame *f = FrameAt(i);
        if (!f || !r.SavedFrame.HasItemName())
            return false;
        f->AssignFrame(r.SavedFrame);
        RecordColor(f->ItemName, f->Color);
        RecolorItemFrames(f->ItemName, f->Color);
        changed = i;
        break;
    }
    case KSchOpeLogData::opChangeFrames:
        for (const auto &[index, frame] : r.SavedFrames) {
            if (KScheduleFrame *f = FrameAt(index); f && frame.HasItemName())
                f->AssignFrame(frame);
        }
        changed = i;
        break;
    default:
        return false;
    }
    NotifyChange(true, changed);
    return true;
}

void KScheduleEditCore::Restore()
{
    dragStart_.reset();
    edit_.AssignSchedule(shown_);
    if (OpeLog)
        OpeLog->ClearOperations();
    NotifyChange(false, AllFrames);
}

KCheckReport KScheduleEditCore::Check()
{
    return Check(edit_);
}

KCheckReport KScheduleEditCore::Check(KDaySchedule &schedule)
{
    KCheckReport report;
    schedule.CheckSchedule();
    const int32_t n = schedule.GetCount();
    for (int32_t i = 0; i < n; ++i) {
        const int32_t code = schedule.CheckCodes[size_t(i)];
        if (code == 0)
            continue;
        report.Index = i;
        report.Code = code;
        const int32_t prev = schedule.PrevIndex(i), next = schedule.NextIndex(i);
        if (code == 1 || code == 4)
            report.BlinkCells = {{i, ColStart}, {prev, ColEnd}};
        else if (code == 2 || code == 5)
            report.BlinkCells = {{i, ColEnd}, {next, ColStart}};
        else
            report.BlinkCells = {{i, ColStart}, {i, ColEnd}, {prev, ColEnd}, {next, ColStart}};
        return report;
    }
    if (schedule.OverFullDay)
        report.Code = KDaySchedule::OverFullDayCode;
    return report;
}

int KScheduleEditCore::CheckBeforeLeave(const ConflictCallback &ask)
{
    if (!Modified)
        return LeaveClean;
    const KCheckReport report = Check();
    if (report.Clean())
        return LeaveClean;
    const int choice = ask ? ask(report) : ChoiceNone;
    if (choice == ChoiceAdjust)
        return LeaveStay;
    if (choice == ChoiceRetrieve) {
        Restore();
        return LeaveStay;
    }
    // Cancel, or no dialog to ask with: leave without the changes.
    return LeaveDiscard;
}
