#include "app/dialogs/KMonthCalendar.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace {
constexpr int Margin = 4;
constexpr int Weeks = 6;
} // namespace

KMonthCalendar::KMonthCalendar(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetSelectedDate(QDate::currentDate());
}

void KMonthCalendar::SetSelectedDate(const QDate &date)
{
    if (!date.isValid())
        return;
    selected_ = date;
    year_ = date.year();
    month_ = date.month();
    update();
}

void KMonthCalendar::SetCurrentPage(int year, int month)
{
    const QDate first(year, std::clamp(month, 1, 12), 1);
    if (!first.isValid())
        return;
    year_ = first.year();
    month_ = first.month();
    update();
}

void KMonthCalendar::StepMonths(int months)
{
    const QDate first = QDate(year_, month_, 1).addMonths(months);
    SetCurrentPage(first.year(), first.month());
}

void KMonthCalendar::SetLanguage(int language)
{
    language_ = language == 1 ? 1 : 0;
    updateGeometry();
    update();
}

QString KMonthCalendar::Title() const
{
    if (language_ == 1)
        return QLocale(QLocale::English).standaloneMonthName(month_) + ' ' + QString::number(year_);
    return QString("%1年%2月").arg(year_).arg(month_);
}

QString KMonthCalendar::DayName(int column) const
{
    // English names are one letter, as in a pocket calendar, so that they fit the narrow columns.
    static const char16_t japanese[] = u"日月火水木金土";
    static const char english[] = "SMTWTFS";
    column = std::clamp(column, 0, 6);
    return language_ == 1 ? QString(QChar(english[column])) : QString(QChar(japanese[column]));
}

QDate KMonthCalendar::DateAt(int column, int week) const
{
    const QDate first(year_, month_, 1);
    const int lead = first.dayOfWeek() % 7; // Sunday first
    return first.addDays(week * 7 + column - lead);
}

int KMonthCalendar::HeaderHeight() const
{
    return fontMetrics().height() + 10;
}

int KMonthCalendar::CellHeight() const
{
    return fontMetrics().height() + 4;
}

int KMonthCalendar::CellWidth() const
{
    return std::max(1, (width() - 2 * Margin) / 7);
}

QRect KMonthCalendar::PreviousArrowRect() const
{
    return QRect(Margin, 0, HeaderHeight(), HeaderHeight());
}

QRect KMonthCalendar::NextArrowRect() const
{
    return QRect(width() - Margin - HeaderHeight(), 0, HeaderHeight(), HeaderHeight());
}

QRect KMonthCalendar::DayRect(int column, int week) const
{
    return QRect(Margin + column * CellWidth(), DaysTop() + week * CellHeight(), CellWidth(), CellHeight());
}

QSize KMonthCalendar::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    int cell = fm.horizontalAdvance(QStringLiteral("00"));
    for (int c = 0; c < 7; ++c)
        cell = std::max(cell, fm.horizontalAdvance(DayName(c)));
    cell += 12;
    const int titleWidth = fm.horizontalAdvance(QStringLiteral("September 0000")) + 2 * HeaderHeight();
    return QSize(std::max(7 * cell, titleWidth) + 2 * Margin, DaysTop() + Weeks * CellHeight() + Margin);
}

void KMonthCalendar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette &pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Base));

    // The title between the two arrows.
    const QRect header(0, 0, width(), HeaderHeight());
    p.fillRect(header.adjusted(1, 1, -1, 0), pal.color(QPalette::Button));
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(pal.color(QPalette::ButtonText));
    p.drawText(header, Qt::AlignCenter, Title());
    p.setFont(font());
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(pal.color(QPalette::ButtonText));
    p.setPen(Qt::NoPen);
    const auto arrow = [&](const QRect &r, int direction) {
        const QPointF c = QRectF(r).center();
        const qreal s = r.height() / 5.0;
        const QPointF points[3] = {c + QPointF(-direction * s, 0), c + QPointF(direction * s, -s),
                                   c + QPointF(direction * s, s)};
        p.drawPolygon(points, 3);
    };
    arrow(PreviousArrowRect(), 1);
    arrow(NextArrowRect(), -1);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Weekday names over a rule.
    p.setPen(pal.color(QPalette::Highlight));
    for (int c = 0; c < 7; ++c)
        p.drawText(QRect(Margin + c * CellWidth(), NamesTop(), CellWidth(), CellHeight()), Qt::AlignCenter,
                   DayName(c));
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(Margin, DaysTop() - 1, Margin + 7 * CellWidth() - 1, DaysTop() - 1);

    // Six weeks.
    const QColor text = pal.color(QPalette::Text);
    const QColor other = pal.color(QPalette::Disabled, QPalette::Text);
    for (int w = 0; w < Weeks; ++w) {
        for (int c = 0; c < 7; ++c) {
            const QDate d = DateAt(c, w);
            const QRect r = DayRect(c, w);
            if (d == selected_) {
                p.fillRect(r.adjusted(1, 0, -1, 0), pal.color(QPalette::Highlight));
                p.setPen(pal.color(QPalette::HighlightedText));
            } else {
                p.setPen(d.month() == month_ ? text : other);
            }
            p.drawText(r, Qt::AlignCenter, QString::number(d.day()));
        }
    }
}

void KMonthCalendar::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (PreviousArrowRect().contains(at)) {
        StepMonths(-1);
        return;
    }
    if (NextArrowRect().contains(at)) {
        StepMonths(1);
        return;
    }
    for (int w = 0; w < Weeks; ++w) {
        for (int c = 0; c < 7; ++c) {
            if (DayRect(c, w).contains(at)) {
                SetSelectedDate(DateAt(c, w));
                return;
            }
        }
    }
    QWidget::mousePressEvent(event);
}

void KMonthCalendar::wheelEvent(QWheelEvent *event)
{
    const int dy = event->angleDelta().y();
    if (dy != 0)
        StepMonths(dy > 0 ? -1 : 1);
    event->accept();
}

void KMonthCalendar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        SetSelectedDate(selected_.addDays(-1));
        break;
    case Qt::Key_Right:
        SetSelectedDate(selected_.addDays(1));
        break;
    case Qt::Key_Up:
        SetSelectedDate(selected_.addDays(-7));
        break;
    case Qt::Key_Down:
        SetSelectedDate(selected_.addDays(7));
        break;
    case Qt::Key_PageUp:
        SetSelectedDate(selected_.addMonths(-1));
        break;
    case Qt::Key_PageDown:
        SetSelectedDate(selected_.addMonths(1));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void KMonthCalendar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}
