#include "graphs/KTScheduleTimeline.h"

#include "graphs/KGraphMath.h"
#include "model/KDaySchedule.h"
#include "platform/qt/KFontMap.h"

#include <QFontMetrics>
#include <QPainter>

using KGraphMath::Trunc;

KTScheduleTimeline::KTScheduleTimeline(QWidget *parent) : KTTimelineGraph(parent)
{
    Origin = QPoint(35, 10);
    SetPopupsEnabled(true);
}

void KTScheduleTimeline::SetSchedule(const KDaySchedule *schedule)
{
    schedule_ = schedule;
    if (drawn_) {
        Clear();
        Draw();
    }
}

void KTScheduleTimeline::Draw()
{
    if (!schedule_)
        return;
    CountDraw();
    std::vector<KTimelineBlock> blocks;
    for (int32_t i = 0; i < schedule_->Capacity(); ++i) {
        const KScheduleFrame *f = schedule_->GetFrame(i);
        if (!f || !f->HasItemName())
            continue;
        KTimelineBlock b;
        b.Start = KGraphMath::TimeToFraction(f->StartTime);
        if (b.Start >= 1.0)
            b.Start -= 1.0;
        b.End = KGraphMath::TimeToFraction(f->EndTime());
        if (b.End > 1.0)
            b.End -= 1.0;
        if (f->Duration == KSchTime{})
            b.End = b.Start;
        b.Color = f->Color;
        b.Name = QString::fromStdU16String(f->ItemName);
        blocks.push_back(std::move(b));
    }

    bool scale = true;
    if (tickMode_ >= 1 && tickMode_ <= 3) {
        static const int intervals[] = {4, 8, 24};
        TickIntervals = intervals[tickMode_ - 1];
        TickColor = 0x000000;
        TickThickEvery = 0;
        TickThickWidth = 3;
    } else if (tickMode_ != 4) {
        scale = false;
    }

    PaintAxis();
    PaintBlocks(blocks);
    if (scale)
        PaintScale();
    PlaceAndPaintItemLabels(blocks);
    drawn_ = true;

    if (hourLabelMode_ != 0) {
        if (hourLabels_.empty())
            PaintHourLabels();
    } else {
        hourLabels_.clear();
    }

    if (timeMarkStyle_ != 0) {
        if (!TimeMarkWidget())
            EnsureTimeMark(timeMarkStyle_, timeMarkSize_);
    } else {
        DestroyTimeMark();
    }
}

void KTScheduleTimeline::Clear()
{
    FillCanvasWhite();
    itemLabels_.clear();
    hourLabels_.clear();
    DestroyTimeMark();
    HidePopup();
    drawn_ = false;
}

void KTScheduleTimeline::SetTickMode(int m)
{
    if (m == tickMode_)
        return;
    tickMode_ = m;
    if (drawn_) {
        Clear();
        Draw();
    }
}

void KTScheduleTimeline::SetHourLabelMode(int m)
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

void KTScheduleTimeline::SetTimeMarkStyle(int s)
{
    if (s == timeMarkStyle_)
        return;
    timeMarkStyle_ = s;
    if (s == 0)
        DestroyTimeMark();
    else if (drawn_)
        EnsureTimeMark(s, timeMarkSize_);
}

void KTScheduleTimeline::SetTimeMarkSize(int n)
{
    if (n == timeMarkSize_)
        return;
    timeMarkSize_ = n;
    if (TimeMarkWidget())
        TimeMarkWidget()->SetMarkSize(n);
}

void KTScheduleTimeline::SetPopupsEnabled(bool on)
{
    if (on == popupsEnabled_)
        return;
    popupsEnabled_ = on;
    EnablePopups(on, &schedule_);
}

void KTScheduleTimeline::ShowTime(KSchTime now)
{
    KTTimeMark *mark = TimeMarkWidget();
    if (!drawn_ || !mark || (timeMarkStyle_ != 1 && timeMarkStyle_ != 2))
        return;
    const int size = timeMarkSize_;
    if (mark->width() != size || mark->height() != size)
        mark->resize(size, size);
    const QPoint at = PosInHost();
    const int top = at.y() + Trunc(Origin.y() + AxisLength * KGraphMath::TimeToFraction(now) - size / 2.0);
    const int left = at.x() + Origin.x() + BarGap + AxisWidth + TimeMarkOffset;
    mark->move(left, top);
    if (!mark->isVisible()) {
        mark->show();
        mark->raise();
    }
}

void KTScheduleTimeline::PaintHourLabels()
{
    static const int counts[] = {5, 9, 25};
    static const int hourSteps[] = {6, 3, 1};
    if (hourLabelMode_ < 1 || hourLabelMode_ > 3)
        return;
    const int n = counts[hourLabelMode_ - 1];
    const KSchTime step = KSchTime::MakeTime(uint8_t(hourSteps[hourLabelMode_ - 1]), 0, 0);
    const double fractionStep = 1.0 / (n - 1);

    const QFont font = KFontMap::PointFont("Tahoma", 10);
    const QFontMetrics fm(font);
    QPainter p(&Canvas());
    p.setFont(font);
    p.setPen(Qt::black);
    hourLabels_.clear();
    KSchTime t{};
    for (int i = 0; i < n; ++i) {
        HourLabel label;
        label.Text = QString::fromStdU16String(FormatTime(t, false).substr(0, 2));
        const int h = fm.height();
        const double fraction = i * fractionStep;
        label.Rect = QRect(10, Trunc(Origin.y() + AxisLength * fraction - h / 2.0), 35, h);
        p.drawText(label.Rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, label.Text);
        hourLabels_.push_back(label);
        t = AddTimes(t, step);
    }
    update();
}
