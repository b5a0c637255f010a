// The big pie and timeline as editors: in scheduling mode they show the working copy and
// take drags (through the list's editing core, so the log, the changed mark and undo work
// as for the grid); outside it a double click on a frame begins scheduling on that frame.
#include "app/TOrvellaForm.h"

#include "graphs/KTGraphDragEditor.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "listedit/KScheduleList.h"

#include <QMetaObject>

const KDaySchedule *TOrvellaForm::GraphSchedule() const
{
    return SchedulingMode && EditSchedule ? EditSchedule : &ShownSchedule;
}

KTGraphDragEditor *TOrvellaForm::ShownGraphEditor() const
{
    if (SchPie)
        return SchPie->DragEditor();
    if (SchTimeline)
        return SchTimeline->DragEditor();
    return nullptr;
}

void TOrvellaForm::AttachGraphEditing()
{
    KTGraphDragEditor *editor = ShownGraphEditor();
    if (!editor)
        return;
    editor->Language = Language == 1 ? 1 : 0;
    editor->SetEditCore(SchedulingMode && SchList && !SkinMode ? SchList->EditCore() : nullptr);
    // The view may go while its own event is handled: act after it.
    editor->OnFrameDoubleClicked = [this](int frame) {
        QMetaObject::invokeMethod(
            this, [this, frame] { EditFrameFromGraph(frame); }, Qt::QueuedConnection);
    };
    editor->OnDragged = [this](int frame) { SavedListRow = frame + 1; };
    editor->OnUndo = [this] {
        if (SchList)
            SchList->UndoLastOperation();
    };
}

void TOrvellaForm::DetachGraphEditing()
{
    if (KTGraphDragEditor *editor = ShownGraphEditor())
        editor->SetEditCore(nullptr);
}

void TOrvellaForm::RepaintShownGraph()
{
    if (SchPie)
        SchPie->RepaintFrames();
    else if (SchTimeline)
        SchTimeline->RepaintFrames();
}

void TOrvellaForm::EditFrameFromGraph(int frame)
{
    if (SkinMode)
        return;
    if (!SchedulingMode) {
        ToggleSchedulingMode();
        if (SchedulingMode && SchList)
            SchList->SetCursor(frame + 1, KScheduleList::ColItem);
        return;
    }
    SwitchView(vtList);
    if (SchList)
        SchList->EditItemCell(frame + 1);
}

bool TOrvellaForm::LeavingWouldAsk() const
{
    KScheduleEditCore *core = SchList ? SchList->EditCore() : nullptr;
    return core && core->Modified && !core->Check().Clean();
}
