// The current-time mark of the list: a small circle moving down through the row of the
// frame that holds the current time.
#include "listedit/KScheduleList.h"

#include "listedit/KTTimeEntryComb.h"
#include "listedit/KTTimeVIndicator.h"

void KScheduleList::SetTimeMarkSize(int size)
{
    timeMarkSize_ = size;
    if (timeMark_) {
        timeMark_->SetMarkWidth(size);
        timeMark_->SetMarkHeight(size);
    }
}

void KScheduleList::SetTimeMarkOffset(int offset)
{
    timeMarkOffset_ = offset;
    PlaceMark(markedFrame_);
}

void KScheduleList::SetTimeMarkOption(int option)
{
    if (option == timeMarkOption_)
        return;
    timeMarkOption_ = option;
    if (option == 0 || editMode_)
        DestroyTimeMark();
    else if (option == 2)
        CreateTimeMark();
}

void KScheduleList::CreateTimeMark()
{
    if (timeMark_)
        return;
    timeMark_ = new KTTimeVIndicator(viewport());
    timeMark_->hide();
    timeMark_->SetMarkHeight(timeMarkSize_);
    timeMark_->SetMarkWidth(timeMarkSize_);
    timeMark_->SetShape(0);
    timeMark_->SetMarkColor(0xFF00FF);
    PlaceMark(markedFrame_);
}

void KScheduleList::DestroyTimeMark()
{
    delete timeMark_;
    timeMark_ = nullptr;
}

bool KScheduleList::RowHidden(int row) const
{
    // The title row never holds the band.
    return row < 1 || CellRect(row, ColColor).isEmpty();
}

void KScheduleList::PlaceMark(int frame)
{
    if (!timeMark_ || !schedule_)
        return;
    const KDaySchedule *s = ShownSchedule();
    const KScheduleFrame *f = s && frame >= 0 && frame < s->Capacity() ? s->GetFrame(frame) : nullptr;
    if (!f)
        return;
    const QRect band = CellRect(frame + 1, ColColor).translated(-viewport()->geometry().topLeft());
    timeMark_->Hidden = RowHidden(frame + 1);
    timeMark_->SetBandTop(timeMark_->Hidden ? -999 : band.top());
    timeMark_->SetMarkLeft(band.left() + timeMarkOffset_);
    timeMark_->SetBandHeight(band.height());
    timeMark_->SetBandStart(f->StartTime);
    timeMark_->SetBandEnd(f->EndTime());
}

void KScheduleList::SetCurrentFrame(int index)
{
    if (timeMark_) {
        timeMark_->Hidden = RowHidden(index + 1);
        // Out of its row at once; shown again by the next UpdateTimeMark.
        if (timeMark_->Hidden)
            timeMark_->setVisible(false);
    }
    if (index == markedFrame_)
        return;
    markedFrame_ = index;
    PlaceMark(index);
}

void KScheduleList::UpdateTimeMark(KSchTime now)
{
    if (!timeMark_)
        return;
    timeMark_->Hidden = RowHidden(markedFrame_ + 1);
    timeMark_->setVisible(!timeMark_->Hidden);
    timeMark_->SetTime(now);
}

void KScheduleList::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    PlaceMark(markedFrame_);
    // An open time entry stays under the cell it edits.
    if (timeEntry_ && timeEntry_->isVisible())
        timeEntry_->move(timeEntry_->pos() + QPoint(dx, dy));
}
