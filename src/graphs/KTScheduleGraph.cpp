#include "graphs/KTScheduleGraph.h"

#include "graphs/KTGraphDragEditor.h"
#include "graphs/KTPieGraph.h"
#include "graphs/KTTimeMark.h"
#include "graphs/KTTimelineGraph.h"

template <class Graph> KTScheduleGraph<Graph>::KTScheduleGraph(QWidget *parent) : Graph(parent)
{
    SetPopupsEnabled(true);
}

template <class Graph> KTScheduleGraph<Graph>::~KTScheduleGraph()
{
    // Before the view is half gone: the editor may still put a drag back.
    dragEditor_.reset();
}

template <class Graph> KTGraphDragEditor *KTScheduleGraph<Graph>::DragEditor()
{
    if (!dragEditor_)
        dragEditor_ = std::make_unique<KTGraphDragEditor>(this, this);
    return dragEditor_.get();
}

template <class Graph> void KTScheduleGraph<Graph>::RepaintFrames()
{
    if (!schedule_ || !drawn_)
        return;
    ++repaintCount_;
    this->Canvas().fill(Qt::white);
    this->itemLabels_.clear();
    PaintSchedule();
    if (hourLabelMode_ != 0)
        PaintHourLabels();
    this->update();
}

template <class Graph> void KTScheduleGraph<Graph>::SetSchedule(const KDaySchedule *schedule)
{
    schedule_ = schedule;
    if (drawn_) {
        Clear();
        Draw();
    }
}

template <class Graph> void KTScheduleGraph<Graph>::Draw()
{
    if (!schedule_)
        return;
    this->CountDraw();
    PaintSchedule();
    drawn_ = true;

    if (hourLabelMode_ != 0) {
        if (hourLabels_.empty())
            PaintHourLabels();
    } else {
        hourLabels_.clear();
    }

    if (timeMarkStyle_ != 0) {
        if (!this->TimeMarkWidget())
            this->EnsureTimeMark(timeMarkStyle_, timeMarkSize_);
    } else {
        this->DestroyTimeMark();
    }
}

template <class Graph> void KTScheduleGraph<Graph>::Clear()
{
    this->FillCanvasWhite();
    this->itemLabels_.clear();
    hourLabels_.clear();
    this->DestroyTimeMark();
    this->HidePopup();
    this->ForgetHover();
    drawn_ = false;
}

template <class Graph> void KTScheduleGraph<Graph>::SetTickMode(int m)
{
    if (m == tickMode_)
        return;
    tickMode_ = m;
    if (drawn_) {
        Clear();
        Draw();
    }
}

template <class Graph> void KTScheduleGraph<Graph>::SetHourLabelMode(int m)
{
    if (m == hourLabelMode_)
        return;
    if (hourLabelMode_ != 0)
        hourLabels_.clear();
    hourLabelMode_ = m;
    if (drawn_) {
        Clear();
        Draw();
    }
}

template <class Graph> void KTScheduleGraph<Graph>::SetTimeMarkStyle(int s)
{
    if (s == timeMarkStyle_)
        return;
    timeMarkStyle_ = s;
    if (s == 0)
        this->DestroyTimeMark();
    else if (drawn_)
        this->EnsureTimeMark(s, timeMarkSize_);
}

template <class Graph> void KTScheduleGraph<Graph>::SetTimeMarkSize(int n)
{
    if (n == timeMarkSize_)
        return;
    timeMarkSize_ = n;
    if (this->TimeMarkWidget())
        this->TimeMarkWidget()->SetMarkSize(n);
}

template <class Graph> void KTScheduleGraph<Graph>::SetPopupsEnabled(bool on)
{
    if (on == popupsEnabled_)
        return;
    popupsEnabled_ = on;
    this->EnablePopups(on, &schedule_);
}

template <class Graph> void KTScheduleGraph<Graph>::ShowTime(KSchTime now)
{
    KTTimeMark *mark = this->TimeMarkWidget();
    if (!drawn_ || !mark || (timeMarkStyle_ != 1 && timeMarkStyle_ != 2))
        return;
    const int size = timeMarkSize_;
    if (mark->width() != size || mark->height() != size)
        mark->resize(size, size);
    mark->move(TimeMarkPlace(now, size));
    if (!mark->isVisible()) {
        mark->show();
        mark->raise();
    }
}

// The two schedule views; the definitions above are compiled here only.
template class KTScheduleGraph<KTPieGraph>;
template class KTScheduleGraph<KTTimelineGraph>;
