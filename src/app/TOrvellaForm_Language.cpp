// The interface language: 0 Japanese, 1 English (anything else Japanese). One call sets it on
// the window, on the captions of every open window (the translation catalogue) and on every
// component that builds texts at run time; the language menu makes that call.
#include "app/KUiTranslator.h"
#include "app/TOrvellaForm.h"

#include "graphs/KTGraphDragEditor.h"
#include "graphs/KTSchFramePopup.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "graphs/KTWeekView.h"
#include "listedit/KScheduleList.h"
#include "listedit/KToptionPanel_I.h"
#include "listedit/KToptionPanel_II.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

void TOrvellaForm::BindLanguageCommands()
{
    uiTranslator_ = new KUiTranslator(this);
    auto *group = new QActionGroup(this);
    for (const char *name : {"OptLangJP", "OptLangEN"}) {
        QAction *a = Action(name);
        a->setCheckable(true);
        group->addAction(a);
    }
    Action("OptLangJP")->setChecked(true);
    connect(Action("OptLangJP"), &QAction::triggered, this, [this] { SetLanguage(0); });
    connect(Action("OptLangEN"), &QAction::triggered, this, [this] { SetLanguage(1); });
}

void TOrvellaForm::SetLanguage(int language)
{
    language = language == 1 ? 1 : 0;
    // Without its catalogue the interface cannot be English; it stays Japanese throughout.
    if (uiTranslator_ && !uiTranslator_->SetLanguage(language))
        language = 0;
    Language = language;
    ApplyLanguageTexts();
    Action("OptLangJP")->setChecked(Language == 0);
    Action("OptLangEN")->setChecked(Language == 1);
    emit LanguageChanged(Language);
}

void TOrvellaForm::ApplySavedLanguage(int language)
{
    if (language != 1)
        return;
    SetLanguage(language);
    // The default frame was made before the language was known: it gets its English name.
    ShownSchedule.ClearFrames();
    AddDefaultFrame(ShownSchedule);
    if (SchList)
        SchList->RefreshRows(SchedulingMode);
}

void TOrvellaForm::ApplyLanguageTexts()
{
    SetButtonHints(Language);
    SetWeekdayCaptions(Language);
    Alarm.Language = Language;
    ApplyLanguageToViews();
    if (ViewType == vtWeekCount)
        SchTitleEdit->setText(WeekCountTitle(Language));
}

void TOrvellaForm::ApplyLanguageToViews()
{
    const int language = Language == 1 ? 1 : 0;
    // The list rewrites its titles, so only on a change.
    if (SchList && SchList->ListLanguage() != language)
        SchList->SetListLanguage(language);
    // A popup fills its row titles when it is hidden as well: those of a new view are filled again.
    for (KTSchFramePopup *popup :
         {SchPie ? SchPie->FramePopup() : nullptr, SchTimeline ? SchTimeline->FramePopup() : nullptr}) {
        if (popup && popup->PopupLanguage != language) {
            popup->PopupLanguage = language;
            popup->ShowFrame(popup->ShownFrame());
        }
    }
    if (KTGraphDragEditor *editor = ShownGraphEditor())
        editor->Language = language;
    // The week view's captions and the reasons of its grey days.
    if (SchWeekView)
        FillWeekView();
    // The side panel of the other mode is kept hidden for the next swap: it follows too.
    for (KSidePanel *panel : SidePanels())
        panel->SetLanguage(language);
}

void TOrvellaForm::SetWeekdayCaptions(int language)
{
    const bool en = language == 1;
    static const char *const ja[7] = {"日", "月", "火", "水", "木", "金", "土"};
    static const char *const enNames[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    WkTodayButton->setText(en ? QStringLiteral("TODAY") : QStringLiteral("今日"));
    for (int i = 0; i < 7; ++i)
        WeekdayButtons[size_t(i)]->setText(QString::fromUtf8(en ? enNames[i] : ja[i]));
    // The marks keep clear of the new captions.
    for (QFrame *mark : {TodayIndImage, WeekOpnIndImage}) {
        for (int i = 0; i < 7; ++i)
            if (mark && mark->parentWidget() == WeekdayButtons[size_t(i)])
                PlaceWeekdayMark(mark, i, mark->y());
    }
}

QString TOrvellaForm::WeekCountTitle(int language)
{
    return language == 1 ? QStringLiteral("Week Schedule Count") : QStringLiteral("週間スケジュール集計");
}
