// The window's controls, actions, menus and button hints.
#include "app/KMenuBarKeys.h"
#include "app/KToolIcons.h"
#include "app/TOrvellaForm.h"

#include "platform/qt/KFontMap.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace {
QFrame *MakePanel(QWidget *parent, const char *name, int w, int h)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->resize(w, h);
    return panel;
}

QToolButton *MakeSpeedButton(QWidget *parent, const char *name, int x, int w = 40, int h = 30)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(x, 0, w, h);
    button->setAutoRaise(true);
    button->setIconSize(QSize(20, 20));
    return button;
}
} // namespace

QAction *TOrvellaForm::Action(const char *name) const
{
    return findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

QAction *TOrvellaForm::MakeAction(const char *name, const QString &caption, const QString &shortcut)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
        action->setShortcutContext(Qt::WindowShortcut);
    }
    addAction(action); // shortcuts work also while the menu bar is removed
    return action;
}

void TOrvellaForm::BuildControls()
{
    PanelMainView_1 = new QWidget(this);
    PanelMainView_1->setObjectName("PanelMainView_1");
    setCentralWidget(PanelMainView_1);

    ControlPanel1 = MakePanel(PanelMainView_1, "ControlPanel1", 350, 30);
    FileNewButton = MakeSpeedButton(ControlPanel1, "FileNewButton", 0);
    FileOpenButton = MakeSpeedButton(ControlPanel1, "FileOpenButton", 40);
    FileSaveButton = MakeSpeedButton(ControlPanel1, "FileSaveButton", 80);
    auto *separator = new QFrame(ControlPanel1);
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setGeometry(122, 3, 6, 24);
    SchListViewButton = MakeSpeedButton(ControlPanel1, "SchListViewButton", 130);
    SchPieViewButton = MakeSpeedButton(ControlPanel1, "SchPieViewButton", 170);
    SchTimelineViewButton = MakeSpeedButton(ControlPanel1, "SchTimelineViewButton", 210);
    SchCountViewButton = MakeSpeedButton(ControlPanel1, "SchCountViewButton", 250);
    WeekSchCountViewButton = MakeSpeedButton(ControlPanel1, "WeekSchCountViewButton", 290);

    ControlPanel2 = MakePanel(PanelMainView_1, "ControlPanel2", 400, 30);
    EnterEditSchButton = MakeSpeedButton(ControlPanel2, "EnterEditSchButton", 0, 80);
    ExitEditSchButton = MakeSpeedButton(ControlPanel2, "ExitEditSchButton", 0, 80);
    for (QToolButton *b : {EnterEditSchButton, ExitEditSchButton})
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    EditAddButton = MakeSpeedButton(ControlPanel2, "EditAddButton", 90);
    EditInsButton = MakeSpeedButton(ControlPanel2, "EditInsButton", 130);
    EditDelButton = MakeSpeedButton(ControlPanel2, "EditDelButton", 170);
    EditCancelButton = MakeSpeedButton(ControlPanel2, "EditCancelButton", 220);

    WeekPanel = MakePanel(PanelMainView_1, "WeekPanel", 400, 32);
    WkTodayButton = new QToolButton(WeekPanel);
    WkTodayButton->setObjectName("WkTodayButton");
    static const char *const dayNames[7] = {"WkSunButton", "WkMonButton", "WkTueButton", "WkWedButton",
                                            "WkThuButton", "WkFriButton", "WkSatButton"};
    for (int i = 0; i < 7; ++i) {
        WeekdayButtons[size_t(i)] = new QPushButton(WeekPanel);
        WeekdayButtons[size_t(i)]->setObjectName(dayNames[i]);
    }
    WeekSchFileOpenButton = new QToolButton(WeekPanel);
    WeekSchFileOpenButton->setObjectName("WeekSchFileOpenButton");
    WeekSchFileOpenButton->setText("週間スケジュール");
    WeekSchFileOpenButton->hide();
    WkAutoOpenCheckBox = new QCheckBox("起動時読込み", WeekPanel);
    WkAutoOpenCheckBox->setObjectName("WkAutoOpenCheckBox");
    WkAutoOpenCheckBox->hide();
    AlarmSoundStopButton = new QPushButton("アラーム音 停止", WeekPanel);
    AlarmSoundStopButton->setObjectName("AlarmSoundStopButton");

    SchTitlePanel = MakePanel(PanelMainView_1, "SchTitlePanel", 400, 32);
    SchTitleEdit = new QLineEdit(SchTitlePanel);
    SchTitleEdit->setObjectName("SchTitleEdit");

    SchModDispBarPanel = MakePanel(PanelMainView_1, "SchModDispBarPanel", 400, 6);
    SchModDispBarPanel->setAutoFillBackground(true);

    SchListPanel = MakePanel(PanelMainView_1, "SchListPanel", 400, 400);
    SchListPanel->setAutoFillBackground(true);
    QPalette white = SchListPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    SchListPanel->setPalette(white);

    // Skin controls live in the list panel.
    EnterSkinModeButton = MakeSpeedButton(SchListPanel, "EnterSkinModeButton", 0, 24, 24);
    ExitSkinModeButton = MakeSpeedButton(SchListPanel, "ExitSkinModeButton", 0, 24, 24);
    EnterSkinModeButton->setIcon(KToolIcons::Icon(KToolIcons::SkinEnter));
    ExitSkinModeButton->setIcon(KToolIcons::Icon(KToolIcons::SkinExit));
    SkinModeClockLabel = new QLabel("00:00:00", SchListPanel);
    SkinModeClockLabel->setObjectName("SkinModeClockLabel");
    QFont clockFont = KFontMap::PixelFont("Verdana", 12, true);
    clockFont.setItalic(true);
    SkinModeClockLabel->setFont(clockFont);
    SkinModeClockLabel->setAlignment(Qt::AlignCenter);
    SkinModeClockLabel->hide();

    // The two week indicators: small squares without a parent until placed on a button.
    TodayIndImage = new QFrame(WeekPanel);
    TodayIndImage->setObjectName("TodayIndImage");
    WeekOpnIndImage = new QFrame(WeekPanel);
    WeekOpnIndImage->setObjectName("WeekOpnIndImage");
}

QColorDialog *TOrvellaForm::ColorDialog()
{
    // The colour dialog the list uses to choose a frame's colour, made when first needed.
    if (!ColorDialog1) {
        ColorDialog1 = new QColorDialog(this);
        ColorDialog1->setObjectName("ColorDialog1");
    }
    return ColorDialog1;
}

void TOrvellaForm::BuildActions()
{
    using KToolIcons::Icon;
    // File.
    MakeAction("FileNew1", "新規作成", "Ctrl+N")->setIcon(Icon(KToolIcons::FileNew));
    MakeAction("FileOpen", "開く(&O)...", "Ctrl+O")->setIcon(Icon(KToolIcons::FileOpen));
    MakeAction("FileImportICal", "iCalendar から読み込み(&I)...");
    MakeAction("FileOverwrite1", "上書き保存(&S)", "Ctrl+S")->setIcon(Icon(KToolIcons::FileSave));
    MakeAction("FileSaveAs1", "名前を付けて保存(&A)...", "Ctrl+A");
    MakeAction("FilePageSetup1", "ページの設定(&U)...");
    MakeAction("FilePrintSetup1", "プリンタの設定(&U)...");
    MakeAction("FilePrint1", "印刷(&P)...", "Ctrl+P");
    MakeAction("FileExit1", "終了(&X)");
    MakeAction("FileImport1", "インポート(&I)");
    MakeAction("FileExport1", "エクスポート(&E)");
    MakeAction("FileWeekSchOpen", "週間スケジュール");

    // Edit.
    QAction *scheduling = MakeAction("EditScheduling", "スケジュール作成(&G)...", "Ctrl+G");
    scheduling->setCheckable(true);
    scheduling->setIcon(Icon(KToolIcons::EnterScheduling));
    MakeAction("EditAddSch", "スケジュール追加(&A)")->setIcon(Icon(KToolIcons::Add));
    MakeAction("EditInsSch", "スケジュール挿入(&I)")->setIcon(Icon(KToolIcons::Insert));
    MakeAction("EditDeleteSch", "スケジュール削除(&R)")->setIcon(Icon(KToolIcons::Delete));
    MakeAction("EditCancel", "&キャンセル")->setIcon(Icon(KToolIcons::Cancel));
    MakeAction("EditSetChroTimeSTFixDT", "開始時刻 <- 直前の終了時間／時間固定(&J)");
    MakeAction("EditSetChroTimeSTFixET", "開始時刻 <- 直前の終了時間／終了時刻固定(&K)");
    MakeAction("EditSetChroTimeETFixDT", "終了時刻 <- 直後の開始時間／時間固定(&O)");
    MakeAction("EditSetChroTimeETFixST", "終了時刻 <- 直後の開始時間／開始時間固定(&P)");
    MakeAction("EditSetChroTimeDT", "開始、終了時刻　<- 直前、直後時刻(&V)");
    MakeAction("EditCopy", "コピー(&C)");
    MakeAction("EditCut", "切り取り(&X)");
    MakeAction("EditDelete", "削除(&D)");
    MakeAction("EditPaste", "貼り付け(&P)");

    // View.
    MakeAction("ViewTypeWeekly", "週間表示(&X)")->setCheckable(true);
    auto *views = new QActionGroup(this);
    const struct {
        const char *name;
        const char *caption;
        KToolIcons::Kind icon;
    } viewActions[] = {
        {"ViewTypeList", "リスト(&L)", KToolIcons::ViewList},
        {"ViewTypePie", "円グラフ(&P)", KToolIcons::ViewPie},
        {"ViewTypeVTimeline", "時間軸（縦）グラフ(&T)", KToolIcons::ViewTimeline},
        {"ViewTypeSchCount", "集計(&C)", KToolIcons::ViewCount},
    };
    for (const auto &v : viewActions) {
        QAction *a = MakeAction(v.name, QString::fromUtf8(v.caption));
        a->setIcon(Icon(v.icon));
        a->setCheckable(true);
        views->addAction(a);
    }
    // The seven days of the open week schedule side by side; only with a week schedule open.
    QAction *weekView = MakeAction("ViewTypeWeekView", "週間グラフ(&E)");
    weekView->setCheckable(true);
    weekView->setEnabled(false);
    views->addAction(weekView);
    MakeAction("ViewTypeWeekSchCount", "週間スケジュール集計(&W)")->setIcon(Icon(KToolIcons::ViewWeekCount));
    MakeAction("ViewOneHourGScale", "グラフ 毎時間表示(&G)")->setCheckable(true);
    MakeAction("OptCTimeMark", "現在時刻マーク(&R)")->setCheckable(true);
    Action("OptCTimeMark")->setChecked(true);
    MakeAction("ViewStartWithLastView", "表示タイプ記憶(&M)")->setCheckable(true);
    MakeAction("ViewSkinMode", "スキン表示(&K)");
    clockGroup_ = new QActionGroup(this);
    for (const auto &[name, caption] :
         {std::pair{"OptClock12H", "１２Ｈ(&1)"}, {"OptClock24H", "２４Ｈ(&2)"}}) {
        QAction *a = MakeAction(name, QString::fromUtf8(caption));
        a->setCheckable(true);
        clockGroup_->addAction(a);
    }
    Action("OptClock12H")->setChecked(true);
    MakeAction("OptClockSec", "秒表示(&S)")->setCheckable(true);

    // Week schedules.
    MakeAction("OptWkSchConfig", "週間スケジュール作成(&W)");
    MakeAction("OptWkSchAuto", "起動時読込ファイル設定(&O)...");

    // Alarm.
    MakeAction("AlarmSoundStop", "アラーム音 停止(&Q)");
    MakeAction("AlarmSoundEnabled", "サウンド アラーム(&S)")->setCheckable(true);
    MakeAction("AlarmEmailEnabled", "メール アラーム(&E)")->setCheckable(true);
    MakeAction("AlarmPopupEnabled", "ポップアップ アラーム(&P)")->setCheckable(true);
    MakeAction("AlarmOption", "アラーム設定(&C)...");

    // Language.
    MakeAction("OptLang", "言語(&L)");
    MakeAction("OptLangJP", "日本語(&J)");
    MakeAction("OptLangEN", "英語(&E)");

    // Help.
    MakeAction("HelpContents", "目次(&C)");
    MakeAction("HelpVersion", "バージョン情報");

    // Skin mode.
    MakeAction("SkinModeStayOnTop", "常に手前に表示(&V)")->setCheckable(true);
    const struct {
        const char *name;
        const char *caption;
    } skinActions[] = {
        {"SkinModeSize_L", "サイズ L(&L)"},       {"SkinModeSize_M1", "サイズ M１(&M)"},
        {"SkinModeSize_M2", "サイズ M２(&N)"},    {"SkinModeSize_S", "サイズ S(&S)"},
        {"SkinModeSize_ORG", "元のサイズ (&O)"},  {"SkinModeTransp_1", "１(&1)"},
        {"SkinModeTransp_2", "２(&2)"},           {"SkinModeTransp_3", "３(&3)"},
        {"SkinModeTransp_4", "４(&4)"},           {"SkinModeTransp_5", "５(&5)"},
        {"SkinModeTransp_0", "０－透過無し(&0)"}, {"SkinModeExit", "通常モードに戻る"},
    };
    for (const auto &s : skinActions)
        MakeAction(s.name, QString::fromUtf8(s.caption))->setCheckable(QByteArray(s.name) != "SkinModeExit");
}

void TOrvellaForm::BuildMenus()
{
    QMenuBar *bar = menuBar();
    auto addItem = [](QMenu *menu, QAction *action, const char *itemName, const QString &caption = {}) {
        if (!caption.isEmpty()) {
            // A menu item with its own caption still runs the shared action.
            QAction *item = menu->addAction(caption);
            item->setObjectName(itemName);
            QObject::connect(item, &QAction::triggered, action, &QAction::trigger);
            QObject::connect(action, &QAction::changed, item, [item, action] {
                item->setEnabled(action->isEnabled());
                item->setCheckable(action->isCheckable());
                item->setChecked(action->isChecked());
            });
            return item;
        }
        menu->addAction(action);
        return action;
    };

    FILE_Menu = bar->addMenu("ファイル(&F)");
    FILE_Menu->setObjectName("FILE_Menu");
    addItem(FILE_Menu, Action("FileNew1"), "FileNewMenu");
    addItem(FILE_Menu, Action("FileOpen"), "FileOpenMenu");
    addItem(FILE_Menu, Action("FileImportICal"), "FileImportICalMenu");
    FILE_Menu->addSeparator();
    addItem(FILE_Menu, Action("FileOverwrite1"), "FileOverwriteMenu");
    addItem(FILE_Menu, Action("FileSaveAs1"), "FileSaveAsMenu");
    FILE_Menu->addSeparator();
    addItem(FILE_Menu, Action("FilePageSetup1"), "FilePageConfigMenu");
    addItem(FILE_Menu, Action("FilePrintSetup1"), "FilePrinterConfigMenu");
    addItem(FILE_Menu, Action("FilePrint1"), "FilePrint");
    FILE_Menu->addSeparator();
    addItem(FILE_Menu, Action("FileExit1"), "FileExitMenu");

    EDIT_Menu = bar->addMenu("編集(&E)");
    EDIT_Menu->setObjectName("EDIT_Menu");
    addItem(EDIT_Menu, Action("EditScheduling"), "EditSchedulingMenu");
    EDIT_Menu->addSeparator();
    addItem(EDIT_Menu, Action("EditAddSch"), "EditAddSchMenu");
    addItem(EDIT_Menu, Action("EditInsSch"), "EditInsSchMenu");
    addItem(EDIT_Menu, Action("EditDeleteSch"), "EditDeleteSchMenu");
    EDIT_Menu->addSeparator();
    addItem(EDIT_Menu, Action("EditCopy"), "EditCopyMenu");
    addItem(EDIT_Menu, Action("EditPaste"), "EditPasteMenu");
    addItem(EDIT_Menu, Action("EditCut"), "EditCutMenu");
    addItem(EDIT_Menu, Action("EditDelete"), "EditDeleteMenu");
    EDIT_Menu->addSeparator();
    addItem(EDIT_Menu, Action("EditCancel"), "EditCancelMenu");

    VIEW_Menu = bar->addMenu("表示(&V)");
    VIEW_Menu->setObjectName("VIEW_Menu");
    addItem(VIEW_Menu, Action("ViewTypeWeekly"), "ViewTypeWeeklyMenu");
    addItem(VIEW_Menu, Action("ViewTypeList"), "ViewTypeListMenu");
    addItem(VIEW_Menu, Action("ViewTypePie"), "ViewTypePieMenu");
    addItem(VIEW_Menu, Action("ViewTypeVTimeline"), "ViewTypeVTimelineMenu");
    addItem(VIEW_Menu, Action("ViewTypeWeekView"), "ViewTypeWeekViewMenu");
    VIEW_Menu->addSeparator();
    addItem(VIEW_Menu, Action("ViewTypeSchCount"), "ViewTypeSchCountMenu");
    addItem(VIEW_Menu, Action("ViewTypeWeekSchCount"), "ViewTypeWeekSchCountMenu");
    VIEW_Menu->addSeparator();
    addItem(VIEW_Menu, Action("ViewOneHourGScale"), "ViewOneHourGScaleMenu", "グラフ 毎時刻表示(&G)");
    VIEW_Menu->addSeparator();
    addItem(VIEW_Menu, Action("OptCTimeMark"), "ViewCTimeMarkMenu");
    addItem(VIEW_Menu, Action("OptClockSec"), "ViewOptClockSecS1");
    QMenu *clockMenu = VIEW_Menu->addMenu("時計表示(&T)");
    addItem(clockMenu, Action("OptClock12H"), "N110");
    addItem(clockMenu, Action("OptClock24H"), "N210");
    VIEW_Menu->addSeparator();
    addItem(VIEW_Menu, Action("ViewStartWithLastView"), "N10");
    VIEW_Menu->addSeparator();
    addItem(VIEW_Menu, Action("ViewSkinMode"), "ViewSkinModeMenu");

    QAction *week = Action("OptWkSchConfig");
    bar->addAction(week); // WEEKSCH_Menu: a menu bar entry bound to the action
    // The arrow keys travel past that entry to the menus after it.
    new KMenuBarKeys(bar);

    ALARM_Menu = bar->addMenu("アラーム(&A)");
    ALARM_Menu->setObjectName("ALARM_Menu");
    for (const char *name : {"AlarmSoundStop", "AlarmSoundEnabled", "AlarmPopupEnabled", "AlarmOption"})
        ALARM_Menu->addAction(Action(name));

    LANGUAGE_Menu = bar->addMenu("言語(&L)");
    LANGUAGE_Menu->setObjectName("LANGUAGE_Menu");
    addItem(LANGUAGE_Menu, Action("OptLangJP"), "LangJPMenu");
    addItem(LANGUAGE_Menu, Action("OptLangEN"), "LangENMenu");

    HELP_Menu = bar->addMenu("ヘルプ(&H)");
    HELP_Menu->setObjectName("HELP_Menu");
    addItem(HELP_Menu, Action("HelpContents"), "C1");
    addItem(HELP_Menu, Action("HelpVersion"), "HelpVersionMenu");

    SchEditPopupMenu = new QMenu(this);
    SchEditPopupMenu->setObjectName("SchEditPopupMenu");
    QMenu *chrono = SchEditPopupMenu->addMenu("連続時刻設定(&T)");
    chrono->addAction(Action("EditSetChroTimeDT"));
    chrono->addSeparator();
    addItem(chrono, Action("EditSetChroTimeSTFixDT"), "EditSetChroTimeSTFixDTItem",
            "開始時刻 <- 直前の終了時刻／時間固定(&J)");
    addItem(chrono, Action("EditSetChroTimeSTFixET"), "EditSetChroTimeSTFixETItem",
            "開始時刻 <- 直前の終了時刻／終了時刻固定(&K)");
    chrono->addSeparator();
    addItem(chrono, Action("EditSetChroTimeETFixDT"), "EditSetChroTimeETFixDTItem",
            "終了時刻 <- 直後の開始時刻／時間固定(&O)");
    addItem(chrono, Action("EditSetChroTimeETFixST"), "EditSetChroTimeETFixSTItem",
            "終了時刻 <- 直後の開始時刻／開始時刻固定(&P)");
    SchEditPopupMenu->addSeparator();
    for (const char *name : {"EditAddSch", "EditInsSch", "EditDeleteSch"})
        SchEditPopupMenu->addAction(Action(name));
    SchEditPopupMenu->addSeparator();
    for (const char *name : {"EditCopy", "EditPaste", "EditCut", "EditDelete"})
        SchEditPopupMenu->addAction(Action(name));
    SchEditPopupMenu->addSeparator();
    SchEditPopupMenu->addAction(Action("EditCancel"));

    SkinModePopupMenu = new QMenu(this);
    SkinModePopupMenu->setObjectName("SkinModePopupMenu");
    addItem(SkinModePopupMenu, Action("SkinModeStayOnTop"), "SkinModeStayOnTopPopupMenu");
    SkinModePopupMenu->addSeparator();
    QMenu *sizes = SkinModePopupMenu->addMenu("サイズ(&S)");
    sizes->setObjectName("SkinModeSizePopupMenu");
    for (const char *name : {"SkinModeSize_L", "SkinModeSize_M1", "SkinModeSize_M2", "SkinModeSize_S"})
        sizes->addAction(Action(name));
    sizes->addSeparator();
    sizes->addAction(Action("SkinModeSize_ORG"));
    QMenu *transp = SkinModePopupMenu->addMenu("透過度(&T)");
    transp->setObjectName("SkinModeTranspPopupMenu");
    for (const char *name :
         {"SkinModeTransp_1", "SkinModeTransp_2", "SkinModeTransp_3", "SkinModeTransp_4", "SkinModeTransp_5"})
        transp->addAction(Action(name));
    transp->addSeparator();
    transp->addAction(Action("SkinModeTransp_0"));
    addItem(SkinModePopupMenu, Action("ViewOneHourGScale"), "SkinModeGScalePopupMenu");
    SkinModePopupMenu->addSeparator();
    addItem(SkinModePopupMenu, Action("AlarmSoundStop"), "SkinModeAlarmStopPopupMenu");
    addItem(SkinModePopupMenu, Action("AlarmOption"), "SkinModeAlarmConfigPopupMenu");
    SkinModePopupMenu->addSeparator();
    addItem(SkinModePopupMenu, Action("SkinModeExit"), "SkinModeExitPopupMenu");
    SkinModePopupMenu->addSeparator();
    addItem(SkinModePopupMenu, Action("FileExit1"), "SkinModeFileExitPopupMenu",
            "アプリケーションを終了する(&X)");
}

void TOrvellaForm::BindButtons()
{
    const struct {
        QToolButton *button;
        const char *action;
    } bindings[] = {
        {FileNewButton, "FileNew1"},
        {FileOpenButton, "FileOpen"},
        {FileSaveButton, "FileOverwrite1"},
        {SchListViewButton, "ViewTypeList"},
        {SchPieViewButton, "ViewTypePie"},
        {SchTimelineViewButton, "ViewTypeVTimeline"},
        {SchCountViewButton, "ViewTypeSchCount"},
        {WeekSchCountViewButton, "ViewTypeWeekSchCount"},
        {EditAddButton, "EditAddSch"},
        {EditInsButton, "EditInsSch"},
        {EditDelButton, "EditDeleteSch"},
        {EditCancelButton, "EditCancel"},
    };
    for (const auto &b : bindings)
        b.button->setDefaultAction(Action(b.action));

    // Both scheduling buttons run the same command; each shows its own picture and text.
    for (QToolButton *b : {EnterEditSchButton, ExitEditSchButton}) {
        connect(b, &QToolButton::clicked, this, [this] { Action("EditScheduling")->trigger(); });
    }
    EnterEditSchButton->setIcon(KToolIcons::Icon(KToolIcons::EnterScheduling));
    EnterEditSchButton->setText("作成");
    ExitEditSchButton->setIcon(KToolIcons::Icon(KToolIcons::ExitScheduling));
    ExitEditSchButton->setText("作成終了");

    connect(Action("FileExit1"), &QAction::triggered, this, &QWidget::close);
    connect(Action("AlarmSoundStop"), &QAction::triggered, this, &TOrvellaForm::StopAlarmSound);
    connect(AlarmSoundStopButton, &QPushButton::clicked, this, &TOrvellaForm::StopAlarmSound);

    connect(Action("ViewTypeWeekly"), &QAction::triggered, this, &TOrvellaForm::ViewTypeWeeklyExecute);
    connect(Action("ViewTypeList"), &QAction::triggered, this, [this] { SwitchView(vtList); });
    connect(Action("ViewTypePie"), &QAction::triggered, this, [this] { SwitchView(vtPie); });
    connect(Action("ViewTypeVTimeline"), &QAction::triggered, this, [this] { SwitchView(vtTimeline); });
    connect(Action("ViewTypeSchCount"), &QAction::triggered, this, [this] { SwitchView(vtCount); });
    connect(Action("ViewTypeWeekSchCount"), &QAction::triggered, this, [this] { SwitchView(vtWeekCount); });
    connect(Action("ViewTypeWeekView"), &QAction::triggered, this, [this] { SwitchView(vtWeek); });
    connect(Action("OptCTimeMark"), &QAction::triggered, this, [this] { SetCurTimeMark(!CurTimeMark); });
    connect(Action("ViewOneHourGScale"), &QAction::triggered, this,
            [this] { SetOneHourGScale(!OneHourGScale); });
    connect(Action("ViewStartWithLastView"), &QAction::triggered, this,
            [this] { SetStartWithLastView(!StartWithLastView); });
    connect(Action("OptClock12H"), &QAction::triggered, this, [this] { SetClock24H(false, 0); });
    connect(Action("OptClock24H"), &QAction::triggered, this, [this] { SetClock24H(true, 0); });
    connect(Action("OptClockSec"), &QAction::triggered, this, [this] { SetClockSeconds(!ClockSeconds, 0); });
    connect(Action("EditScheduling"), &QAction::triggered, this, [this] {
        // The check mark follows the mode, not the click.
        Action("EditScheduling")->setChecked(SchedulingMode);
        ToggleSchedulingMode();
    });
}

void TOrvellaForm::SetButtonHints(int language)
{
    const bool en = language == 1;
    const struct {
        QAbstractButton *button;
        const char *ja;
        const char *en;
    } hints[] = {
        {FileNewButton, "新規作成", "New"},
        {FileOpenButton, "開く", "Open"},
        {FileSaveButton, "上書き保存", "Save"},
        {SchListViewButton, "リスト", "List"},
        {SchPieViewButton, "円グラフ", "Pie Graph"},
        {SchTimelineViewButton, "時間軸（縦）グラフ", "Timeline(Vertical) Graph"},
        {SchCountViewButton, "集計", "Count"},
        {WeekSchCountViewButton, "週間スケジュール集計", "Week Schedule Count"},
        {EnterEditSchButton, "スケジュール作成", "Enter Scheduling Mode"},
        {ExitEditSchButton, "スケジュール作成 終了", "Exit Scheduling Mode"},
        {EditAddButton, "スケジュール追加", "Add"},
        {EditInsButton, "スケジュール挿入", "Insert"},
        {EditDelButton, "スケジュール削除", "Delete"},
        {EditCancelButton, "変更をキャンセルし、元のスケジュールに戻す",
         "Edit Cancel and Replaced with the original"},
        {WeekSchFileOpenButton, "週間スケジュール ファイルを開く", "Open Week Schedule File"},
        {WkTodayButton, "今日のスケジュールを開く", "Open Schedule of Today"},
        {EnterSkinModeButton, "スキンモード", "Skin Mode"},
        {ExitSkinModeButton, "ノーマルモード", "Normal Mode"},
    };
    for (const auto &h : hints) {
        const QString hint = QString::fromUtf8(en ? h.en : h.ja);
        // A button bound to an action takes its hint from the action whenever the action changes.
        auto *tool = qobject_cast<QToolButton *>(h.button);
        if (tool != nullptr && tool->defaultAction() != nullptr)
            tool->defaultAction()->setToolTip(hint);
        h.button->setToolTip(hint);
    }
}
