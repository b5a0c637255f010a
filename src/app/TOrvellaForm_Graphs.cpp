// The pie, timeline and count views of the main window: how each is created,
// filled and destroyed when the view changes.
#include "app/TOrvellaForm.h"

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

void TOrvellaForm::StoreListCursorAndDestroyList()
{
    if (!SchList)
        return;
    SavedListRow = SchList->CursorRow();
    SavedListCol = SchList->CursorCol();
    delete SchList;
    SchList = nullptr;
}

void TOrvellaForm::CreatePieView()
{
    SchPie = new KTSchedulePie(SchListPanel);
    const int side = std::min(SchListPanel->width(), SchListPanel->height());
    SchPie->SetRadius(side / 2 - 30);
    SchPie->move((SchListPanel->width() - SchPie->width()) / 2,
                 (SchListPanel->height() - SchPie->height()) / 2);
    SchPie->MaxLabelMoves = 7;
    SchPie->TickCount = 8;
    SchPie->TickStartAngle = 90;
    SchPie->TickColor = 0x000000;
    SchPie->TickThickEvery = 2;
    SchPie->TickThickWidth = 0;
    SchPie->SetTickMode(4);
    SchPie->SetHourLabelMode(OneHourGScale ? 3 : 2);
    SchPie->SetTimeMarkSize(13);
    SchPie->TimeMarkOffset = 5;
    SchPie->SetTimeMarkStyle(CurTimeMark ? 2 : 0);
    SchPie->show();
}

void TOrvellaForm::CreateTimelineView()
{
    SchTimeline = new KTScheduleTimeline(SchListPanel);
    const int w = SchListPanel->width(), h = SchListPanel->height();
    SchTimeline->setGeometry(2, 10, w - 32, h - 40);
    SchTimeline->AxisLength = h - 60;
    SchTimeline->BarWidth = w - (SchTimeline->Origin.x() + SchTimeline->AxisWidth + SchTimeline->BarGap) - 42;
    SchTimeline->LabelOffset = 30;
    SchTimeline->TickIntervals = 8;
    SchTimeline->TickColor = 0x000000;
    SchTimeline->TickThickEvery = 2;
    SchTimeline->TickThickWidth = 0;
    SchTimeline->SetTickMode(4);
    SchTimeline->SetHourLabelMode(OneHourGScale ? 3 : 2);
    SchTimeline->SetTimeMarkSize(13);
    SchTimeline->TimeMarkOffset = -13;
    SchTimeline->SetTimeMarkStyle(CurTimeMark ? 2 : 0);
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
    ExitSkinModeButton->hide();
    EnterSkinModeButton->setVisible(on);
    if (on)
        EnterSkinModeButton->raise();
    Action("ViewSkinMode")->setEnabled(on);
}

void TOrvellaForm::ShowPieView()
{
    StoreListCursorAndDestroyList();
    DestroyTimelineView();
    DestroyCountView();
    ViewType = vtPie;
    if (!SchPie)
        CreatePieView();
    SchPie->Clear();
    SchPie->SetSchedule(&ShownSchedule);
    SchPie->Draw();
    SchTitleEdit->setText(SchTitle);
    ShowSkinButtons(true);
}

void TOrvellaForm::ShowTimelineView()
{
    StoreListCursorAndDestroyList();
    DestroyPieView();
    DestroyCountView();
    ViewType = vtTimeline;
    if (!SchTimeline)
        CreateTimelineView();
    SchTimeline->Clear();
    SchTimeline->SetSchedule(&ShownSchedule);
    SchTimeline->Draw();
    SchTitleEdit->setText(SchTitle);
    ShowSkinButtons(true);
}

void TOrvellaForm::ShowCountView(int type)
{
    ShowSkinButtons(false);
    StoreListCursorAndDestroyList();
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

    SchTitleEdit->setText(Language == 1 ? QStringLiteral("Week Schedule Count")
                                        : QStringLiteral("週間スケジュール集計"));
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
