#include "graphs/KTTimeMark.h"

#include "platform/qt/KColorConv.h"

#include <QPainter>

KTTimeMark::KTTimeMark(QWidget *parent, int style, int size) : QWidget(parent), style_(style)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    resize(size, size);
    hide();
}

void KTTimeMark::SetStyle(int style)
{
    if (style == style_)
        return;
    style_ = style;
    update();
}

void KTTimeMark::SetMarkSize(int n)
{
    if (n < 1)
        n = 1;
    if (n == width() && n == height())
        return;
    const int shift = (width() - n) / 2;
    setGeometry(x() + shift, y() + shift, n, n);
    update();
}

void KTTimeMark::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor magenta = KColorConv::ToQColor(MarkColor);
    if (style_ == 1) {
        p.fillRect(rect(), magenta);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(magenta);
    p.drawEllipse(QRectF(0, 0, width(), height()));
}
