#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

// Start-up work that nothing on the screen waits for runs once a window has first been
// painted, so that the window appears without waiting for it. The work runs once, from the
// event loop, after that paint has finished; it never runs if the window is never painted
// or is gone before.
class KAfterFirstPaint : public QObject {
public:
    KAfterFirstPaint(QWidget &window, std::function<void()> work);
    ~KAfterFirstPaint() override;

    bool Done() const { return !work_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> window_;
    std::function<void()> work_;
    bool watching_ = true;
};
