// The list view, the normal-mode side panel, the clock options and the Help commands.
#include "app/TOrvellaForm.h"

#include "app/dialogs/TKCalendarView.h"
#include "app/dialogs/TKClock.h"
#include "app/dialogs/TKHelpWindow.h"
#include "app/dialogs/TKVersionDialog.h"
#include "graphs/TKCurSchView.h"
#include "graphs/TKSchGraphView.h"
#include "listedit/KScheduleList.h"
#include "listedit/KTScheduleItemPool.h"
#include "listedit/KToptionPanel_I.h"
#include "listedit/KToptionPanel_II.h"
#include "model/KMessageCatalog.h"
#include "platform/qt/KQtText.h"
#include "platform/qt/KUiText.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>

void TOrvellaForm::CreateItemPool()
{
    // The pool caps any capacity at 80; the window asks for 50.
    ItemPool = new KTScheduleItemPool(50);
    ItemPool->AddDefaultItems();
}

void TOrvellaForm::DestroyItemPool()
{
    delete ItemPool;
    ItemPool = nullptr;
}

void TOrvellaForm::ShowListView()
{
    const int rows = KScheduleList::RowCountFor(ShownSchedule.GetCount(), SchListPanel->height());
    if (!SchList) {
        SchList = new KScheduleList(SchListPanel);
        SchList->hide();
        SchList->SetParent(SchListPanel);
        SchList->SetupColumns(rows);
        SchList->move(0, 0);
        SchList->SetHeight(SchListPanel->height());
        SchList->SetWidth(SchListPanel->width());
        SchList->SetFontSize(9);
        SchList->SetColorDialog([this] { return ColorDialog(); });
        SchList->SetClipboard(Clipboard());
        SchList->SetTabNavigation(true);
        SchList->SetMemoPanelTrigger(1);
        SchList->SetMemoPanelEnabled(true);
        SchList->SetTimeMarkSize(13);
        SchList->SetTimeMarkOffset(22);
        SchList->SetTimeMarkOption(CurTimeMark ? 2 : 0);
        SchList->SetShowTotalTime(true);
    } else if (SchList->RowCount() != rows) {
        SchList->SetRowCount(rows);
        SchList->SetHeight(SchListPanel->height());
    }
    SchList->SetSchedule(&ShownSchedule);
    SchList->RefreshRows(SchedulingMode);
    SchList->SetItemPool(ItemPool);
    SchList->SetTimeEditColumns(ListEditOption);
    SchList->SetEditMode(SchedulingMode);
    SchList->show();
    if (ShownSchedule.GetCount() < SavedListRow) {
        SavedListRow = 1;
        SavedListCol = 1;
    } else {
        SchList->SetCursor(SavedListRow, SavedListCol);
    }
}

void TOrvellaForm::ConnectSidePanelClock(TKClock *clock)
{
    clock->Set24H(Clock24H);
    clock->On24HChanged = [this](TKClock *c) { SetClock24H(c->Is24H(), 1); };
    clock->OnSecondsChanged = [this](TKClock *c) { SetClockSeconds(c->ShowsSeconds(), 1); };
}

// Swaps the side panel of the other mode (kept hidden for the next swap) for this one,
// made and placed beside the list the first time.
template <typename Panel>
Panel *TOrvellaForm::SwapSidePanel(KSidePanel *&other, KSidePanel *&parkedOther, Panel *&own,
                                   KSidePanel *&parkedOwn)
{
    if (other) {
        other->hide();
        parkedOther = other;
        other = nullptr;
    }
    if (!own && parkedOwn) {
        own = static_cast<Panel *>(parkedOwn);
        parkedOwn = nullptr;
    }
    if (!own) {
        own = new Panel(this, PanelMainView_1);
        const int top = ControlPanel1->y();
        own->move(SchListPanel->x() + SchListPanel->width(), top);
        own->SetWidth(250);
        own->SetHeight(SchListPanel->y() + SchListPanel->height() - top);
        ConnectSidePanelClock(own->Clock);
    }
    SetClock24H(Clock24H, 2);
    SetClockSeconds(ClockSeconds, 2);
    return own;
}

void TOrvellaForm::BuildNormalSidePanel()
{
    KSidePanel *other = OptionPanel2;
    SwapSidePanel(other, parkedPanel2_, OptionPanel1, parkedPanel1_);
    OptionPanel2 = nullptr;
    OptionPanel1->show();
    // The calendar centred in the box that frames it.
    OptionPanel1->Relayout();
    ApplyLanguageToViews();
}

void TOrvellaForm::BuildSchedulingSidePanel()
{
    KSidePanel *other = OptionPanel1;
    SwapSidePanel(other, parkedPanel1_, OptionPanel2, parkedPanel2_);
    OptionPanel1 = nullptr;
    ApplyLanguageToViews();
    OptionPanel2->GraphView->SetSchedule(EditSchedule);
    OptionPanel2->show();
}

void TOrvellaForm::UpdateCurSchView(TKCurSchView *view, KSchTime now)
{
    if (!CurFrame || !view)
        return;
    view->SetNow(now);
    view->SetShowSeconds(ClockSeconds);
    view->SetStart(CurFrame->StartTime);
    view->SetEnd(AddTimes(CurFrame->StartTime, CurFrame->Duration));
    // Set only on a change: setting the same text again repaints the box every second.
    const QString item = Q(CurFrame->ItemName);
    if (view->EditSchItem->text() != item) {
        view->EditSchItem->setText(item);
        view->EditSchItem->setToolTip(KUiText::PlainToolTip(item));
    }
}

void TOrvellaForm::TickListAndPanel(KSchTime now)
{
    if (SchList)
        SchList->SetCurrentFrame(CurFrameIndex);
    if (OptionPanel1) {
        OptionPanel1->Clock->SetTime(now);
        UpdateCurSchView(OptionPanel1->CurSchView, now);
    } else if (OptionPanel2) {
        OptionPanel2->Clock->SetTime(now);
        UpdateCurSchView(OptionPanel2->CurSchView, now);
    }
}

std::vector<KSidePanel *> TOrvellaForm::SidePanels() const
{
    std::vector<KSidePanel *> panels;
    for (KSidePanel *panel : {static_cast<KSidePanel *>(OptionPanel1),
                              static_cast<KSidePanel *>(OptionPanel2), parkedPanel1_, parkedPanel2_})
        if (panel)
            panels.push_back(panel);
    return panels;
}

// Every side panel follows, the hidden one of the other mode included: it shows the same
// setting when its mode comes back. A clock that made the change (source 1) has it already.
void TOrvellaForm::ApplyClock24HToPanel(bool value, int source)
{
    for (KSidePanel *panel : SidePanels()) {
        panel->CurSchView->SetClock24H(value);
        if (source != 1 || panel->Clock->Is24H() != value)
            panel->Clock->Set24H(value);
    }
}

void TOrvellaForm::ApplyClockSecondsToPanel(bool value, int source)
{
    for (KSidePanel *panel : SidePanels()) {
        panel->CurSchView->SetShowSeconds(value);
        if (source != 1 || panel->Clock->ShowsSeconds() != value)
            panel->Clock->SetSeconds(value);
    }
}

void TOrvellaForm::HelpContentsExecute()
{
    if (!TKHelpWindow::ShowContents(this, Language))
        ShowMessageCode(KMessageCatalog::HelpMissing, TKHelpWindow::HelpFileName(Language));
}

void TOrvellaForm::HelpVersionExecute()
{
    TKVersionDialog dialog(TKVersionDialog::OrvellaRecord(), this);
    dialog.exec();
}

void TOrvellaForm::BindListCommands()
{
    connect(Action("HelpContents"), &QAction::triggered, this, &TOrvellaForm::HelpContentsExecute);
    connect(Action("HelpVersion"), &QAction::triggered, this, &TOrvellaForm::HelpVersionExecute);
    // Leaving through File > Exit closes the help window first.
    connect(Action("FileExit1"), &QAction::triggered, this, [] { TKHelpWindow::CloseHelp(); });
}
