#pragma once

#include "graphs/KTGraphImage.h"

#include <QPoint>
#include <QString>
#include <cstdint>
#include <vector>

// One slice of the dial: angles in degrees (see KGraphMath::TimeToAngle), fill colour, name.
struct KPieSlice {
    double Start = 0;
    double End = 0;
    uint32_t Color = 0xFFFFFF;
    QString Name;
};

// The 24-hour dial as a drawing component: circle, slices, scale lines, item labels
// and their hit areas. It knows nothing of schedules.
class KTPieGraph : public KTGraphImage {
public:
    explicit KTPieGraph(QWidget *parent = nullptr);

    int TickCount = 18;
    int TickStartAngle = 0;
    uint32_t TickColor = 0x000000;
    int TickThickEvery = 0;
    int TickThickWidth = 3;
    uint32_t SegmentPenColor = 0x000000;

    int Radius() const { return radius_; }
    int TickLength() const { return tickLength_; }
    int LabelMargin() const { return labelMargin_; }
    QPoint BoxOrigin() const { return boxOrigin_; }
    QPoint Centre() const { return boxOrigin_ + QPoint(radius_, radius_); }

    void SetRadius(int r);
    void SetTickLength(int n);
    void SetLabelMargin(int n);

    // Side of the square control for the given settings.
    static int SideFor(int radius, int tickLength, int labelMargin);

protected:
    void ApplySize();
    // Into the control's picture, or into target.
    void PaintSlices(const std::vector<KPieSlice> &slices, QImage *target = nullptr);
    void PaintScaleLines();
    // Places one label per slice and paints the names that fit inside their slices.
    void PlaceAndPaintItemLabels(const std::vector<KPieSlice> &slices);
    int HiddenLabelFrameAt(const QPoint &pos) const override;

private:
    // Whether the point (control coordinates) lies in the slice; where the slice is narrower
    // than minWidth pixels (or has no span) it counts as that wide.
    bool SliceHolds(const KPieSlice &s, QPointF p, double minWidth = 0.0) const;
    // Whether the whole rectangle lies inside the slice.
    bool SliceHoldsRect(const KPieSlice &s, const QRectF &r) const;
    // Dial angle of a point (control coordinates) seen from the centre, 0 .. 360.
    double AngleOf(QPointF p) const;

    // Width in pixels a frame answers the pointer on when its slice is narrower.
    static constexpr double HoverWidth = 6.0;
    std::vector<KPieSlice> slices_; // of the last draw: where a frame without a label is hovered
    int radius_ = 100;
    int tickLength_ = 0;
    int labelMargin_ = 30;
    QPoint boxOrigin_;
};
