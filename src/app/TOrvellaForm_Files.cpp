// File commands: new, open, save, save as, the recent-files list and the prompts that
// protect unsaved changes.
#include "app/TOrvellaForm.h"

#include "app/KTFileLogOnMenu.h"
#include "listedit/KTScheduleItemPool.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KFileDialogs.h"
#include "platform/qt/KQtText.h"
#include "platform/qt/KUiText.h"
#include "storage/KFileKind.h"
#include "storage/KScheduleFile.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

using namespace KMessageCatalog;

KMsgAnswer TOrvellaForm::ConfirmSaveChanges()
{
    if (!SchModified)
        return KMsgAnswer::Yes;
    const KMsgAnswer a = platform_.Prompter->Ask(Text(CaptionNew, Language), Text(SavePrompt, Language),
                                                 KMsgIcon::Question, KMsgButtons::YesNoCancel);
    if (a != KMsgAnswer::Yes)
        return a == KMsgAnswer::No ? KMsgAnswer::No : KMsgAnswer::Cancel;
    return OverwriteSchedule();
}

int TOrvellaForm::CheckFileKind(const QString &path)
{
    switch (::CheckFileKind(*platform_.Files, U(path))) {
    case KFileKind::Schedule:
        return 0;
    case KFileKind::Week:
        return 1;
    default:
        return 2;
    }
}

bool TOrvellaForm::OpenScheduleFile(const QString &path, bool addToLog)
{
    KFileSystem &files = *platform_.Files;
    if (path.isEmpty() || !files.Exists(U(path))) {
        ShowMessageCode(FileMissing, path);
        return false;
    }
    KScheduleFile reader(files, *platform_.Prompter);
    reader.SetLanguage(Language);
    reader.SetFileName(U(path));
    if (!reader.ReadSchedule()) {
        ShowMessageCode(reader.ErrorCode, path);
        return false;
    }
    // Only a file that opened is offered again.
    if (addToLog)
        FileLogMenu->Add(path);
    SchFileName = path;
    ShownSchedule.AssignSchedule(*reader.Schedule);
    SchTitle = Q(reader.Title);
    SchTitleEdit->setText(SchTitle);
    for (int i = 0; i < ShownSchedule.GetCount(); ++i) {
        const KScheduleFrame *f = ShownSchedule.GetFrame(i);
        if (ItemPool->AddItem(f->ItemName, f->Color) == KItemPoolCore::Full)
            break;
    }
    SavedListRow = SavedListCol = 1;
    SwitchView(ViewType);
    AlarmResetPending = true;
    SchModified = false;
    SchTitleEdit->setToolTip(KUiText::PlainToolTip(path));
    ShowFileInTitle();
    return true;
}

void TOrvellaForm::SetWeekSchOpen(bool open)
{
    WeekSchOpen = open;
    QAction *weekly = Action("ViewTypeWeekly");
    if (open)
        weekly->setEnabled(true);
    weekly->setChecked(open);
    // The week view shows the week schedule's days: it goes when the week schedule does.
    Action("ViewTypeWeekView")->setEnabled(open);
    if (!open && ViewType == vtWeek)
        SwitchView(vtList);
}

void TOrvellaForm::OpenFileOfAnyKind(const QString &path)
{
    // The callers have asked about unsaved changes already.
    switch (CheckFileKind(path)) {
    case 0:
        if (OpenScheduleFile(path, true)) {
            DayFileName = SchFileName;
            ShowOpenedWeekday(7);
            SetWeekSchOpen(false);
        }
        break;
    case 1:
        if (OpenWeekSchFile(path, true, true))
            SetWeekSchOpen(true);
        break;
    default:
        ShowMessageCode(UnknownKindCode(*platform_.Files, U(path), DamagedFile), path);
        break;
    }
}

void TOrvellaForm::FileOpenExecute()
{
    if (!ConfirmQuitScheduling())
        return;
    if (ConfirmSaveChanges() == KMsgAnswer::Cancel)
        return;
    KFileDialogRequest request;
    request.Filter = Language == 1
                         ? u"All Scheduler Files (*.ors, *.orw)|*.ors;*.orw|Schedule File "
                           u"(*.ors)|*.ors|Week Schedule File (*.orw)|*.orw|All Files (*.*)|*.*"
                         : u"すべてのスケジューラー・ファイル (*.ors, *.orw)|*.ors;*.orw|スケジュール・"
                           u"ファイル (*.ors)|*.ors|週間スケジュール・ファイル (*.orw)|*.orw|すべての"
                           u"ファイル (*.*)|*.*";
    request.FilterIndex = 1;
    if (!platform_.FileDialogs)
        return;
    const QString name = Q(platform_.FileDialogs->OpenFile(request));
    if (name.isEmpty())
        return;
    OpenFileOfAnyKind(name);
}

void TOrvellaForm::OpenRecentFile(const QString &path)
{
    if (path.isEmpty())
        return;
    if (!ConfirmQuitScheduling())
        return;
    if (ConfirmSaveChanges() == KMsgAnswer::Cancel)
        return;
    OpenFileOfAnyKind(path);
}

void TOrvellaForm::NewSchedule()
{
    KDaySchedule *target = &ShownSchedule;
    if (SchedulingMode) {
        if (platform_.Prompter->Ask(Text(CaptionNew, Language), Text(NewInSchedulingPrompt, Language),
                                    KMsgIcon::Question, KMsgButtons::YesNo) != KMsgAnswer::Yes)
            return;
        if (EditSchedule)
            target = EditSchedule;
    } else if (SchModified) {
        const KMsgAnswer a = platform_.Prompter->Ask(Text(CaptionNew, Language), Text(SavePrompt, Language),
                                                     KMsgIcon::Question, KMsgButtons::YesNoCancel);
        if (a == KMsgAnswer::Cancel || (a == KMsgAnswer::Yes && OverwriteSchedule() != KMsgAnswer::Yes))
            return;
    }
    target->ClearFrames();
    AddDefaultFrame(*target);
    if (target == EditSchedule)
        WorkingCopyReplaced();
    SchTitle.clear();
    SchTitleEdit->setText(SchTitle);
    SchTitleEdit->setToolTip(QString());
    SwitchView(ViewType);
    SchFileName.clear();
    ShowFileInTitle();
    ShowOpenedWeekday(7);
    AlarmResetPending = true;
}

KMsgAnswer TOrvellaForm::OverwriteSchedule()
{
    if (SchFileName.isEmpty()) {
        FileSaveAsExecute();
        // A declined replace or a failed write keeps the changes unsaved: a pending close
        // or open must not go on.
        return SaveAsCancelled || !saveAsWritten_ ? KMsgAnswer::Cancel : KMsgAnswer::Yes;
    }
    KFileSystem &files = *platform_.Files;
    const std::u16string path = U(SchFileName);
    if (!files.Exists(path)) {
        ShowMessageCode(FileMissing, SchFileName);
        return KMsgAnswer::Cancel;
    }
    KScheduleFile writer(files, *platform_.Prompter);
    writer.SetLanguage(Language);
    writer.WriteFlags = KWriteBackup;
    const QString title = ScheduleTitle();
    writer.SetTitle(U(title));
    writer.SetFileName(path);
    // A read-only file, another user's file or a link loop is refused before anything else.
    if (const int32_t refused = writer.CheckReplaceable(path); refused != NoError) {
        ShowMessageCode(refused, SchFileName);
        return KMsgAnswer::Cancel;
    }
    if (SchedulingMode && !ApplyEditsForSave())
        return KMsgAnswer::Cancel;
    writer.WriteSchedule(ShownSchedule);
    if (writer.ErrorCode != 0)
        return KMsgAnswer::Cancel;
    MarkSaved(title);
    return KMsgAnswer::Yes;
}

void TOrvellaForm::FileSaveAsExecute()
{
    saveAsWritten_ = false;
    KFileDialogRequest request;
    request.FileName = U(SchFileName);
    request.Filter = Language == 1 ? u"Scheduler File (*.ors)|*.ors|All Files (*.*)|*.*"
                                   : u"スケジューラー・ファイル (*.ors)|*.ors|すべてのファイル (*.*)|*.*";
    request.FilterIndex = 1;
    const QString name = platform_.FileDialogs ? Q(platform_.FileDialogs->SaveFile(request)) : QString();
    if (name.isEmpty()) {
        SaveAsCancelled = true;
        return;
    }
    SaveAsCancelled = false;
    SaveScheduleAs(name);
}

QString TOrvellaForm::EnsureDtsExtension(const QString &name)
{
    if (KPath::ExtensionOf(U(name)).empty())
        return name + ".ors";
    return name;
}

void TOrvellaForm::SaveScheduleAs(const QString &name)
{
    saveAsWritten_ = false;
    // Edits the check keeps back are not saved.
    if (SchedulingMode && !ApplyEditsForSave())
        return;
    KScheduleFile writer(*platform_.Files, *platform_.Prompter);
    writer.SetLanguage(Language);
    writer.WriteFlags = KWriteBackup | KWriteConfirm;
    const QString title = ScheduleTitle();
    writer.SetTitle(U(title));
    const QString target = EnsureDtsExtension(name);
    writer.SetFileName(U(target));
    writer.WriteSchedule(ShownSchedule);
    // Declined (8) or failed: the schedule still belongs to its old file and stays changed.
    if (writer.ErrorCode != 0)
        return;
    saveAsWritten_ = true;
    SchFileName = target;
    SchTitleEdit->setToolTip(KUiText::PlainToolTip(target));
    MarkSaved(title);
    ShowFileInTitle();
    // The file saved last is the one the next start opens.
    FileLogMenu->Add(target);
    if (!WeekSchOpen)
        DayFileName = SchFileName;
}

QString TOrvellaForm::ScheduleTitle() const
{
    return SchedulingMode ? SchTitleEdit->text() : SchTitle;
}

void TOrvellaForm::MarkSaved(const QString &title)
{
    SchModified = false;
    if (!SchedulingMode)
        return;
    // Leaving the mode without further edits changes nothing that is not saved.
    schModifiedBeforeMode_ = false;
    SchTitle = title;
}

bool TOrvellaForm::ApplyEditsForSave()
{
    return ApplyForSave();
}

void TOrvellaForm::BindFileCommands()
{
    // The recent files go just above the last item (Exit).
    FileLogMenu = new KTFileLogOnMenu(FILE_Menu, int(FILE_Menu->actions().size()) - 1,
                                      KTFileLogOnMenu::DefaultCapacity, this);
    FileLogMenu->OnClick = [this](const QString &path) { OpenRecentFile(path); };
    connect(Action("FileNew1"), &QAction::triggered, this, &TOrvellaForm::NewSchedule);
    connect(Action("FileOpen"), &QAction::triggered, this, &TOrvellaForm::FileOpenExecute);
    connect(Action("FileOverwrite1"), &QAction::triggered, this, [this] { OverwriteSchedule(); });
    connect(Action("FileSaveAs1"), &QAction::triggered, this, &TOrvellaForm::FileSaveAsExecute);
    connect(Action("FileImportICal"), &QAction::triggered, this, &TOrvellaForm::ImportICalendarExecute);
}
