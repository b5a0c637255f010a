#pragma once

#include "graphs/core/KDragSession.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <functional>
#include <memory>

class KScheduleEditCore;
class KTDragSurface;
class QMouseEvent;
class QWidget;

// Turns the mouse on a pie or timeline into edits of a working copy: hovering shows what a
// press would take hold of, dragging moves frames (the picture follows at once, a tooltip
// gives the new times), the release makes one logged change, Escape puts everything back.
// Shift snaps to 1 minute instead of 5. Without a working copy the view stays read-only and
// only a double click is reported.
class KTGraphDragEditor : public QObject {
public:
    // Watches graph, which is also the surface; the view owns the editor and deletes it first.
    KTGraphDragEditor(QWidget *graph, KTDragSurface *surface);
    ~KTGraphDragEditor() override;

    // The working copy the view shows, or none; a drag in progress is put back first.
    void SetEditCore(KScheduleEditCore *core);
    KScheduleEditCore *EditCore() const { return core_; }
    bool Dragging() const { return session_ != nullptr; }
    // What the tooltip says while dragging.
    QString DragText() const { return text_; }

    int Language = 0;
    // A double click on a frame (its index).
    std::function<void(int frame)> OnFrameDoubleClicked;
    // A drag changed the working copy; the frame the drag was about.
    std::function<void(int frame)> OnDragged;
    // Ctrl+Z on the view while editing.
    std::function<void()> OnUndo;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Press(QMouseEvent *event);
    void Move(QMouseEvent *event);
    void Release();
    void Cancel();
    void ShowCursorFor(QPointF p);
    int FrameAt(QPointF p) const;

    QWidget *graph_;
    KTDragSurface *surface_;
    KScheduleEditCore *core_ = nullptr;
    std::unique_ptr<KDragSession> session_;
    QString text_;
};
