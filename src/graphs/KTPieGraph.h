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
    int MaxLabelMoves = 3;

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
    void PaintSlices(const std::vector<KPieSlice> &slices);
    void PaintScaleLines();
    // Places one label per slice, resolves overlaps and paints the names.
    void PlaceAndPaintItemLabels(const std::vector<KPieSlice> &slices);

private:
    int radius_ = 100;
    int tickLength_ = 0;
    int labelMargin_ = 30;
    QPoint boxOrigin_;
};
