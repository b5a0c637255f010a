#include "app/KAfterFirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <utility>

KAfterFirstPaint::KAfterFirstPaint(QWidget &window, std::function<void()> work)
    : window_(&window), work_(std::move(work))
{
    // A window paints itself through its child widgets: watch every widget's paint.
    qApp->installEventFilter(this);
}

KAfterFirstPaint::~KAfterFirstPaint()
{
    if (watching_)
        qApp->removeEventFilter(this);
}

bool KAfterFirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint || !watching_ || !watched->isWidgetType() || !window_ ||
        static_cast<QWidget *>(watched)->window() != window_)
        return false;
    watching_ = false;
    qApp->removeEventFilter(this);
    // After the paint in progress, and the rest of what it repaints, has reached the screen.
    QTimer::singleShot(0, this, [this] {
        if (window_ && work_)
            std::exchange(work_, {})();
    });
    return false;
}
