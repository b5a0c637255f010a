// View switching and the view options of the View menu.
#include "app/TOrvellaForm.h"

#include "graphs/KTSchTimeCount.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "graphs/KTWeekView.h"
#include "listedit/KScheduleList.h"
#include "model/KMessageCatalog.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

void TOrvellaForm::SwitchView(int type)
{
    // In scheduling mode the graphs edit the working copy; the counts are refused.
    if (SchedulingMode && type != vtList && type != vtPie && type != vtTimeline) {
        platform_.Prompter->Show(KMessageCatalog::Text(KMessageCatalog::CaptionWarning, Language),
                                 KMessageCatalog::Text(KMessageCatalog::ViewSwitchRefused, Language),
                                 KMsgIcon::Warning);
        // The clicked view's check mark goes back to the view still shown.
        UpdateViewMenuChecks(ViewType);
        return;
    }

    // The week view shows the day files of an open week schedule.
    if (type == vtWeek && !WeekSchOpen) {
        ShowMessageCode(KMessageCatalog::NoWeekFile);
        UpdateViewMenuChecks(ViewType);
        return;
    }
    // Skin mode shows only the pie or the timeline: another view brings the normal window back.
    if (SkinMode && type != vtPie && type != vtTimeline && type >= vtList && type <= vtWeek)
        ExitSkinMode();

    switch (type) {
    case vtList:
        EnterSkinModeButton->hide();
        ExitSkinModeButton->hide();
        Action("ViewSkinMode")->setEnabled(false);
        DestroyPieView();
        DestroyTimelineView();
        DestroyCountView();
        DestroyWeekView();
        ViewType = vtList;
        ShowListView();
        SchTitleEdit->setText(SchTitle);
        break;
    case vtPie:
        DestroyWeekView();
        ShowPieView();
        break;
    case vtTimeline:
        DestroyWeekView();
        ShowTimelineView();
        break;
    case vtCount:
        DestroyWeekView();
        ShowCountView(vtCount);
        break;
    case vtWeekCount:
        if (WeekSchFileName.isEmpty()) {
            ShowMessageCode(KMessageCatalog::NoWeekFile);
            return;
        }
        DestroyWeekView();
        ShowCountView(vtWeekCount);
        break;
    case vtWeek:
        ShowWeekView();
        break;
    default:
        return;
    }

    // A graph made anew in skin mode takes the skin's handlers and size.
    if (SkinMode) {
        AttachSkinHandlers(true);
        SetSkinSize(SkinSize);
    }

    // A view made anew takes the language value.
    ApplyLanguageToViews();
    UpdateViewMenuChecks(ViewType);
    ClockTick();
}

void TOrvellaForm::UpdateViewMenuChecks(int type)
{
    const char *names[] = {"ViewTypeList", "ViewTypePie", "ViewTypeVTimeline", "ViewTypeSchCount"};
    if (type >= 0 && type < 4)
        Action(names[type])->setChecked(true);
    else if (type == vtWeek)
        Action("ViewTypeWeekView")->setChecked(true);
}

void TOrvellaForm::SetCurTimeMark(bool value)
{
    CurTimeMark = value;
    if (SchList)
        SchList->SetTimeMarkOption(value ? 2 : 0);
    if (SchPie)
        SchPie->SetTimeMarkStyle(value ? 2 : 0);
    if (SchTimeline)
        SchTimeline->SetTimeMarkStyle(value ? 2 : 0);
    if (SchWeekView)
        SchWeekView->SetTimeMarkStyle(value ? 2 : 0);
    Action("OptCTimeMark")->setChecked(value);
}

void TOrvellaForm::SetOneHourGScale(bool value)
{
    OneHourGScale = value;
    if (SchPie)
        SchPie->SetHourLabelMode(value ? 3 : 2);
    else if (SchTimeline)
        SchTimeline->SetHourLabelMode(value ? 3 : 2);
    else if (SchWeekView)
        SchWeekView->SetHourLabelMode(value ? 3 : 2);
    Action("ViewOneHourGScale")->setChecked(value);
}

void TOrvellaForm::SetStartWithLastView(bool value)
{
    StartWithLastView = value;
    Action("ViewStartWithLastView")->setChecked(value);
}

void TOrvellaForm::MoveTimeMark(KSchTime now)
{
    if (ViewType == vtList && SchList)
        SchList->UpdateTimeMark(now);
    else if (ViewType == vtPie && SchPie)
        SchPie->ShowTime(now);
    else if (ViewType == vtTimeline && SchTimeline)
        SchTimeline->ShowTime(now);
    else if (ViewType == vtWeek && SchWeekView)
        SchWeekView->ShowTime(now);
}
