#include "graphs/KTGraphImage.h"

#include "graphs/KPrintPicture.h"
#include "graphs/KTSchFramePopup.h"
#include "graphs/KTTimeMark.h"
#include "model/KDaySchedule.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

KTGraphImage::KTGraphImage(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_ = QImage(qMax(1, width()), qMax(1, height()), QImage::Format_RGB32);
    canvas_.fill(Qt::white);
}

KTGraphImage::~KTGraphImage()
{
    // The mark and the popup may live in the parent; they go with this control.
    DestroyTimeMark();
    delete framePopup_.data();
}

QRect KTGraphImage::ItemLabelRect(int i) const
{
    if (i < 0 || i >= int(itemLabels_.size()))
        return {};
    return itemLabels_[size_t(i)];
}

void KTGraphImage::FillCanvasWhite()
{
    Canvas().fill(Qt::white);
    update();
}

void KTGraphImage::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(r, Canvas(), r);
}

void KTGraphImage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    SyncCanvasSize();
}

void KTGraphImage::SyncCanvasSize() const
{
    const QSize want(qMax(1, width()), qMax(1, height()));
    if (canvas_.size() == want)
        return;
    QImage next(want, QImage::Format_RGB32);
    next.fill(Qt::white);
    QPainter p(&next);
    p.drawImage(0, 0, canvas_);
    p.end();
    canvas_ = next;
}

const QImage &KTGraphImage::Picture() const
{
    SyncCanvasSize();
    return canvas_;
}

QImage &KTGraphImage::Canvas()
{
    SyncCanvasSize();
    return canvas_;
}

void KTGraphImage::HitTest(const QPoint &pos)
{
    if (!OnLabelEnter || !OnLabelLeave)
        return;
    auto contains = [&](const QRect &r) {
        return !r.isNull() && r.left() < pos.x() && pos.x() < r.left() + r.width() && r.top() < pos.y() &&
               pos.y() < r.top() + r.height();
    };
    int label = -1;
    for (size_t i = 0; i < itemLabels_.size() && label < 0; ++i)
        if (contains(itemLabels_[i]))
            label = int(i);
    const int frame = label >= 0 ? label : HiddenLabelFrameAt(pos);
    if (frame < 0) {
        if (labelInside_) {
            labelInside_ = false;
            hoveredFrame_ = -1;
            OnLabelLeave(-1);
        }
        return;
    }
    // From one label straight into another the first frame's popup stays; a frame without
    // a drawn label is named as soon as the pointer reaches it.
    if (labelInside_ && (frame == hoveredFrame_ || (label >= 0 && hoveredOnLabel_)))
        return;
    labelInside_ = true;
    hoveredFrame_ = frame;
    hoveredOnLabel_ = label >= 0;
    const QPoint at = PosInHost() + (label >= 0 ? itemLabels_[size_t(label)].topLeft() : pos);
    OnLabelEnter(frame, at.x(), at.y());
}

int KTGraphImage::HiddenLabelFrameAt(const QPoint &) const
{
    return -1;
}

int KTGraphImage::FirstOverlap(const std::vector<QRect> &earlier, size_t count, const QRect &r,
                               const QMargins &grow)
{
    const int l = r.left(), t = r.top(), rr = r.left() + r.width(), b = r.top() + r.height();
    for (size_t j = 0; j < count; ++j) {
        const QRect &o = earlier[j];
        if (o.isNull())
            continue;
        const int lj = o.left() - grow.left(), tj = o.top() - grow.top();
        const int rj = o.left() + o.width() + grow.right(), bj = o.top() + o.height() + grow.bottom();
        if (l < rj && lj < rr && t < bj && tj < b)
            return int(j);
    }
    return -1;
}

void KTGraphImage::mouseMoveEvent(QMouseEvent *event)
{
    HitTest(event->position().toPoint());
    if (onMouseMoveUser_)
        onMouseMoveUser_(event);
    QWidget::mouseMoveEvent(event);
}

void KTGraphImage::mousePressEvent(QMouseEvent *event)
{
    if (!onMouseDown_)
        return QWidget::mousePressEvent(event);
    onMouseDown_(event);
    event->accept();
}

void KTGraphImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (!onMouseUp_)
        return QWidget::mouseReleaseEvent(event);
    onMouseUp_(event);
    event->accept();
}

void KTGraphImage::SetPopupMenu(QMenu *menu, bool autoPopup)
{
    popupMenu_ = menu;
    autoPopup_ = autoPopup;
}

void KTGraphImage::contextMenuEvent(QContextMenuEvent *event)
{
    if (!popupMenu_ || !autoPopup_)
        return QWidget::contextMenuEvent(event);
    popupMenu_->popup(event->globalPos());
    event->accept();
}

void KTGraphImage::leaveEvent(QEvent *event)
{
    if (OnLabelLeave)
        OnLabelLeave(-1);
    QWidget::leaveEvent(event);
}

QWidget *KTGraphImage::Host()
{
    return parentWidget() ? parentWidget() : this;
}

QPoint KTGraphImage::PosInHost() const
{
    return parentWidget() ? pos() : QPoint(0, 0);
}

void KTGraphImage::EnsureTimeMark(int style, int size)
{
    if (timeMark_ && timeMark_->parentWidget() != Host())
        DestroyTimeMark();
    if (!timeMark_)
        timeMark_ = new KTTimeMark(Host(), style, size);
    timeMark_->SetStyle(style);
}

void KTGraphImage::DestroyTimeMark()
{
    delete timeMark_.data();
    timeMark_ = nullptr;
}

void KTGraphImage::EnablePopups(bool on, const KDaySchedule *const *schedule)
{
    if (!on) {
        delete framePopup_.data();
        framePopup_ = nullptr;
        OnLabelEnter = nullptr;
        OnLabelLeave = nullptr;
        return;
    }
    if (!framePopup_)
        framePopup_ = new KTSchFramePopup(Host());
    OnLabelEnter = [this, schedule](int index, int x, int y) {
        const KDaySchedule *s = *schedule;
        if (!framePopup_ || !s)
            return;
        framePopup_->ShowAt(this, s->GetFrame(index), x, y);
    };
    OnLabelLeave = [this](int) {
        HidePopup();
        if (popupHidden_)
            popupHidden_();
    };
}

void KTGraphImage::HidePopup()
{
    if (!framePopup_)
        return;
    framePopup_->hide();
    framePopup_->ShowFrame(nullptr);
}

bool KTGraphImage::PrintPicture(const QString &title, double widthInches, double heightInches)
{
    return KPrintPicture::PrintOrPdf(Picture(), title, widthInches, heightInches);
}

bool KTGraphImage::PrintPicture(QPrinter &printer, const QString &title, double widthInches,
                                double heightInches)
{
    return KPrintPicture::Print(printer, Picture(), title, widthInches, heightInches);
}
