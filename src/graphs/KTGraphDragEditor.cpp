#include "graphs/KTGraphDragEditor.h"

#include "graphs/KTDragSurface.h"
#include "model/KScheduleEditCore.h"
#include "platform/qt/KQtText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWidget>

KTGraphDragEditor::KTGraphDragEditor(QWidget *graph, KTDragSurface *surface)
    : graph_(graph), surface_(surface)
{
    graph_->installEventFilter(this);
}

KTGraphDragEditor::~KTGraphDragEditor()
{
    // The view goes too: only the working copy is put back.
    if (session_)
        core_->CancelDrag();
    if (!text_.isEmpty())
        QToolTip::hideText();
}

void KTGraphDragEditor::SetEditCore(KScheduleEditCore *core)
{
    if (core == core_)
        return;
    Cancel();
    core_ = core;
    graph_->setFocusPolicy(core ? Qt::ClickFocus : Qt::NoFocus);
    graph_->unsetCursor();
}

int KTGraphDragEditor::FrameAt(QPointF p) const
{
    const KDragTarget hit = surface_->HitAt(p);
    if (hit.What == KDragTarget::Body)
        return hit.Frame;
    if (hit.What == KDragTarget::Edge)
        return hit.Edges.front().After >= 0 ? hit.Edges.front().After : hit.Edges.front().Before;
    return -1;
}

bool KTGraphDragEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != graph_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return Press(static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!session_) {
            ShowCursorFor(mouse->position());
            return false; // the label popups follow the pointer as before
        }
        // The release was lost (another window took the mouse): the drag ends here.
        if (!(mouse->buttons() & Qt::LeftButton))
            Release();
        else
            Move(mouse);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!session_ || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return session_ != nullptr;
        Release();
        return true;
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const int frame = mouse->button() == Qt::LeftButton ? FrameAt(mouse->position()) : -1;
        if (frame < 0 || !OnFrameDoubleClicked)
            return false;
        OnFrameDoubleClicked(frame);
        return true;
    }
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (session_ && key->key() == Qt::Key_Escape) {
            Cancel();
            return true;
        }
        if (!session_ && core_ && key->matches(QKeySequence::Undo) && OnUndo) {
            OnUndo();
            return true;
        }
        return false;
    }
    case QEvent::Hide:
        Cancel();
        return false;
    default:
        return false;
    }
}

bool KTGraphDragEditor::Press(QMouseEvent *event)
{
    if (!core_ || event->button() != Qt::LeftButton)
        return session_ != nullptr;
    if (session_)
        return true;
    const KDragTarget hit = surface_->HitAt(event->position());
    if (hit.What == KDragTarget::None)
        return false;
    surface_->HideFramePopup();
    graph_->setFocus(Qt::MouseFocusReason);
    core_->BeginDrag();
    session_ = std::make_unique<KDragSession>(core_->Edit(), hit, surface_->SecondsAt(event->position()),
                                              surface_->OnTimeline());
    surface_->BeginMoving(session_->Touched());
    if (hit.What == KDragTarget::Body)
        graph_->setCursor(Qt::ClosedHandCursor);
    return true;
}

void KTGraphDragEditor::Move(QMouseEvent *event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? 1 : 5;
    core_->PreviewDrag(session_->Move(surface_->SecondsAt(event->position()), step));
    surface_->RepaintMoving();
    QStringList lines;
    for (int32_t i : session_->Described()) {
        if (const KScheduleFrame *f = core_->Edit().GetFrame(i))
            lines << Q(KDragSession::TimesText(f->StartTime, f->Duration, Language));
    }
    text_ = lines.join('\n');
    QToolTip::showText(event->globalPosition().toPoint(), text_, graph_);
}

void KTGraphDragEditor::Release()
{
    const int32_t frame = session_->Frame();
    session_.reset();
    text_.clear();
    QToolTip::hideText();
    graph_->unsetCursor();
    surface_->EndMoving();
    // Announcing the change repaints the views; the owner may then follow the frame.
    if (core_->EndDrag(frame) && OnDragged)
        OnDragged(frame);
}

void KTGraphDragEditor::Cancel()
{
    if (!session_)
        return;
    session_.reset();
    text_.clear();
    core_->CancelDrag();
    surface_->EndMoving();
    surface_->RepaintFrames();
    QToolTip::hideText();
    graph_->unsetCursor();
}

void KTGraphDragEditor::ShowCursorFor(QPointF p)
{
    if (!core_)
        return;
    const KDragTarget hit = surface_->HitAt(p);
    if (hit.What == KDragTarget::Edge)
        graph_->setCursor(surface_->EdgeCursor(hit.Edges.front()));
    else if (hit.What == KDragTarget::Body)
        graph_->setCursor(Qt::OpenHandCursor);
    else
        graph_->unsetCursor();
}
