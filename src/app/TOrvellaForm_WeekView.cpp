// The week view: the seven day files of the open week schedule side by side.
#include "app/TOrvellaForm.h"

#include "graphs/KTWeekView.h"
#include "platform/core/KFileSystem.h"
#include "platform/qt/KQtText.h"

#include <QFrame>
#include <QLineEdit>

void TOrvellaForm::ShowWeekView()
{
    ShowSkinButtons(false);
    StoreListCursorAndPutListAway();
    DestroyPieView();
    DestroyTimelineView();
    DestroyCountView();
    ViewType = vtWeek;
    if (!SchWeekView) {
        SchWeekView = new KTWeekView(SchListPanel);
        SchWeekView->setGeometry(2, 6, SchListPanel->width() - 8, SchListPanel->height() - 10);
        SchWeekView->SetTimeMarkSize(11);
        SchWeekView->SetTimeMarkStyle(CurTimeMark ? 2 : 0);
        SchWeekView->SetHourLabelMode(OneHourGScale ? 3 : 2);
        // After the click has been handled: opening the day replaces this view.
        SchWeekView->OnDayClicked = [this](int day) {
            QMetaObject::invokeMethod(
                this, [this, day] { WeekViewDayClick(day); }, Qt::QueuedConnection);
        };
        SchWeekView->show();
    }
    FillWeekView();
    SchTitleEdit->setText(SchTitle);
}

void TOrvellaForm::FillWeekView()
{
    if (!SchWeekView)
        return;
    if (platform_.Files)
        WeekViewDays = KWeekViewDays::Read(WeekConfig, *platform_.Files);
    std::array<KTWeekView::Day, 7> days;
    for (int d = 0; d < 7; ++d) {
        const KWeekViewDay &day = WeekViewDays[size_t(d)];
        days[size_t(d)].Schedule = day.Schedule.get();
        days[size_t(d)].Caption = Q(day.Title.empty() ? KPath::StemOf(day.Path) : day.Title);
        days[size_t(d)].Reason = Q(KWeekViewDays::Reason(day, Language));
    }
    // One draw for all the changes.
    SchWeekView->Clear();
    SchWeekView->SetLanguage(Language);
    SchWeekView->SetToday(Today());
    SchWeekView->SetDays(days);
    SchWeekView->Draw();
}

void TOrvellaForm::DestroyWeekView()
{
    if (!SchWeekView)
        return;
    SchWeekView->Clear();
    delete SchWeekView;
    SchWeekView = nullptr;
    WeekViewDays = {};
}

void TOrvellaForm::WeekViewDayClick(int day)
{
    if (ViewType != vtWeek || SchedulingMode)
        return;
    if (OpenWeekdaySchedule(day, WeekConfig))
        SwitchView(vtList);
}

QString TOrvellaForm::WeekViewPrintTitle() const
{
    const QString name = Q(KPath::StemOf(U(WeekSchFileName)));
    return (Language == 1 ? QStringLiteral("Week: ") : QStringLiteral("週間スケジュール：")) + name;
}
