#include "listedit/KTTimeVIndicator.h"

#include "platform/qt/KColorConv.h"

#include <QPainter>
#include <cmath>

namespace {
double Minutes(KSchTime t)
{
    return t.Hour * 60.0 + t.Minute + t.Second / 60.0;
}
} // namespace

KTTimeVIndicator::KTTimeVIndicator(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(markWidth_, markHeight_);
}

void KTTimeVIndicator::SetMarkHeight(int h)
{
    if (h == markHeight_)
        return;
    markHeight_ = h;
    resize(markWidth_, markHeight_);
    update();
}

void KTTimeVIndicator::SetMarkWidth(int w)
{
    if (w == markWidth_)
        return;
    markWidth_ = w;
    resize(markWidth_, markHeight_);
    update();
}

void KTTimeVIndicator::SetShape(int shape)
{
    if (shape == shape_)
        return;
    shape_ = shape;
    update();
}

void KTTimeVIndicator::SetMarkColor(uint32_t color)
{
    if (color == markColor_)
        return;
    markColor_ = color;
    update();
}

void KTTimeVIndicator::RecomputeScale()
{
    double m = Minutes(DiffTimes(bandEnd_, bandStart_));
    if (m != 0)
        pixelsPerMinute_ = bandHeight_ / m;
}

void KTTimeVIndicator::SetBandStart(KSchTime t)
{
    if (t == bandStart_)
        return;
    bandStart_ = t;
    RecomputeScale();
    UpdatePosition();
}

void KTTimeVIndicator::SetBandEnd(KSchTime t)
{
    if (t == bandEnd_)
        return;
    bandEnd_ = t;
    RecomputeScale();
    UpdatePosition();
}

void KTTimeVIndicator::SetTime(KSchTime t)
{
    if (t == now_)
        return;
    now_ = t;
    UpdatePosition();
}

void KTTimeVIndicator::SetBandTop(int top)
{
    if (top == bandTop_)
        return;
    bandTop_ = top;
    UpdatePosition();
}

void KTTimeVIndicator::SetMarkLeft(int left)
{
    if (left == markLeft_)
        return;
    markLeft_ = left;
    UpdatePosition();
}

void KTTimeVIndicator::SetBandHeight(int h)
{
    if (h == bandHeight_)
        return;
    bandHeight_ = h;
    RecomputeScale();
}

double KTTimeVIndicator::ElapsedMinutes() const
{
    const KSchTime day{24, 0, 0};
    KSchTime s = bandStart_;
    KSchTime e = bandEnd_;
    if (Greater(e, day))
        e = DiffTimes(e, day);
    KSchTime elapsed;
    if (s == e && Minutes(DiffTimes(bandEnd_, bandStart_)) > 0) {
        // A whole-day band that does not start at midnight: every time lies inside it.
        elapsed = DiffTimes(now_, s);
    } else if (LessOrEqual(s, e)) {
        if (LessOrEqual(s, now_) && LessOrEqual(now_, e))
            elapsed = DiffTimes(now_, s);
    } else if (LessOrEqual(s, now_) && LessOrEqual(now_, day)) {
        elapsed = DiffTimes(now_, s);
    } else if (LessOrEqual(now_, e)) {
        elapsed = AddTimes(DiffTimes(day, s), now_);
    }
    return Minutes(elapsed);
}

int KTTimeVIndicator::MarkTop() const
{
    return int(std::trunc(bandTop_ + ElapsedMinutes() * pixelsPerMinute_ - markHeight_ / 2.0));
}

void KTTimeVIndicator::UpdatePosition()
{
    if (Hidden) {
        setVisible(false);
        return;
    }
    move(markLeft_, MarkTop());
}

void KTTimeVIndicator::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, shape_ == 0);
    QColor c = KColorConv::ToQColor(markColor_);
    p.setPen(c);
    p.setBrush(c);
    if (shape_ == 0)
        p.drawEllipse(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
    else
        p.fillRect(rect(), c);
}
