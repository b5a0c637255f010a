// View switching and the view options of the View menu.
#include "app/TOrvellaForm.h"

#include "graphs/KTSchTimeCount.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
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

    // Skin mode shows only the pie or the timeline: another view brings the normal window back.
    if (SkinMode && type != vtPie && type != vtTimeline && type >= vtList && type <= vtWeekCount)
        ExitSkinMode();

    switch (type) {
    case vtList:
        EnterSkinModeButton->hide();
        ExitSkinModeButton->hide();
        Action("ViewSkinMode")->setEnabled(false);
        DestroyPieView();
        DestroyTimelineView();
        DestroyCountView();
        ViewType = vtList;
        ShowListView();
        SchTitleEdit->setText(SchTitle);
        break;
    case vtPie:
        ShowPieView();
        break;
    case vtTimeline:
        ShowTimelineView();
        break;
    case vtCount:
        ShowCountView(vtCount);
        break;
    case vtWeekCount:
        if (WeekSchFileName.isEmpty()) {
            ShowMessageCode(KMessageCatalog::NoWeekFile);
            return;
        }
        ShowCountView(vtWeekCount);
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
    Action("OptCTimeMark")->setChecked(value);
}

void TOrvellaForm::SetOneHourGScale(bool value)
{
    OneHourGScale = value;
    if (SchPie)
        SchPie->SetHourLabelMode(value ? 3 : 2);
    else if (SchTimeline)
        SchTimeline->SetHourLabelMode(value ? 3 : 2);
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
}
