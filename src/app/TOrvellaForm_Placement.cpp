// The window on the screen and its title: the whole frame, title bar included, inside the
// screen's available area; the file's name and changed mark in the title.
#include "app/TOrvellaForm.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWindow>
#include <algorithm>

QRect TOrvellaForm::ScreenArea() const
{
    if (screenOverridden_)
        return QRect(QPoint(0, 0), screenSize_);
    const QScreen *screen = windowHandle() && windowHandle()->screen() ? windowHandle()->screen()
                                                                       : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(QPoint(0, 0), screenSize_);
}

QPoint TOrvellaForm::FitFrame(const QRect &frame, const QRect &area)
{
    // A frame larger than the area keeps its top-left corner, and so its title bar, inside.
    const int left = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return QPoint(left, top);
}

void TOrvellaForm::PlaceFrameOnScreen(QPoint frameTopLeft)
{
    // A window manager puts its frame around the window: place the frame, not the window
    // inside it, or the title bar ends up above the screen.
    create();
    QWindow *window = windowHandle();
    if (!window)
        return;
    // The size the window will show with: a change of it when shown would place it again.
    if (!isVisible()) {
        if (layout())
            layout()->activate();
        adjustSize();
        window->resize(size());
    }
    QMargins margins = window->frameMargins();
    if (margins.isNull())
        margins = frameMargins_;
    const QPoint at = FitFrame(QRect(frameTopLeft, size().grownBy(margins)), ScreenArea());
    // A window on the screen moves by its frame. One not shown yet is placed by its frame when
    // the window manager maps it; the widget is told the same point, or showing it would put
    // the window itself there.
    move(at);
    if (!isVisible() || window->frameMargins().isNull())
        window->setFramePosition(at);
}

void TOrvellaForm::RememberFrameMargins()
{
    if (QWindow *window = windowHandle(); window && !window->frameMargins().isNull())
        frameMargins_ = window->frameMargins();
}

void TOrvellaForm::ShowFileInTitle()
{
    // With a file Qt writes "plan.ors* — Orvella" (name, changed mark, program); without one
    // the title is the program's name alone.
    setWindowTitle(SchFileName.isEmpty() ? QStringLiteral("Orvella") : QString());
    setWindowFilePath(SchFileName);
    setWindowModified(!SchFileName.isEmpty() && SchModified);
}
