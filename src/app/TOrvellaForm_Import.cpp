// File > Import iCalendar: one day of a calendar file as a new unsaved schedule.
#include "app/TOrvellaForm.h"

#include "app/dialogs/TKImportDateDialog.h"
#include "ical/core/KICalImport.h"
#include "ical/core/KICalTexts.h"
#include "listedit/KTScheduleItemPool.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KClock.h"
#include "platform/core/KFileDialogs.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KLocalZone.h"
#include "platform/qt/KQtText.h"

#include <QLineEdit>

namespace {
// How many left-out events the message lists by name.
constexpr size_t ListedSkipped = 12;
} // namespace

void TOrvellaForm::ImportICalendarExecute()
{
    if (!ConfirmQuitScheduling())
        return;
    if (ConfirmSaveChanges() == KMsgAnswer::Cancel)
        return;
    if (!platform_.FileDialogs)
        return;
    KFileDialogRequest request;
    request.Filter = Language == 1 ? u"iCalendar File (*.ics)|*.ics|All Files (*.*)|*.*"
                                   : u"iCalendar ファイル (*.ics)|*.ics|すべてのファイル (*.*)|*.*";
    request.FilterIndex = 1;
    const QString path = Q(platform_.FileDialogs->OpenFile(request));
    if (path.isEmpty())
        return;
    const KCivilDate today = platform_.Clock ? platform_.Clock->Now().Date : KCivilDate{};
    TKImportDateDialog dialog(this, Q(KPath::NameOf(U(path))), today);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ImportICalendar(path, dialog.Date());
}

bool TOrvellaForm::ImportICalendar(const QString &path, const KCivilDate &date)
{
    if (SchedulingMode || !platform_.Files)
        return false;
    static const KSystemLocalZone systemZone;
    const bool en = Language == 1;
    KICalImport::Options options;
    options.Date = date;
    options.Pool = &ItemPool->Core();
    options.FreeItem = en ? u"Free" : u"自由";
    options.UntitledItem = en ? u"(No title)" : u"（件名なし）";
    const KICalImportResult r = KICalImport::ImportFile(
        *platform_.Files, U(path), platform_.LocalZone ? *platform_.LocalZone : systemZone, options);
    const std::u16string caption = en ? u"Import iCalendar" : u"iCalendar から読み込み";
    if (r.Error != KICalImportError::None) {
        platform_.Prompter->Show(KMessageCatalog::Text(KMessageCatalog::CaptionError, Language),
                                 KICalTexts::Error(r, Language) + u"\n\n" + U(path), KMsgIcon::Error);
        return false;
    }

    // A new schedule that belongs to no file yet: saving asks for a name.
    ShownSchedule.AssignSchedule(r.Schedule);
    SchTitle = Q(r.Title);
    SchTitleEdit->setText(SchTitle);
    SchTitleEdit->setToolTip(QString());
    for (int i = 0; i < ShownSchedule.GetCount(); ++i) {
        const KScheduleFrame *f = ShownSchedule.GetFrame(i);
        if (ItemPool->AddItem(f->ItemName, f->Color) == KItemPoolCore::Full)
            break;
    }
    SchFileName.clear();
    ShowOpenedWeekday(7);
    SavedListRow = SavedListCol = 1;
    SwitchView(ViewType == vtWeek ? vtList : ViewType);
    AlarmResetPending = true;
    SchModified = true;

    if (!r.Skipped.empty()) {
        std::u16string text =
            en ? u"These events were not imported:\n" : u"次の予定は取り込みませんでした：\n";
        for (size_t i = 0; i < r.Skipped.size() && i < ListedSkipped; ++i)
            text += u"\n" + KICalTexts::SkippedLine(r.Skipped[i], Language);
        if (r.Skipped.size() > ListedSkipped) {
            const std::u16string more = U(QString::number(r.Skipped.size() - ListedSkipped));
            text += en ? u"\n… and " + more + u" more" : u"\n…ほか " + more + u" 件";
        }
        platform_.Prompter->Show(caption, text, KMsgIcon::Information);
    }
    return true;
}
