#include "app/KToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace KToolIcons {
namespace {
constexpr int S = 20;

void Page(QPainter &p, const QColor &fill)
{
    QPainterPath path;
    path.moveTo(4, 1);
    path.lineTo(12, 1);
    path.lineTo(16, 5);
    path.lineTo(16, 19);
    path.lineTo(4, 19);
    path.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(12, 1, 12, 5);
    p.drawLine(12, 5, 16, 5);
}

void Draw(QPainter &p, Kind kind)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    switch (kind) {
    case FileNew:
        Page(p, Qt::white);
        break;
    case FileOpen:
        p.setPen(QPen(QColor(120, 90, 20), 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(2, 6, 16, 11);
        p.drawRect(2, 4, 7, 3);
        break;
    case FileSave:
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(70, 110, 190));
        p.drawRect(2, 2, 16, 16);
        p.setBrush(Qt::white);
        p.drawRect(5, 3, 10, 6);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(6, 12, 8, 6);
        break;
    case ViewList:
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        p.drawRect(2, 2, 16, 16);
        for (int y = 6; y < 18; y += 4)
            p.drawLine(2, y, 18, y);
        p.drawLine(7, 2, 7, 18);
        break;
    case ViewPie:
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(120, 190, 240));
        p.drawEllipse(2, 2, 16, 16);
        p.setBrush(QColor(250, 170, 80));
        p.drawPie(2, 2, 16, 16, 90 * 16, -120 * 16);
        p.setBrush(QColor(140, 210, 120));
        p.drawPie(2, 2, 16, 16, -30 * 16, -100 * 16);
        break;
    case ViewTimeline:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(128, 128, 128));
        p.drawRect(4, 1, 3, 18);
        p.setBrush(QColor(250, 170, 80));
        p.drawRect(8, 1, 9, 6);
        p.setBrush(QColor(120, 190, 240));
        p.drawRect(8, 7, 9, 7);
        p.setBrush(QColor(140, 210, 120));
        p.drawRect(8, 14, 9, 5);
        break;
    case ViewCount:
    case ViewWeekCount: {
        const QColor bar = kind == ViewCount ? QColor(80, 150, 220) : QColor(200, 110, 60);
        p.setPen(Qt::NoPen);
        p.setBrush(bar);
        p.drawRect(2, 3, 14, 3);
        p.drawRect(2, 8, 9, 3);
        p.drawRect(2, 13, 5, 3);
        p.setPen(QPen(ink, 1));
        p.drawLine(1, 1, 1, 18);
        if (kind == ViewWeekCount) {
            p.setPen(QPen(ink, 1));
            p.drawText(QRect(10, 9, 10, 11), Qt::AlignCenter, "W");
        }
        break;
    }
    case EnterScheduling:
    case ExitScheduling:
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        p.drawRect(2, 3, 12, 15);
        p.setPen(QPen(kind == EnterScheduling ? QColor(200, 60, 40) : QColor(40, 120, 40), 2.5));
        if (kind == EnterScheduling) {
            p.drawLine(8, 15, 18, 4);
        } else {
            p.drawLine(5, 11, 8, 15);
            p.drawLine(8, 15, 17, 4);
        }
        break;
    case Add:
    case Insert:
    case Delete: {
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        p.drawRect(2, 4, 16, 12);
        const QColor c = kind == Delete ? QColor(200, 40, 40) : QColor(30, 140, 40);
        p.setPen(QPen(c, 2.5));
        p.drawLine(6, 10, 14, 10);
        if (kind != Delete)
            p.drawLine(10, 6, 10, 14);
        if (kind == Insert) {
            p.setPen(QPen(ink, 1.5));
            p.drawLine(1, 1, 1, 18);
        }
        break;
    }
    case Cancel:
        p.setPen(QPen(QColor(30, 80, 170), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(4, 4, 12, 12, 90 * 16, 270 * 16);
        p.drawLine(10, 4, 6, 1);
        p.drawLine(10, 4, 6, 7);
        break;
    case SkinEnter:
    case SkinExit:
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(1, 1, 18, 18);
        p.setBrush(QColor(120, 190, 240));
        if (kind == SkinEnter)
            p.drawRect(9, 9, 9, 9);
        else
            p.drawRect(2, 2, 16, 16);
        break;
    }
}
} // namespace

QIcon Icon(Kind kind)
{
    QPixmap pixmap(S, S);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Draw(painter, kind);
    painter.end();
    return QIcon(pixmap);
}

} // namespace KToolIcons
