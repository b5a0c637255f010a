// Scheduling mode, the side panels and the clock options.
#include "app/TOrvellaForm.h"

#include "app/dialogs/TKClock.h"
#include "graphs/TKSchGraphView.h"
#include "listedit/KScheduleList.h"
#include "listedit/KToptionPanel_II.h"
#include "model/KMessageCatalog.h"
#include "platform/qt/KQtClipboard.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace {
// Escape in the title field while scheduling puts the last title back.
class KTitleEscapeFilter : public QObject {
public:
    KTitleEscapeFilter(TOrvellaForm *form) : QObject(form), form_(form) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape &&
            form_->SchedulingMode) {
            form_->SchTitleEdit->setText(form_->SchTitle);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TOrvellaForm *form_;
};

const char *const EditingActions[] = {"EditAddSch", "EditInsSch", "EditDeleteSch", "EditCancel",
                                      "EditPaste",  "EditCut",    "EditDelete"};
} // namespace

KClipboard *TOrvellaForm::Clipboard()
{
    if (platform_.Clipboard)
        return platform_.Clipboard;
    if (!ownClipboard_)
        ownClipboard_ = std::make_unique<KQtClipboard>();
    return ownClipboard_.get();
}

void TOrvellaForm::BindSchedulingCommands()
{
    connect(Action("EditAddSch"), &QAction::triggered, this, &TOrvellaForm::EditAddSchExecute);
    connect(Action("EditInsSch"), &QAction::triggered, this, &TOrvellaForm::EditInsSchExecute);
    connect(Action("EditDeleteSch"), &QAction::triggered, this, [this] {
        if (SchedulingMode && SchList)
            SchList->DeleteSch(SchList->CursorRow() - 1);
    });
    connect(Action("EditCancel"), &QAction::triggered, this, [this] {
        if (!SchedulingMode || !SchList)
            return;
        SchList->CancelSch(true, [this] {
            return platform_.Prompter->Ask(KMessageCatalog::Text(KMessageCatalog::CaptionWarning, Language),
                                           KMessageCatalog::Text(KMessageCatalog::RevertPrompt, Language),
                                           KMsgIcon::Warning, KMsgButtons::YesNo) == KMsgAnswer::Yes;
        });
    });
    const char *const chrono[] = {"EditSetChroTimeSTFixDT", "EditSetChroTimeSTFixET",
                                  "EditSetChroTimeETFixDT", "EditSetChroTimeETFixST", "EditSetChroTimeDT"};
    for (int mode = 0; mode < 5; ++mode) {
        connect(Action(chrono[mode]), &QAction::triggered, this, [this, mode] {
            if (SchedulingMode && SchList)
                SchList->SetChronoTime(SchList->CursorRow() - 1, mode);
        });
    }
    // The cell clipboard works on the cursor cell of a data row.
    auto onCell = [this](auto operation) {
        return [this, operation] {
            if (SchList && SchList->CursorRow() > 0)
                operation(SchList, SchList->CursorRow(), SchList->CursorCol());
        };
    };
    connect(Action("EditCopy"), &QAction::triggered, this,
            onCell([](KScheduleList *l, int r, int c) { l->CopyCell(r, c); }));
    connect(Action("EditCut"), &QAction::triggered, this,
            onCell([](KScheduleList *l, int r, int c) { l->ClearCell(r, c, true); }));
    connect(Action("EditDelete"), &QAction::triggered, this,
            onCell([](KScheduleList *l, int r, int c) { l->ClearCell(r, c, false); }));
    connect(Action("EditPaste"), &QAction::triggered, this, onCell([this](KScheduleList *l, int r, int c) {
                if (SchedulingMode)
                    l->PasteCell(r, c);
            }));

    // The title: any change while scheduling marks the schedule changed; Escape restores it.
    SchTitleEdit->installEventFilter(new KTitleEscapeFilter(this));
    connect(SchTitleEdit, &QLineEdit::textEdited, this, [this] {
        if (SchedulingMode)
            SchModified = true;
    });
}

void TOrvellaForm::ToggleSchedulingMode()
{
    if (!SchedulingMode) {
        // The mode begins in the grid; leaving it comes back to the view shown now.
        const int before = ViewType;
        if (ViewType != vtList)
            SwitchView(vtList);
        if (!SchList)
            return;
        EnterSchedulingMode();
        if (SchedulingMode)
            viewBeforeMode_ = before;
        return;
    }
    // From a graph: a check that finds faults shows them in the grid, as when leaving from it.
    if (ViewType != vtList && LeavingWouldAsk())
        SwitchView(vtList);
    if (!SchList)
        return;
    ExitSchedulingMode();
    if (!SchedulingMode && viewBeforeMode_ != ViewType)
        SwitchView(viewBeforeMode_);
}

void TOrvellaForm::EnterSchedulingMode()
{
    if (SchedulingMode || !SchList)
        return;
    // Unsaved changes from before stay unsaved: remember them for when the edits are dropped.
    schModifiedBeforeMode_ = SchModified;
    SchedulingMode = true;

    OpeLog = std::make_unique<KDaySchOpeLog>(5);
    SchList->SetOpeLog(OpeLog.get());
    SchList->SetClipboard(Clipboard());
    SchList->SetEditMode(true);
    EditSchedule = SchList->EditSchedule();
    SchList->ChangeHandler = [this](KScheduleList *, int, int kind) { SchListChanged(kind); };
    SchList->SetPopupMenu(SchEditPopupMenu);

    BuildSchedulingSidePanel();
    ShowModeControls(true);
    SchList->setFocus();
}

void TOrvellaForm::ExitSchedulingMode()
{
    if (SchedulingMode && SchList) {
        const bool listModified = SchList->Modified();
        DetachGraphEditing();
        SchList->SetEditMode(false);
        SchedulingMode = SchList->EditMode();
        if (SchedulingMode) {
            AttachGraphEditing();
            return; // the check kept the mode on
        }
        if (OptionPanel2)
            OptionPanel2->GraphView->SetSchedule(nullptr); // the working copy is gone
        if (SchList->LastLeaveResult() == KScheduleEditCore::LeaveDiscard)
            // The edits of the list are gone, the shown schedule is as before; a typed title stays.
            SchModified = schModifiedBeforeMode_ || TitleTypedInMode();
        else
            SchModified = SchModified || listModified || schModifiedBeforeMode_;
        EditSchedule = nullptr;
        SchList->ChangeHandler = nullptr;
        SchList->SetPopupMenu(nullptr);
        SchTitle = SchTitleEdit->text();
        SchList->SetOpeLog(nullptr);
        OpeLog.reset();
    }
    AlarmResetPending = true;
    SchedulingMode = false;
    BuildNormalSidePanel();
    ShowModeControls(false);
    // A graph shown now shows the shown schedule again, read-only; the list put aside goes.
    if (ViewType == vtPie || ViewType == vtTimeline)
        SwitchView(ViewType);
}

void TOrvellaForm::ShowModeControls(bool on)
{
    // The red bar, the title field and the scheduling buttons show which mode is on.
    QPalette bar = SchModDispBarPanel->palette();
    bar.setColor(QPalette::Window, on ? QColor(255, 0, 0) : palette().color(QPalette::Button));
    SchModDispBarPanel->setPalette(bar);
    SchTitleEdit->setReadOnly(!on);
    SchTitleEdit->setBackgroundRole(on ? QPalette::Base : QPalette::Button);
    EnterEditSchButton->setVisible(!on);
    ExitEditSchButton->setVisible(on);
    QAction *scheduling = Action("EditScheduling");
    scheduling->setChecked(on);
    scheduling->setIcon(on ? ExitEditSchButton->icon() : EnterEditSchButton->icon());
    scheduling->setText(on ? "スケジュール作成 終了(&E)" : "スケジュール作成(&G)");
    for (const char *name : EditingActions)
        Action(name)->setEnabled(on);
}

bool TOrvellaForm::TitleTypedInMode() const
{
    return SchTitleEdit->text() != SchTitle;
}

void TOrvellaForm::SchListChanged(int kind)
{
    SchModified = kind == KScheduleEditCore::Changed || schModifiedBeforeMode_ || TitleTypedInMode();
    if (OptionPanel2)
        OptionPanel2->GraphView->RefreshGraph();
    RepaintShownGraph();
}

void TOrvellaForm::ShowScheduleFull()
{
    platform_.Prompter->Show(KMessageCatalog::Text(KMessageCatalog::CaptionWarning, Language),
                             KMessageCatalog::Text(KMessageCatalog::ScheduleFull, Language),
                             KMsgIcon::Warning);
}

void TOrvellaForm::EditAddSchExecute()
{
    if (SchedulingMode && SchList && SchList->AddSch())
        ShowScheduleFull();
}

void TOrvellaForm::EditInsSchExecute()
{
    if (!SchedulingMode || !SchList)
        return;
    KScheduleFrame frame;
    frame.SetItemName(Language == 1 ? u"Free" : u"自由");
    if (SchList->InsSch(SchList->CursorRow() - 1, frame))
        ShowScheduleFull();
}

bool TOrvellaForm::ConfirmQuitScheduling()
{
    if (!SchedulingMode)
        return true;
    if (platform_.Prompter->Ask(KMessageCatalog::Text(KMessageCatalog::CaptionWarning, Language),
                                KMessageCatalog::Text(KMessageCatalog::QuitSchedulingPrompt, Language),
                                KMsgIcon::Warning, KMsgButtons::YesNo) != KMsgAnswer::Yes)
        return false;
    if (OptionPanel2)
        OptionPanel2->GraphView->SetSchedule(nullptr);
    DetachGraphEditing();
    const bool titleTyped = TitleTypedInMode();
    if (SchList)
        SchList->DiscardEditSchedule();
    ExitSchedulingMode();
    // The edits were dropped: only changes from before the mode and a typed title are unsaved.
    SchModified = schModifiedBeforeMode_ || titleTyped;
    return true;
}

void TOrvellaForm::WorkingCopyReplaced()
{
    if (OpeLog)
        OpeLog->ClearOperations();
    if (SchList && SchList->EditCore())
        SchList->EditCore()->NotifyChange(true, KScheduleEditCore::AllFrames);
}

bool TOrvellaForm::ApplyForSave()
{
    if (!SchedulingMode || !SchList)
        return true;
    // Faults are shown in the grid, whichever view is up.
    if (ViewType != vtList && LeavingWouldAsk())
        SwitchView(vtList);
    if (!SchList->ApplyForSave())
        return false;
    // The shown schedule now holds the edits; if the save fails they are still unsaved.
    schModifiedBeforeMode_ = true;
    SchModified = true;
    AlarmResetPending = true;
    return true;
}

void TOrvellaForm::TickViews(KSchTime now)
{
    TickListAndPanel(now);
}

void TOrvellaForm::SetClock24H(bool value, int source)
{
    Clock24H = value;
    Action("OptClock12H")->setChecked(!value);
    Action("OptClock24H")->setChecked(value);
    ApplyClock24HToPanel(value, source);
}

void TOrvellaForm::SetClockSeconds(bool value, int source)
{
    ClockSeconds = value;
    Action("OptClockSec")->setChecked(value);
    ApplyClockSecondsToPanel(value, source);
}
