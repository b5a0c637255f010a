// The week panel of the main window and the week schedule flows around it.
#include "app/TOrvellaForm.h"

#include "app/KTFileLogOnMenu.h"
#include "graphs/KTWeekView.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KClock.h"
#include "platform/qt/KQtText.h"
#include "platform/qt/KUiText.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"
#include "week/TKWeekSchCfgDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

using namespace KMessageCatalog;

void TOrvellaForm::InitWeekPanel(int language)
{
    WeekSchFileOpenButton->hide();
    WkTodayButton->setGeometry(4, 1, 100, 30);
    SetWeekdayCaptions(language);
    int left = WkTodayButton->x() + WkTodayButton->width() + 20;
    for (int i = 0; i < 7; ++i) {
        QPushButton *b = WeekdayButtons[size_t(i)];
        b->setGeometry(left, 1, 50, 30);
        left += 55;
    }
    UpdateWeekButtons(WeekConfig);

    for (QFrame *indicator : {TodayIndImage, WeekOpnIndImage}) {
        indicator->resize(6, 6);
        indicator->setAutoFillBackground(true);
        // Placed on a button they would otherwise paint with the button's colour.
        indicator->setBackgroundRole(QPalette::Window);
        indicator->hide();
    }
    QPalette blue = TodayIndImage->palette();
    blue.setColor(QPalette::Window, QColor(0, 0, 255));
    TodayIndImage->setPalette(blue);
    QPalette magenta = WeekOpnIndImage->palette();
    magenta.setColor(QPalette::Window, QColor(255, 0, 255));
    WeekOpnIndImage->setPalette(magenta);
}

void TOrvellaForm::PlaceWeekdayMark(QFrame *mark, int day, int top)
{
    // In the button's left margin, clear of its caption (which is centred).
    QPushButton *button = WeekdayButtons[size_t(day)];
    if (mark->parentWidget() != button)
        mark->setParent(button);
    const int caption = button->fontMetrics().horizontalAdvance(button->text());
    mark->move(std::max(1, (button->width() - caption) / 2 - mark->width() - 3), top);
}

int TOrvellaForm::Today() const
{
    return platform_.Clock ? platform_.Clock->Now().Weekday : 0;
}

bool TOrvellaForm::IsUsableScheduleFile(const QString &path)
{
    if (path.isEmpty() || !platform_.Files || !platform_.Files->Exists(U(path)))
        return false;
    KScheduleFile peek(*platform_.Files, *platform_.Prompter);
    peek.SetLanguage(Language);
    return peek.PeekFrameCount(U(path)) != 0;
}

void TOrvellaForm::UpdateWeekButtons(const KWeekSchConfig &config)
{
    for (int i = 0; i < 7; ++i) {
        const QString path = Q(config.GetDayFile(i));
        WeekdayButtons[size_t(i)]->setEnabled(IsUsableScheduleFile(path));
        WeekdayButtons[size_t(i)]->setToolTip(KUiText::PlainToolTip(path));
    }
    const int today = Today();
    WkTodayButton->setEnabled(today >= 0 && today <= 6 && WeekdayButtons[size_t(today)]->isEnabled());
    TodayIndImage->hide();
    UpdateTodayIndicator();
}

void TOrvellaForm::DisableWeekButtons()
{
    for (QPushButton *b : WeekdayButtons)
        b->setEnabled(false);
    WkTodayButton->setEnabled(false);
}

void TOrvellaForm::ShowOpenedWeekday(int day)
{
    if (day >= 0 && day <= 6 && WeekdayButtons[size_t(day)]->isEnabled()) {
        PlaceWeekdayMark(WeekOpnIndImage, day, 4);
        WeekOpnIndImage->show();
        OpenedWeekday = day;
    } else {
        WeekOpnIndImage->hide();
        OpenedWeekday = 7;
    }
}

void TOrvellaForm::UpdateTodayIndicator()
{
    TickWeekPanel(Today());
}

void TOrvellaForm::TickWeekPanel(int weekday)
{
    if (weekday < 0 || weekday > 6)
        return;
    // The week view highlights today: after midnight, the next column (one draw a day).
    if (SchWeekView)
        SchWeekView->SetToday(weekday);
    // The today mark sits in the corner of today's button and follows midnight.
    PlaceWeekdayMark(TodayIndImage, weekday, 20);
    TodayIndImage->show();
}

bool TOrvellaForm::OpenWeekdaySchedule(int day, const KWeekSchConfig &config, bool changesConfirmed)
{
    if (day < 0 || day > 6)
        return false;
    const QString path = Q(config.GetDayFile(day));
    if (path.isEmpty())
        return false;
    if (!changesConfirmed) {
        if (!ConfirmQuitScheduling())
            return false;
        if (ConfirmSaveChanges() == KMsgAnswer::Cancel)
            return false;
    }
    if (OpenScheduleFile(path, false)) {
        ShowOpenedWeekday(day);
        return true;
    }
    WeekdayButtons[size_t(day)]->setEnabled(false);
    return false;
}

bool TOrvellaForm::OpenWeekdaySchedule(int day, const KWeekSchConfig &config)
{
    return OpenWeekdaySchedule(day, config, false);
}

bool TOrvellaForm::OpenWeekSchFile(const QString &path, bool addToLog, bool changesConfirmed)
{
    KFileSystem &files = *platform_.Files;
    if (path.isEmpty() || !files.Exists(U(path))) {
        ShowMessageCode(FileMissing, path);
        return false;
    }
    KWeekSchFile reader(files, *platform_.Prompter);
    reader.SetLanguage(Language);
    reader.SetFileName(U(path));
    if (!reader.ReadWeekSchedule()) {
        // The name of the week file in use changes only with a week file that was read.
        ShowMessageCode(reader.ErrorCode, path);
        return false;
    }
    if (addToLog)
        FileLogMenu->Add(path);
    WeekSchFileName = path;
    for (int d = 0; d < KWeekSchConfig::DayCount; ++d)
        WeekConfig.SetDayFile(d, reader.Config->GetDayFile(d));
    UpdateWeekButtons(WeekConfig);
    OpenedWeekday = Today();
    OpenWeekdaySchedule(Today(), WeekConfig, changesConfirmed);
    return true;
}

bool TOrvellaForm::OpenWeekSchFile(const QString &path, bool addToLog)
{
    return OpenWeekSchFile(path, addToLog, false);
}

void TOrvellaForm::SetAutoOpen(bool value, int source)
{
    WeekConfig.AutoOpen = value;
    if (source != 1) {
        const QSignalBlocker block(WkAutoOpenCheckBox);
        WkAutoOpenCheckBox->setChecked(value);
    }
}

void TOrvellaForm::WeekSelButtonClick(int day)
{
    OpenWeekdaySchedule(day, WeekConfig);
}

void TOrvellaForm::WkTodayButtonClick()
{
    OpenWeekdaySchedule(Today(), WeekConfig);
}

void TOrvellaForm::OptWkSchConfigExecute()
{
    TKWeekSchCfgDialog dialog(this, WeekConfig, Language, platform_);
    const QString first = !WeekSchFileName.isEmpty() ? WeekSchFileName : FileLogMenu->Path(0);
    if (!first.isEmpty()) {
        KWeekSchFile probe(*platform_.Files, *platform_.Prompter);
        if (probe.IsWeekScheduleFile(U(first)))
            dialog.LoadWeekFile(first);
    }
    dialog.exec();
    WeekSchFileName = dialog.WeekFileName;
}

void TOrvellaForm::OptWkSchAutoExecute()
{
    TKWeekSchCfgDialog dialog(this, WeekConfig, Language, platform_);
    if (dialog.exec() == QDialog::Accepted && dialog.Changed) {
        dialog.CopyDayFilesTo(WeekConfig);
        SetAutoOpen(WeekConfig.AutoOpen, 0);
    }
}

void TOrvellaForm::ViewTypeWeeklyExecute()
{
    if (!WeekSchOpen) {
        if (WeekSchFileName.isEmpty())
            ShowMessageCode(NoWeekFile);
        else if (OpenWeekSchFile(WeekSchFileName, false))
            SetWeekSchOpen(true);
    } else if (ConfirmQuitScheduling() && ConfirmSaveChanges() != KMsgAnswer::Cancel) {
        // Back to the day file opened directly. The shown schedule's file name changes
        // only when that file is read, so a later save cannot go to the wrong file.
        const QString dayFile = DayFileName.isEmpty() ? SchFileName : DayFileName;
        if (OpenScheduleFile(dayFile, false)) {
            ShowOpenedWeekday(7);
            SetWeekSchOpen(false);
            DisableWeekButtons();
        }
    }
    // The check mark shows whether a week schedule is in use, not the click.
    Action("ViewTypeWeekly")->setChecked(WeekSchOpen);
}

void TOrvellaForm::BindWeekCommands()
{
    for (int i = 0; i < 7; ++i)
        connect(WeekdayButtons[size_t(i)], &QPushButton::clicked, this, [this, i] { WeekSelButtonClick(i); });
    connect(WkTodayButton, &QToolButton::clicked, this, &TOrvellaForm::WkTodayButtonClick);
    connect(WkAutoOpenCheckBox, &QCheckBox::toggled, this, [this](bool on) { SetAutoOpen(on, 1); });
    connect(Action("OptWkSchConfig"), &QAction::triggered, this, &TOrvellaForm::OptWkSchConfigExecute);
    connect(Action("OptWkSchAuto"), &QAction::triggered, this, &TOrvellaForm::OptWkSchAutoExecute);
}
