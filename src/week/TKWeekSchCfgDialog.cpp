#include "week/TKWeekSchCfgDialog.h"

#include "model/KMessageCatalog.h"
#include "platform/core/KFileDialogs.h"
#include "platform/qt/KQtText.h"
#include "platform/qt/KUiText.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

using namespace KMessageCatalog;

TKWeekSchCfgDialog::TKWeekSchCfgDialog(QWidget *owner, const KWeekSchConfig &config, int language,
                                       const KPlatform &platform)
    : QDialog(owner), Language(language), platform_(platform)
{
    (void)config; // the days shown come from the week file the window loads
    setObjectName("TKWeekSchCfgDialog");
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);

    MenuPanel = new QFrame(this);
    MenuPanel->setObjectName("MenuPanel");
    MenuPanel->setFrameShape(QFrame::StyledPanel);
    MenuPanel->setFrameShadow(QFrame::Raised);
    MenuPanel->setGeometry(0, 0, 364, 26);

    QAction *newAction = MakeAction("NewWeekSch", "新規作成");
    QAction *openAction = MakeAction("OpenWeekSch", "開く");
    QAction *saveAction = MakeAction("Save", "上書き保存");
    saveAction->setShortcut(QKeySequence("Ctrl+S"));
    QAction *saveAsAction = MakeAction("SaveAs", "名前を付けて保存");
    MakeAction("FileMenu", "ファイル(&F)");
    QAction *closeAction = MakeAction("CloseDialog", "閉じる");
    QAction *autoRead = MakeAction("OpenAutoRdWeekSch", "起動時読込週間スケジュール ファイルを開く(&W)");
    newAction->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    openAction->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    saveAction->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    saveAsAction->setIcon(style()->standardIcon(QStyle::SP_DriveFDIcon));
    connect(newAction, &QAction::triggered, this, &TKWeekSchCfgDialog::NewWeekSchExecute);
    connect(openAction, &QAction::triggered, this, &TKWeekSchCfgDialog::OpenWeekSchExecute);
    connect(saveAction, &QAction::triggered, this, &TKWeekSchCfgDialog::SaveExecute);
    connect(saveAsAction, &QAction::triggered, this, &TKWeekSchCfgDialog::SaveAsExecute);
    connect(closeAction, &QAction::triggered, this, &TKWeekSchCfgDialog::CloseDialogExecute);
    connect(autoRead, &QAction::triggered, this, &TKWeekSchCfgDialog::OpenAutoRdWeekSchExecute);

    const struct {
        QToolButton **button;
        const char *name;
        QAction *action;
        int left;
    } speed[] = {{&NewWeekSchButton, "NewWeekSchButton", newAction, 22},
                 {&OpenWeekSchButton, "OpenWeekSchButton", openAction, 63},
                 {&SpeedButton3, "SpeedButton3", saveAction, 112},
                 {&SpeedButton1, "SpeedButton1", saveAsAction, 160}};
    for (const auto &s : speed) {
        auto *b = new QToolButton(MenuPanel);
        b->setObjectName(s.name);
        b->setAutoRaise(true);
        b->setDefaultAction(s.action);
        b->setGeometry(s.left, 1, 24, 24);
        *s.button = b;
    }

    WeekSchListPanel = new QFrame(this);
    WeekSchListPanel->setObjectName("WeekSchListPanel");
    WeekSchListPanel->setFrameShape(QFrame::StyledPanel);
    WeekSchListPanel->resize(364, 245);
    Label1 = new QLabel("週間スケジュール ファイル", WeekSchListPanel);
    Label1->setGeometry(12, 8, 200, 18);
    FileNameEdit = new QLineEdit(WeekSchListPanel);
    FileNameEdit->setObjectName("FileNameEdit");
    FileNameEdit->setReadOnly(true);
    FileNameEdit->setFrame(false);
    FileNameEdit->setBackgroundRole(QPalette::Button);
    FileNameEdit->setGeometry(12, 28, 340, 21);

    static const char *const panelNames[7] = {"PanelSun", "PanelMon", "PanelTue", "PanelWed",
                                              "PanelThu", "PanelFri", "PanelSat"};
    static const char *const dayKeys[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int d = 0; d < 7; ++d) {
        auto *row = new QFrame(WeekSchListPanel);
        row->setObjectName(panelNames[d]);
        row->setGeometry(4, 60 + 26 * d, 356, 26);
        DayPanels[size_t(d)] = row;
        auto *label = new QLabel(row);
        label->setObjectName(QString("%1Label").arg(dayKeys[d]));
        label->setGeometry(8, 4, 40, 18);
        DayLabels[size_t(d)] = label;
        auto *edit = new QLineEdit(row);
        edit->setObjectName(QString("%1FileNameEdit").arg(dayKeys[d]));
        edit->setGeometry(50, 2, 260, 21);
        edit->installEventFilter(this);
        DayFileNameEdits[size_t(d)] = edit;
        auto *open = new QToolButton(row);
        open->setObjectName(QString("%1OpenFileButton").arg(dayKeys[d]));
        open->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        open->setGeometry(316, 2, 33, 21);
        connect(open, &QToolButton::clicked, this, [this, d] { openFileButtonClick(d); });
        DayOpenFileButtons[size_t(d)] = open;
    }

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    CancelBtn = new QPushButton("キャンセル", this);
    CancelBtn->setObjectName("CancelBtn");
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    OpenPopupMenu = new QMenu(this);
    OpenPopupMenu->setObjectName("OpenPopupMenu");
    OpenPopupMenu->addAction(newAction);
    OpenPopupMenu->addAction(openAction);
    OpenPopupMenu->addAction(autoRead);
    OpenPopupMenu->addSeparator();
    OpenPopupMenu->addAction(saveAction);
    OpenPopupMenu->addAction(saveAsAction);
    OpenPopupMenu->addSeparator();
    OpenPopupMenu->addAction(closeAction);

    ApplyDialogLanguage();
}

QAction *TKWeekSchCfgDialog::MakeAction(const char *name, const QString &caption)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    addAction(a);
    return a;
}

void TKWeekSchCfgDialog::ApplyDialogLanguage()
{
    const bool en = Language == 1;
    WeekSchListPanel->move(0, MenuPanel->y() + MenuPanel->height());
    const int buttonTop = WeekSchListPanel->y() + WeekSchListPanel->height() + 4;
    const int buttonHeight = 25;
    CancelBtn->setGeometry(WeekSchListPanel->width() - 8 - 80, buttonTop, 80, buttonHeight);
    OKBtn->setGeometry(CancelBtn->x() - 8 - 80, buttonTop, 80, buttonHeight);
    setFixedSize(WeekSchListPanel->width(),
                 WeekSchListPanel->y() + WeekSchListPanel->height() + buttonHeight + 8);
    setWindowTitle(en ? "Create Weekly Schedule" : "週間スケジュール作成");
    static const char *const ja[7] = {"日", "月", "火", "水", "木", "金", "土"};
    static const char *const enNames[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    for (int d = 0; d < 7; ++d) {
        DayLabels[size_t(d)]->setText(QString::fromUtf8(en ? enNames[d] : ja[d]));
        DayFileNameEdits[size_t(d)]->setReadOnly(true);
    }
}

QString TKWeekSchCfgDialog::FileNameOf(const QString &path)
{
    return Q(KPath::NameOf(U(path)));
}

QString TKWeekSchCfgDialog::WeekFilter() const
{
    return Language == 1 ? "Week Schedule File (*.orw)|*.orw|All Files (*.*)|*.*"
                         : "週間スケジュール・ファイル (*.orw)|*.orw|すべてのファイル (*.*)|*.*";
}

QString TKWeekSchCfgDialog::DayFilter() const
{
    return Language == 1 ? "Schedule File (*.ors)|*.ors|All Files (*.*)|*.*"
                         : "スケジュール・ファイル (*.ors)|*.ors|すべてのファイル (*.*)|*.*";
}

void TKWeekSchCfgDialog::LoadWeekFile(const QString &path)
{
    if (path == WeekFileName)
        return;
    if (!path.isEmpty()) {
        if (!platform_.Files->Exists(U(path))) {
            ShowDialogMessage(FileMissing, path);
            return;
        }
        KWeekSchFile reader(*platform_.Files, *platform_.Prompter);
        reader.SetLanguage(Language);
        reader.SetFileName(U(path));
        if (!reader.ReadWeekSchedule()) {
            // The rows and the name stay as they were, so a later save cannot write
            // them over a file that was never read.
            ShowDialogMessage(reader.ErrorCode, QString());
            return;
        }
        for (int d = 0; d < 7; ++d)
            SetDayFileEntry(d, Q(reader.Config->GetDayFile(d)));
    }
    WeekFileName = path;
    FileNameEdit->setText(FileNameOf(path));
    FileNameEdit->setToolTip(KUiText::PlainToolTip(path));
}

void TKWeekSchCfgDialog::SetDayFileEntry(int day, const QString &path)
{
    if (day < 0 || day > 6)
        return;
    DayFiles[size_t(day)] = path;
    DayFileNameEdits[size_t(day)]->setText(FileNameOf(path));
    DayFileNameEdits[size_t(day)]->setToolTip(KUiText::PlainToolTip(path));
}

bool TKWeekSchCfgDialog::WriteWeekFile(const QString &path)
{
    KWeekSchConfig config;
    CopyDayFilesTo(config);
    KWeekSchFile writer(*platform_.Files, *platform_.Prompter);
    writer.SetLanguage(Language);
    writer.WriteFlags = KWriteBackup;
    writer.SetFileName(U(path));
    writer.WriteWeekSchedule(config);
    // A failed write has been reported by the file layer; the choices stay unsaved.
    if (writer.ErrorCode != 0)
        return false;
    Saved = true;
    return true;
}

void TKWeekSchCfgDialog::CopyDayFilesTo(KWeekSchConfig &config) const
{
    for (int d = 0; d < 7; ++d)
        config.SetDayFile(d, U(DayFiles[size_t(d)]));
}

QString TKWeekSchCfgDialog::appendWeekSchFileExtension(const QString &path)
{
    return KPath::ExtensionOf(U(path)).empty() ? path + ".orw" : path;
}

KMsgAnswer TKWeekSchCfgDialog::ShowDialogMessage(int number, const QString &path, KMsgButtons buttons)
{
    return platform_.Prompter->Ask(Text(CaptionError, Language),
                                   ComposeWithFileName(number, U(path), Language), KMsgIcon::None, buttons);
}

bool TKWeekSchCfgDialog::IsUsableScheduleFile(const QString &path)
{
    if (path.isEmpty() || !platform_.Files->Exists(U(path)))
        return false;
    KScheduleFile peek(*platform_.Files, *platform_.Prompter);
    peek.SetLanguage(Language);
    return peek.PeekFrameCount(U(path)) != 0;
}

void TKWeekSchCfgDialog::NewWeekSchExecute()
{
    for (int d = 0; d < 7; ++d)
        SetDayFileEntry(d, QString());
    LoadWeekFile(QString());
}

void TKWeekSchCfgDialog::OpenWeekSchExecute()
{
    if (!platform_.FileDialogs)
        return;
    KFileDialogRequest request;
    request.Filter = U(WeekFilter());
    request.FilterIndex = 1;
    const QString path = Q(platform_.FileDialogs->OpenFile(request));
    if (path.isEmpty())
        return;
    if (platform_.Files->Exists(U(path)))
        LoadWeekFile(path);
    else
        ShowDialogMessage(FileMissing, path);
}

void TKWeekSchCfgDialog::openFileButtonClick(int day)
{
    if (day < 0 || day > 6 || !platform_.FileDialogs)
        return;
    KFileDialogRequest request;
    request.Filter = U(DayFilter());
    request.FilterIndex = 1;
    request.FileName = U(DayFileNameEdits[size_t(day)]->text());
    const QString path = Q(platform_.FileDialogs->OpenFile(request));
    if (!path.isEmpty()) {
        if (!IsUsableScheduleFile(path)) {
            ShowDialogMessage(DamagedFile, path);
        } else {
            SetDayFileEntry(day, path);
            Changed = true;
            Saved = false;
        }
    }
    raise();
    activateWindow();
}

void TKWeekSchCfgDialog::DaySchFileNameEditKeyDown()
{
    platform_.Prompter->Show(Text(CaptionError, Language), Text(SelectWithFileButton, Language));
}

bool TKWeekSchCfgDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        for (QLineEdit *edit : DayFileNameEdits) {
            if (watched == edit) {
                const int key = static_cast<QKeyEvent *>(event)->key();
                // Moving between the controls stays possible.
                if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape ||
                    key == Qt::Key_Return || key == Qt::Key_Enter)
                    return false;
                DaySchFileNameEditKeyDown();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TKWeekSchCfgDialog::SaveExecute()
{
    if (WeekFileName.isEmpty()) {
        SaveAsExecute();
        return;
    }
    const std::u16string path = U(WeekFileName);
    if (platform_.Files->Exists(path) && !platform_.Files->IsReadOnly(path))
        WriteWeekFile(WeekFileName);
    else
        ShowDialogMessage(platform_.Files->Exists(path) ? ReadOnlyFile : FileMissing, WeekFileName);
}

void TKWeekSchCfgDialog::SaveAsExecute()
{
    if (!platform_.FileDialogs)
        return;
    KFileDialogRequest request;
    request.Filter = U(WeekFilter());
    request.FilterIndex = 1;
    QString path = Q(platform_.FileDialogs->SaveFile(request));
    if (path.isEmpty())
        return;
    path = appendWeekSchFileExtension(path);
    if (platform_.Files->Exists(U(path))) {
        const KMsgAnswer a = ShowDialogMessage(ReplacePrompt, path, KMsgButtons::YesNoCancel);
        if (a == KMsgAnswer::Cancel)
            return;
        if (a == KMsgAnswer::Yes && !WriteWeekFile(path))
            return;
    } else if (!WriteWeekFile(path)) {
        return;
    }
    CloseDialogExecute();
}

bool TKWeekSchCfgDialog::CanCloseDialog()
{
    if (Saved || !Changed)
        return true;
    const bool en = Language == 1;
    const KMsgAnswer a = platform_.Prompter->Ask(en ? u"Orvella" : u"スケジューラー",
                                                 en ? u"The week schedule has been changed. Save the change?"
                                                    : u"週間スケジュールが変更されています。保存しますか？",
                                                 KMsgIcon::Question, KMsgButtons::YesNoCancel);
    if (a == KMsgAnswer::Cancel)
        return false;
    if (a == KMsgAnswer::No)
        return true;
    if (WeekFileName.isEmpty())
        SaveAsExecute();
    else
        SaveExecute();
    // Closing after a cancelled or failed save would lose the choices.
    if (!Saved)
        return false;
    Changed = false;
    return true;
}

void TKWeekSchCfgDialog::CloseDialogExecute()
{
    if (isVisible())
        reject();
    else if (CanCloseDialog())
        QDialog::done(Rejected);
}

void TKWeekSchCfgDialog::done(int result)
{
    if (!CanCloseDialog())
        return;
    QDialog::done(result);
}

void TKWeekSchCfgDialog::OpenAutoRdWeekSchExecute()
{
    if (!AutoReadFile.isEmpty())
        LoadWeekFile(AutoReadFile);
    else
        ShowDialogMessage(NoAutoReadFile, QString());
}
