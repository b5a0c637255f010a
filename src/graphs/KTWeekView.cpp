#include "graphs/KTWeekView.h"

#include "graphs/KGraphMath.h"
#include "graphs/KPrintPicture.h"
#include "graphs/KTWeekDayColumn.h"
#include "platform/qt/KFontMap.h"
#include "platform/qt/KUiText.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

using KGraphMath::Trunc;

namespace {
const QColor TodayGround(0xFF, 0xF4, 0xC8);
const QColor UnusableGround(0xDC, 0xDC, 0xDC);
const QColor SundayColor(0xD0, 0x00, 0x00);
const QColor SaturdayColor(0x00, 0x40, 0xD0);

QString WeekdayName(int weekday, int language)
{
    static const char16_t *const ja[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    static const char16_t *const en[7] = {u"SUN", u"MON", u"TUE", u"WED", u"THU", u"FRI", u"SAT"};
    return QString::fromUtf16(language == 1 ? en[weekday] : ja[weekday]);
}
} // namespace

KTWeekView::KTWeekView(QWidget *parent) : KTGraphImage(parent), column_(new KTWeekDayColumn(this))
{
    setMouseTracking(false);
    FillCanvasWhite();
}

KTWeekView::~KTWeekView() = default;

void KTWeekView::SetDays(const std::array<Day, 7> &days)
{
    days_ = days;
    if (drawn_)
        Draw();
}

void KTWeekView::SetToday(int weekday)
{
    if (weekday < 0 || weekday > 6 || weekday == today_)
        return;
    today_ = weekday;
    if (drawn_)
        Draw();
}

void KTWeekView::SetLanguage(int language)
{
    language = language == 1 ? 1 : 0;
    if (language == language_)
        return;
    language_ = language;
    if (drawn_)
        Draw();
}

void KTWeekView::SetHourLabelMode(int mode)
{
    if (mode == hourLabelMode_)
        return;
    hourLabelMode_ = mode;
    if (drawn_)
        Draw();
}

void KTWeekView::SetTimeMarkStyle(int style)
{
    if (style == timeMarkStyle_)
        return;
    timeMarkStyle_ = style;
    if (style == 0)
        DestroyTimeMark();
    else if (drawn_)
        EnsureTimeMark(style, timeMarkSize_);
}

void KTWeekView::SetTimeMarkSize(int size)
{
    if (size == timeMarkSize_)
        return;
    timeMarkSize_ = size;
    if (TimeMarkWidget())
        TimeMarkWidget()->SetMarkSize(size);
}

int KTWeekView::ColumnWidth() const
{
    return qMax(20, (width() - HourColumnWidth - 4) / 7);
}

QRect KTWeekView::ColumnRect(int weekday) const
{
    if (weekday < 0 || weekday > 6)
        return {};
    return QRect(HourColumnWidth + weekday * ColumnWidth(), 0, ColumnWidth(), AxisTop() + AxisLength() + 6);
}

int KTWeekView::WeekdayAt(QPoint pos) const
{
    for (int d = 0; d < 7; ++d)
        if (ColumnRect(d).contains(pos))
            return d;
    return -1;
}

int KTWeekView::TimeY(KSchTime t) const
{
    return Trunc(AxisTop() + AxisLength() * KGraphMath::TimeToFraction(t));
}

void KTWeekView::PaintHeader(int weekday)
{
    const QRect r(ColumnRect(weekday).left(), 0, ColumnWidth(), HeaderHeight - 1);
    const Day &day = days_[size_t(weekday)];
    QPainter p(&Canvas());
    p.fillRect(r, weekday == today_ ? TodayGround : !day.Schedule ? UnusableGround : QColor(Qt::white));
    QFont big = KFontMap::PointFont("MS UI Gothic", 11);
    big.setBold(weekday == today_);
    p.setFont(big);
    p.setPen(!day.Schedule  ? QColor(0x80, 0x80, 0x80)
             : weekday == 0 ? SundayColor
             : weekday == 6 ? SaturdayColor
                            : QColor(Qt::black));
    p.drawText(QRect(r.left(), r.top() + 2, r.width(), 18), Qt::AlignCenter | Qt::TextSingleLine,
               WeekdayName(weekday, language_));
    const QFont small = KFontMap::PointFont("MS UI Gothic", 8);
    p.setFont(small);
    p.setPen(QColor(0x40, 0x40, 0x40));
    const QFontMetrics fm(small);
    p.drawText(QRect(r.left() + 2, r.top() + 20, r.width() - 4, 16), Qt::AlignCenter | Qt::TextSingleLine,
               fm.elidedText(day.Caption, Qt::ElideRight, r.width() - 4));
}

void KTWeekView::PaintHourLabels()
{
    const int step = hourLabelMode_ == 3 ? 1 : 3;
    QPainter p(&Canvas());
    const QFont font = KFontMap::PointFont("Tahoma", 8);
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetrics fm(font);
    for (int h = 0; h <= 24; h += step) {
        const int y = TimeY(KSchTime{uint8_t(h), 0, 0});
        p.drawText(QRect(2, y - fm.height() / 2, HourColumnWidth - 6, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   QStringLiteral("%1").arg(h, 2, 10, QChar('0')));
    }
}

void KTWeekView::Draw()
{
    CountDraw();
    FillCanvasWhite();
    const int w = ColumnWidth();
    const QSize columnSize(w, AxisTop() + AxisLength() + 6);
    for (int d = 0; d < 7; ++d) {
        const Day &day = days_[size_t(d)];
        const QColor ground = d == today_ ? TodayGround : !day.Schedule ? UnusableGround : QColor(Qt::white);
        const QImage picture = column_->Render(day.Schedule, columnSize, AxisTop(), AxisLength(), ground);
        QPainter p(&Canvas());
        p.drawImage(ColumnRect(d).topLeft(), picture);
        if (!day.Schedule) {
            // A day that cannot be shown is hatched over its whole length.
            p.fillRect(QRect(ColumnRect(d).left(), AxisTop(), w, AxisLength()),
                       QBrush(QColor(0xB0, 0xB0, 0xB0), Qt::BDiagPattern));
        }
        p.end();
        PaintHeader(d);
    }
    {
        QPainter p(&Canvas());
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
        for (int d = 0; d <= 7; ++d) {
            const int x = HourColumnWidth + d * w;
            p.drawLine(x, 0, x, AxisTop() + AxisLength() + 6);
        }
        p.drawLine(HourColumnWidth, HeaderHeight - 1, HourColumnWidth + 7 * w, HeaderHeight - 1);
    }
    PaintHourLabels();
    update();
    drawn_ = true;
    if (timeMarkStyle_ != 0 && !TimeMarkWidget())
        EnsureTimeMark(timeMarkStyle_, timeMarkSize_);
}

void KTWeekView::Clear()
{
    FillCanvasWhite();
    DestroyTimeMark();
    drawn_ = false;
}

void KTWeekView::ShowTime(KSchTime now)
{
    KTTimeMark *mark = TimeMarkWidget();
    if (!drawn_ || !mark)
        return;
    if (mark->width() != timeMarkSize_)
        mark->resize(timeMarkSize_, timeMarkSize_);
    // On today's axis bar; a whole-picture draw never happens here.
    const QRect column = ColumnRect(today_);
    const int axisMiddle = column.left() + column_->TickLength + 1 + column_->AxisWidth / 2;
    const QPoint at = PosInHost() + QPoint(axisMiddle - timeMarkSize_ / 2, TimeY(now) - timeMarkSize_ / 2);
    if (mark->pos() != at)
        mark->move(at);
    if (!mark->isVisible()) {
        mark->show();
        mark->raise();
    }
}

bool KTWeekView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int d = WeekdayAt(help->pos());
        if (d >= 0 && !days_[size_t(d)].Reason.isEmpty())
            QToolTip::showText(help->globalPos(), KUiText::PlainToolTip(days_[size_t(d)].Reason), this,
                               ColumnRect(d));
        else
            QToolTip::hideText();
        return true;
    }
    return KTGraphImage::event(event);
}

void KTWeekView::mousePressEvent(QMouseEvent *event)
{
    pressedDay_ = event->button() == Qt::LeftButton ? WeekdayAt(event->position().toPoint()) : -1;
    KTGraphImage::mousePressEvent(event);
}

void KTWeekView::mouseReleaseEvent(QMouseEvent *event)
{
    const int d = event->button() == Qt::LeftButton ? WeekdayAt(event->position().toPoint()) : -1;
    const bool click = d >= 0 && d == pressedDay_ && days_[size_t(d)].Schedule;
    pressedDay_ = -1;
    KTGraphImage::mouseReleaseEvent(event);
    if (click && OnDayClicked)
        OnDayClicked(d);
}

void KTWeekView::resizeEvent(QResizeEvent *event)
{
    KTGraphImage::resizeEvent(event);
    if (drawn_)
        Draw();
}

bool KTWeekView::PrintWeek(QPrinter &printer, const QString &title)
{
    return KPrintPicture::PrintLandscape(printer, Picture(), title);
}
