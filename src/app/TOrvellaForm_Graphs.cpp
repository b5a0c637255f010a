// The pie, timeline and count views of the main window: how each is created,
// filled and destroyed when the view changes.
#include "app/TOrvellaForm.h"

#include "graphs/KMainGraphSetup.h"

#include "graphs/KTSchTimeCount.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "listedit/KScheduleList.h"
#include "model/KMessageCatalog.h"
#include "week/core/KScheduleFileDaySource.h"
#include "week/core/KWeekScheduleBuilder.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

void TOrvellaForm::StoreListCursorAndPutListAway()
{
    if (!SchList)
        return;
    // A list already put aside keeps the cursor it had (or the frame last dragged).
    if (!SchList->isHidden()) {
        SavedListRow = SchList->CursorRow();
        SavedListCol = SchList->CursorCol();
    }
    if (SchedulingMode) {
        SchList->PutAside();
        SchList->hide();
        return;
    }
    delete SchList;
    SchList = nullptr;
}

void TOrvellaForm::CreatePieView()
{
    SchPie = new KTSchedulePie(SchListPanel);
    KMainGraphSetup::SetUpPie(SchPie, SchListPanel->size(), OneHourGScale, CurTimeMark);
    SchPie->show();
}

void TOrvellaForm::CreateTimelineView()
{
    SchTimeline = new KTScheduleTimeline(SchListPanel);
    KMainGraphSetup::SetUpTimeline(SchTimeline, SchListPanel->size(), OneHourGScale, CurTimeMark);
    SchTimeline->show();
}

void TOrvellaForm::DestroyPieView()
{
    if (!SchPie)
        return;
    SchPie->Clear();
    delete SchPie;
    SchPie = nullptr;
}

void TOrvellaForm::DestroyTimelineView()
{
    if (!SchTimeline)
        return;
    SchTimeline->Clear();
    delete SchTimeline;
    SchTimeline = nullptr;
}

void TOrvellaForm::DestroyCountView()
{
    delete SchTimeCount;
    SchTimeCount = nullptr;
}

void TOrvellaForm::ShowSkinButtons(bool on)
{
    EnterSkinModeButton->setVisible(on && !SkinMode);
    ExitSkinModeButton->setVisible(on && SkinMode);
    if (on) {
        EnterSkinModeButton->raise();
        ExitSkinModeButton->raise();
    }
    Action("ViewSkinMode")->setEnabled(on);
}

void TOrvellaForm::ShowPieView()
{
    StoreListCursorAndPutListAway();
    DestroyTimelineView();
    DestroyCountView();
    ViewType = vtPie;
    if (!SchPie)
        CreatePieView();
    SchPie->Clear();
    SchPie->SetSchedule(GraphSchedule());
    SchPie->Draw();
    SchTitleEdit->setText(SchTitle);
    // Skin mode shows the shown schedule alone: not while the working copy is edited.
    ShowSkinButtons(!SchedulingMode);
    AttachGraphEditing();
}

void TOrvellaForm::ShowTimelineView()
{
    StoreListCursorAndPutListAway();
    DestroyPieView();
    DestroyCountView();
    ViewType = vtTimeline;
    if (!SchTimeline)
        CreateTimelineView();
    SchTimeline->Clear();
    SchTimeline->SetSchedule(GraphSchedule());
    SchTimeline->Draw();
    SchTitleEdit->setText(SchTitle);
    // Skin mode shows the shown schedule alone: not while the working copy is edited.
    ShowSkinButtons(!SchedulingMode);
    AttachGraphEditing();
}

void TOrvellaForm::ShowCountView(int type)
{
    ShowSkinButtons(false);
    StoreListCursorAndPutListAway();
    DestroyPieView();
    DestroyTimelineView();
    ViewType = type;
    if (!SchTimeCount) {
        SchTimeCount = new KTSchTimeCount(SchListPanel);
        SchTimeCount->move(20, 20);
        SchTimeCount->show();
    }
    const int w = SchListPanel->width() - 40, h = SchListPanel->height() - 40;
    SchTimeCount->FillCounts(&ShownSchedule, SchListPanel, w, h);
    SchTitleEdit->setText(SchTitle);
    if (type != vtWeekCount)
        return;

    SchTitleEdit->setText(WeekCountTitle(Language));
    std::unique_ptr<KDaySchedule> week;
    if (platform_.Files) {
        KScheduleFileDaySource days(*platform_.Files, *platform_.Prompter);
        week = KWeekScheduleBuilder::Build(WeekConfig.DayFiles, days);
    }
    if (week) {
        SchTimeCount->FillCounts(week.get(), SchListPanel, w, h);
    } else {
        SchTimeCount->Clear();
        ShowMessageCode(KMessageCatalog::NoValidDayFile);
    }
}
