#include "graphs/KTSchedulePie.h"

#include "graphs/KGraphMath.h"
#include "graphs/core/KDragGeometry.h"
#include "model/KDaySchedule.h"
#include "platform/qt/KFontMap.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

using KGraphMath::Trunc;

KTSchedulePie::KTSchedulePie(QWidget *parent) : KTScheduleGraph(parent) {}

std::vector<KPieSlice> KTSchedulePie::Slices() const
{
    const KDaySchedule *schedule = Schedule();
    std::vector<KPieSlice> slices;
    for (int32_t i = 0; i < schedule->Capacity(); ++i) {
        const KScheduleFrame *f = schedule->GetFrame(i);
        if (!f || !f->HasItemName())
            continue;
        KPieSlice s;
        s.Start = KGraphMath::TimeToAngle(f->StartTime);
        s.End = f->Duration == KSchTime{} ? s.Start : KGraphMath::TimeToAngle(f->EndTime());
        s.Color = f->Color;
        s.Name = QString::fromStdU16String(f->ItemName);
        slices.push_back(std::move(s));
    }
    return slices;
}

bool KTSchedulePie::ApplyTickMode()
{
    const int tickMode = TickMode();
    if (tickMode >= 1 && tickMode <= 3) {
        static const int counts[] = {4, 8, 24};
        TickCount = counts[tickMode - 1];
        TickStartAngle = 90;
        TickColor = 0x000000;
        TickThickEvery = 0;
        TickThickWidth = 3;
    }
    return tickMode >= 1 && tickMode <= 4;
}

void KTSchedulePie::PaintSchedule()
{
    const std::vector<KPieSlice> slices = Slices();
    SetLabelMargin(HourLabelMode() != 0 ? 30 : 0);
    const bool scale = ApplyTickMode();
    PaintSlices(slices);
    if (scale)
        PaintScaleLines();
    PlaceAndPaintItemLabels(slices);
}

void KTSchedulePie::BeginMoving(const std::vector<int32_t> &frames)
{
    moving_ = frames;
    still_ = QImage();
    if (!Schedule() || !Drawn())
        return;
    std::vector<KPieSlice> staying = Slices();
    for (int32_t i = int32_t(staying.size()) - 1; i >= 0; --i) {
        if (std::find(frames.begin(), frames.end(), i) != frames.end())
            staying.erase(staying.begin() + i);
    }
    still_ = QImage(Canvas().size(), QImage::Format_RGB32);
    still_.fill(Qt::white);
    PaintSlices(staying, &still_);
}

void KTSchedulePie::RepaintMoving()
{
    // Without the kept slices (or when the control has changed size) the whole picture.
    if (!Schedule() || !Drawn() || still_.isNull() || still_.size() != Canvas().size())
        return RepaintFrames();
    CountRepaint();
    const std::vector<KPieSlice> slices = Slices();
    std::vector<KPieSlice> moving;
    for (int32_t i : moving_) {
        if (i >= 0 && i < int32_t(slices.size()))
            moving.push_back(slices[size_t(i)]);
    }
    {
        QPainter p(&Canvas());
        p.drawImage(0, 0, still_);
    }
    itemLabels_.clear();
    PaintSlices(moving);
    if (ApplyTickMode())
        PaintScaleLines();
    PlaceAndPaintItemLabels(slices);
    if (HourLabelMode() != 0)
        PaintHourLabels();
    update();
}

void KTSchedulePie::EndMoving()
{
    moving_.clear();
    still_ = QImage();
}

KDragTarget KTSchedulePie::HitAt(QPointF p) const
{
    if (!Schedule())
        return {};
    const QPointF d = p - QPointF(Centre());
    return KDragGeometry::PieHit(*Schedule(), d.x(), d.y(), Radius(), EdgeTolerance);
}

int32_t KTSchedulePie::SecondsAt(QPointF p) const
{
    const QPointF d = p - QPointF(Centre());
    return KDragGeometry::PieSeconds(d.x(), d.y());
}

Qt::CursorShape KTSchedulePie::EdgeCursor(const KDragEdge &edge) const
{
    // An edge is a radius at angle theta; it moves across it, along the circle. The
    // direction of the move on the screen, 0..180 degrees with y upwards (270 - theta), picks
    // the double arrow nearest to it.
    const double theta = KGraphMath::TimeToAngle(KSchTime{}) + edge.Seconds / 240.0;
    const double along = std::fmod(std::fmod(270.0 - theta, 180.0) + 180.0, 180.0);
    static const Qt::CursorShape arrows[] = {Qt::SizeHorCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
                                             Qt::SizeFDiagCursor};
    return arrows[int(std::fmod(along + 22.5, 180.0) / 45.0) % 4];
}

QPoint KTSchedulePie::TimeMarkPlace(KSchTime now, int size) const
{
    const double theta = KGraphMath::TimeToAngle(now) * std::numbers::pi / 180.0;
    const double rho = Radius() + TimeMarkOffset;
    const QPoint at = PosInHost();
    const int top = at.y() + Trunc(height() / 2.0 - rho * std::sin(theta) - size / 2.0);
    const int left = at.x() + Trunc(width() / 2.0 - rho * std::cos(theta) - size / 2.0);
    return QPoint(left, top);
}

void KTSchedulePie::PaintHourLabels()
{
    static const int counts[] = {4, 8, 24};
    static const int hourSteps[] = {6, 3, 1};
    static const double angleSteps[] = {90.0, 45.0, 15.0};
    const int mode = HourLabelMode();
    if (mode < 1 || mode > 3)
        return;
    const int n = counts[mode - 1];
    const KSchTime step = KSchTime::MakeTime(uint8_t(hourSteps[mode - 1]), 0, 0);
    const double angleStep = angleSteps[mode - 1];

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
