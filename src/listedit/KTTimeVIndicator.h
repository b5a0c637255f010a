#pragma once

#include "model/KSchTime.h"

#include <QWidget>
#include <cstdint>

// The small current-time mark that moves down through a band of rows (the row of the
// current frame) in proportion to the part of the frame already past.
class KTTimeVIndicator : public QWidget {
public:
    explicit KTTimeVIndicator(QWidget *parent = nullptr);

    void SetMarkHeight(int h);
    void SetMarkWidth(int w);
    void SetShape(int shape);
    void SetMarkColor(uint32_t color);
    void SetBandStart(KSchTime t);
    void SetBandEnd(KSchTime t);
    void SetTime(KSchTime t);
    void SetBandTop(int top);
    void SetMarkLeft(int left);
    void SetBandHeight(int h);

    // Set by the owner: the band is out of view and the mark stays hidden.
    bool Hidden = false;

    int MarkHeight() const { return markHeight_; }
    int MarkWidth() const { return markWidth_; }
    int Shape() const { return shape_; }
    uint32_t MarkColor() const { return markColor_; }
    KSchTime BandStart() const { return bandStart_; }
    KSchTime BandEnd() const { return bandEnd_; }
    KSchTime Now() const { return now_; }
    int BandTop() const { return bandTop_; }
    int MarkLeft() const { return markLeft_; }
    int BandHeight() const { return bandHeight_; }
    double PixelsPerMinute() const { return pixelsPerMinute_; }

    // The top the mark is given for the stored band and time.
    int MarkTop() const;
    // Minutes of the band already past at the stored time (0 outside the band).
    double ElapsedMinutes() const;
    // Recomputes the position; hides the control when Hidden is set.
    void UpdatePosition();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void RecomputeScale();

    int markHeight_ = 1000;
    int markWidth_ = 1000;
    int shape_ = 0;
    uint32_t markColor_ = 0xFF00FF;
    KSchTime bandStart_;
    KSchTime bandEnd_ = KSchTime{24, 0, 0};
    int bandTop_ = 0;
    int markLeft_ = 0;
    int bandHeight_ = 0;
    KSchTime now_;
    double pixelsPerMinute_ = 0;
};
