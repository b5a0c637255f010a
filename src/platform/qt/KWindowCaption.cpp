#include "platform/qt/KWindowCaption.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QWidget>

namespace KWindowCaption {

namespace {
// Window icon, minimise, maximise and close buttons and the gaps between them.
constexpr int TitleBarControls = 110;
} // namespace

QString Shown(const QWidget *window)
{
    const QString name = QGuiApplication::applicationDisplayName();
    const QString title = window->windowTitle();
    if (title.isEmpty())
        return name;
    return title + QStringLiteral(" \u2014 ") + name;
}

int NeededWidth(const QWidget *window)
{
    // Title bars set their captions in bold, rarely larger than the interface's own face.
    QFont font = window->font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(Shown(window)) + TitleBarControls;
}

} // namespace KWindowCaption
