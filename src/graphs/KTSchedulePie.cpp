#include "graphs/KTSchedulePie.h"

#include "graphs/KGraphMath.h"
#include "model/KDaySchedule.h"
#include "platform/qt/KFontMap.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <numbers>

using KGraphMath::Trunc;

KTSchedulePie::KTSchedulePie(QWidget *parent) : KTPieGraph(parent)
{
    SetPopupsEnabled(true);
}

void KTSchedulePie::SetSchedule(const KDaySchedule *schedule)
{
    schedule_ = schedule;
    if (drawn_) {
        Clear();
        Draw();
    }
}

void KTSchedulePie::Draw()
{
    if (!schedule_)
        return;
    CountDraw();
    std::vector<KPieSlice> slices;
    for (int32_t i = 0; i < schedule_->Capacity(); ++i) {
        const KScheduleFrame *f = schedule_->GetFrame(i);
        if (!f || !f->HasItemName())
            continue;
        KPieSlice s;
        s.Start = KGraphMath::TimeToAngle(f->StartTime);
        s.End = f->Duration == KSchTime{} ? s.Start : KGraphMath::TimeToAngle(f->EndTime());
        s.Color = f->Color;
        s.Name = QString::fromStdU16String(f->ItemName);
        slices.push_back(std::move(s));
    }

    SetLabelMargin(hourLabelMode_ != 0 ? 30 : 0);

    bool scale = true;
    if (tickMode_ >= 1 && tickMode_ <= 3) {
        static const int counts[] = {4, 8, 24};
        TickCount = counts[tickMode_ - 1];
        TickStartAngle = 90;
        TickColor = 0x000000;
        TickThickEvery = 0;
        TickThickWidth = 3;
    } else if (tickMode_ != 4) {
        scale = false;
    }

    PaintSlices(slices);
    if (scale)
        PaintScaleLines();
    PlaceAndPaintItemLabels(slices);
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

void KTSchedulePie::Clear()
{
    FillCanvasWhite();
    itemLabels_.clear();
    hourLabels_.clear();
    DestroyTimeMark();
    HidePopup();
    drawn_ = false;
}

void KTSchedulePie::SetTickMode(int m)
{
    if (m == tickMode_)
        return;
    tickMode_ = m;
    if (drawn_) {
        Clear();
        Draw();
    }
}

void KTSchedulePie::SetHourLabelMode(int m)
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

void KTSchedulePie::SetTimeMarkStyle(int s)
{
    if (s == timeMarkStyle_)
        return;
    timeMarkStyle_ = s;
    if (s == 0)
        DestroyTimeMark();
    else if (drawn_)
        EnsureTimeMark(s, timeMarkSize_);
}

void KTSchedulePie::SetTimeMarkSize(int n)
{
    if (n == timeMarkSize_)
        return;
    timeMarkSize_ = n;
    if (TimeMarkWidget())
        TimeMarkWidget()->SetMarkSize(n);
}

void KTSchedulePie::SetPopupsEnabled(bool on)
{
    if (on == popupsEnabled_)
        return;
    popupsEnabled_ = on;
    EnablePopups(on, &schedule_);
}

void KTSchedulePie::ShowTime(KSchTime now)
{
    KTTimeMark *mark = TimeMarkWidget();
    if (!drawn_ || !mark || (timeMarkStyle_ != 1 && timeMarkStyle_ != 2))
        return;
    const int size = timeMarkSize_;
    if (mark->width() != size || mark->height() != size)
        mark->resize(size, size);
    const double theta = KGraphMath::TimeToAngle(now) * std::numbers::pi / 180.0;
    const double rho = Radius() + TimeMarkOffset;
    const QPoint at = PosInHost();
    const int top = at.y() + Trunc(height() / 2.0 - rho * std::sin(theta) - size / 2.0);
    const int left = at.x() + Trunc(width() / 2.0 - rho * std::cos(theta) - size / 2.0);
    mark->move(left, top);
    if (!mark->isVisible()) {
        mark->show();
        mark->raise();
    }
}

void KTSchedulePie::PaintHourLabels()
{
    static const int counts[] = {4, 8, 24};
    static const int hourSteps[] = {6, 3, 1};
    static const double angleSteps[] = {90.0, 45.0, 15.0};
    if (hourLabelMode_ < 1 || hourLabelMode_ > 3)
        return;
    const int n = counts[hourLabelMode_ - 1];
    const KSchTime step = KSchTime::MakeTime(uint8_t(hourSteps[hourLabelMode_ - 1]), 0, 0);
    const double angleStep = angleSteps[hourLabelMode_ - 1];

    const QFont font = KFontMap::PointFont("Tahoma", 10);
    const QFontMetrics fm(font);
    KSchTime t{};
    double theta = 270.0;
    hourLabels_.clear();
    for (int i = 0; i < n; ++i) {
        HourLabel label;
        label.Text = QString::fromStdU16String(FormatTime(t, false).substr(0, 2));
        label.Rect.setSize(QSize(fm.horizontalAdvance(label.Text), fm.height()));
        hourLabels_.push_back(label);
        t = AddTimes(t, step);
        theta += angleStep;
    }

    const int dist = Trunc(hourLabels_.front().Rect.height() / 2.0 + Radius() + 2);
    theta = 270.0;
    QPainter p(&Canvas());
    p.setFont(font);
    p.setPen(Qt::black);
    for (HourLabel &label : hourLabels_) {
        const int w = label.Rect.width(), h = label.Rect.height();
        const double tp = 540.0 - theta;
        const double rad = tp * std::numbers::pi / 180.0;
        double x = std::cos(rad) * dist;
        double y = std::sin(rad) * dist;
        if (tp == 90.0) {
            x = -(w / 2);
            y = y + h;
        } else if (tp == 270.0) {
            x = -(w / 2);
        } else {
            if (tp > 90.0 && tp < 270.0)
                x = x - w;
            y = y + h / 2.0 + std::sin(rad) * h / 2.0;
        }
        label.Rect.moveTopLeft(QPoint(width() / 2 + Trunc(x), height() / 2 - Trunc(y)));
        p.drawText(label.Rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, label.Text);
        theta += angleStep;
    }
    update();
}
