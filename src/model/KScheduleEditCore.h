#pragma once

#include "model/KDaySchOpeLog.h"
#include "model/KDaySchedule.h"
#include "model/KFrameTimes.h"
#include "model/KItemColorStore.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// What the result of the check on leaving scheduling mode reports: the lowest faulty frame
// with its code and the start/end cells that show the fault, or (Index -1) code 9 when only
// the total is over 24 hours, or code 0 when the schedule is clean.
struct KCheckReport {
    int32_t Index = -1;
    int32_t Code = 0;
    // {frame index, list column} of the cells to blink.
    std::vector<std::pair<int32_t, int>> BlinkCells;
    bool Clean() const { return Code == 0; }
};

// The editing of a working copy of the shown schedule in scheduling mode, without any user
// interface: every edit is logged before it is made (so it can be taken back) and announced
// afterwards. Frame indexes are 0-based; columns are those of the list.
class KScheduleEditCore {
public:
    enum Column { ColColor = 0, ColStart, ColItem, ColEnd, ColTime, ColMemo };
    enum ChangeKind { Changed = 0, Cleared = 1 };
    enum Choice { ChoiceAdjust = 0, ChoiceRetrieve = 1, ChoiceCancel = 2, ChoiceNone = -1 };
    enum LeaveResult { LeaveClean = 0, LeaveDiscard = 1, LeaveStay = 2 };
    static constexpr int32_t AllFrames = 0xFFFF;
    // Characters accepted from the clipboard for a time.
    static constexpr size_t PastedTimeMax = 32;

    using ChangeCallback = std::function<void(int32_t index, int kind)>;
    // Shows the check's result and answers with a Choice (ChoiceNone when it cannot be shown).
    using ConflictCallback = std::function<int(const KCheckReport &)>;

    // The working copy starts as a copy of shown, which must outlive this object.
    explicit KScheduleEditCore(const KDaySchedule &shown);

    KDaySchedule &Edit() { return edit_; }
    const KDaySchedule &Edit() const { return edit_; }
    const KDaySchedule &Shown() const { return shown_; }

    bool Modified = false;
    KDaySchOpeLog *OpeLog = nullptr;
    KItemColorStore *Pool = nullptr;
    std::u16string DefaultItemName = u"自由";
    uint32_t DefaultColor = 0xFFFFFF;
    ChangeCallback ChangeHandler;

    // changed: Modified on and the handler told (kind 0). Not changed: when Modified was on it
    // goes off and the handler is told (kind 1).
    void NotifyChange(bool changed, int32_t index, bool call = true);
    void LogChange(uint32_t type, int32_t index, int32_t column);
    bool HasFrame(int32_t index) const;

    // Appends a frame after the last one (a whole day in an empty schedule); true when full.
    bool AddSch(bool log = true);
    // Inserts frame before position index, starting where the frame before it ends (00:00:00
    // in a schedule without frames); true when full. An index outside 0..count does nothing.
    bool InsSch(int32_t index, KScheduleFrame frame, bool log = true);
    bool DeleteSch(int32_t index, bool log = true);

    // Cell commits; false when the row holds no frame or nothing changed.
    bool CommitItem(int32_t index, const std::u16string &text, bool log = true);
    bool CommitMemo(int32_t index, const std::u16string &text, bool log = true);
    // A time from the time entry for the Start Time, End Time or Time column.
    bool CommitTime(int32_t index, int column, KSchTime value, bool log = true);
    // A time pasted as text; a text that is not a time changes nothing.
    bool PasteTime(int32_t index, int column, const std::u16string &text);
    // A colour from the colour dialog: every frame with the same item name takes it.
    bool ChooseColor(int32_t index, uint32_t color);
    // A colour from the clipboard: only this frame takes it.
    bool PasteColor(int32_t index, uint32_t color);
    // A name picked from the item pool with its colour.
    bool ChooseItem(int32_t index, const std::u16string &name, uint32_t color);
    bool SetChronoTime(int32_t index, int mode);
    // Gives every frame named exactly name the colour; returns how many changed.
    int RecolorItemFrames(const std::u16string &name, uint32_t color);

    // A drag on a graph: the frames change at once so that the views follow the pointer, and
    // the whole drag becomes one logged change when it ends. Begin takes a copy of the
    // working copy; Preview sets the times of frames (nothing logged, nobody told); End logs
    // every frame that differs from the copy as one record and announces the change (index:
    // the frame the drag was about); false when nothing changed. Cancel puts the copy back.
    void BeginDrag();
    bool DragInProgress() const { return dragStart_ != nullptr; }
    void PreviewDrag(const std::vector<KFrameTimes> &times);
    bool EndDrag(int32_t index);
    void CancelDrag();

    // Takes back the newest logged edit; false when there was none to take back.
    bool UndoLastOperation();
    // The working copy becomes a copy of the shown schedule again; the log is emptied, so
    // no older record can be applied to the restored copy.
    void Restore();

    // Runs the check on the working copy.
    KCheckReport Check();
    static KCheckReport Check(KDaySchedule &schedule);
    // Before leaving: LeaveClean when unchanged or clean, otherwise by the answer of ask.
    int CheckBeforeLeave(const ConflictCallback &ask);
    void ApplyTo(KDaySchedule &target) const { target.AssignSchedule(edit_); }

private:
    KScheduleFrame *FrameAt(int32_t index);
    void RecordColor(const std::u16string &name, uint32_t color);

    const KDaySchedule &shown_;
    KDaySchedule edit_;
    // The working copy as it was when the drag began.
    std::unique_ptr<KDaySchedule> dragStart_;
};
