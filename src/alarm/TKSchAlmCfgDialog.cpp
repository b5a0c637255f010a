#include "alarm/TKSchAlmCfgDialog.h"

#include "alarm/KAlarmWindows.h"
#include "alarm/core/KAlarmSounds.h"
#include "app/dialogs/TKMessageWindow.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KFileDialogs.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KPrompter.h"
#include "platform/core/KSound.h"
#include "platform/qt/KFontMap.h"
#include "platform/qt/KQtText.h"
#include "platform/qt/KUiText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QToolButton>

namespace {
QString Pick(int language, const char16_t *ja, const char16_t *en)
{
    return Q(language == 1 ? en : ja);
}

// A grey title strip across the top of a panel.
QLabel *TitleStrip(QWidget *parent, const char *name, int width)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(0, 0, width, 20);
    label->setAutoFillBackground(true);
    label->setIndent(6);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

// A control of type T at its place in the form, named as the form names it.
template <typename T> T *Place(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *control = new T(parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

const char *const RowPrefixes[4] = {"SchEnd", "Sch5Min", "Sch10Min", "SchUserMin"};
const int RowMinutes[4] = {0, 5, 10, 15};
} // namespace

TKSchAlmCfgDialog::TKSchAlmCfgDialog(QWidget *owner, const KSchAlarmConfig &config, int language,
                                     const KPlatform &platform)
    : QDialog(owner), platform_(platform)
{
    setObjectName("TKSchAlmCfgDialog");
    setFont(KFontMap::PointFont("Tahoma", 9));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // 1. Language and captions; 2. the sound lists.
    Language = language;
    BuildControls();
    SetCaptions();

    // 5. The review player and timer.
    if (platform_.Sound)
        MediaPlayer1 = platform_.Sound->CreateFilePlayer();
    review_ = std::make_unique<KSoundReview>(platform_.Sound, MediaPlayer1.get(), platform_.Files);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] { review_->TimerElapsed(); });
    review_->StartTimer = [this](int ms) { Timer1->start(ms); };
    review_->StopTimer = [this] { Timer1->stop(); };
    review_->ShowError = [this](int code) { ShowError(code); };
    review_->StateChanged = [this] { ShowReviewState(); };

    // 3. The configuration.
    LoadConfig(config);
    ConfigTouched = false;
    ShowReviewState();

    // Centred on the screen.
    if (owner == nullptr || !owner->isVisible())
        setWindowModality(Qt::ApplicationModal);
}

TKSchAlmCfgDialog::~TKSchAlmCfgDialog()
{
    // The review stops with the dialog.
    closeDialog();
}

void TKSchAlmCfgDialog::BuildControls()
{
    setFixedSize(491, 339);
    AlarmConfigPanel = new QFrame(this);
    AlarmConfigPanel->setObjectName("AlarmConfigPanel");
    AlarmConfigPanel->setGeometry(-2, 0, 491, 339);
    AlarmConfigLabel = TitleStrip(AlarmConfigPanel, "AlarmConfigLabel", 491);

    auto *panel5 = new QFrame(AlarmConfigPanel);
    panel5->setObjectName("Panel5");
    panel5->setGeometry(0, 20, 385, 39);
    AlarmOnOffLabel = new QLabel(panel5);
    AlarmOnOffLabel->setObjectName("AlarmOnOffLabel");
    AlarmOnOffLabel->move(4, 12); // the panel starts left of the dialog
    AlarmCheckBox = new QCheckBox(panel5);
    AlarmCheckBox->setObjectName("AlarmCheckBox");
    AlarmCheckBox->setGeometry(112, 8, 120, 24);
    PopupCheckBox = new QCheckBox(panel5);
    PopupCheckBox->setObjectName("PopupCheckBox");
    PopupCheckBox->setGeometry(242, 8, 130, 24);

    AlarmSoundConfigPanel = new QFrame(AlarmConfigPanel);
    AlarmSoundConfigPanel->setObjectName("AlarmSoundConfigPanel");
    AlarmSoundConfigPanel->setGeometry(0, 59, 385, 280);
    AlarmSoundConfigPanel->setFrameShape(QFrame::StyledPanel);
    AlarmSoundConfigLabel = TitleStrip(AlarmSoundConfigPanel, "AlarmSoundConfigLabel", 385);
    AlarmSoundConfigLabel->setText(QString::fromUtf8("アラーム タイミング／サウンド 設定"));

    const int tops[4] = {24, 79, 134, 189};
    for (int i = 0; i < 4; ++i) {
        PointRow &row = Rows[size_t(i)];
        const QString prefix = RowPrefixes[i];
        row.Panel = Place<QFrame>(AlarmSoundConfigPanel, prefix + "Panel", {0, tops[i], 385, 55});
        row.Panel->setFrameShape(QFrame::StyledPanel);
        row.CheckBox = Place<QCheckBox>(row.Panel, prefix + "CheckBox", {10, 4, 98, 21});
        row.ReproButton = Place<QToolButton>(row.Panel, prefix + "ReproButton", {110, 15, 35, 25});
        row.ResRButton = Place<QRadioButton>(row.Panel, prefix + "ResRButton", {160, 6, 18, 18});
        row.ComboBox = Place<QComboBox>(row.Panel, prefix + "ComboBox", {180, 4, 145, 22});
        row.FileRButton = Place<QRadioButton>(row.Panel, prefix + "FileRButton", {160, 32, 18, 18});
        row.Edit = Place<QLineEdit>(row.Panel, prefix + "Edit", {180, 30, 145, 21});
        row.FileOpenSButton = Place<QPushButton>(row.Panel, prefix + "FileOpenSButton", {334, 30, 41, 21});
        row.FileOpenSButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));

        auto *group = new QButtonGroup(row.Panel);
        group->addButton(row.ResRButton);
        group->addButton(row.FileRButton);

        // 2. A pick list of the five built-in sounds.
        row.ComboBox->setEditable(false);
        for (const KAlarmSounds::Sound &s : KAlarmSounds::All)
            row.ComboBox->addItem(Q(s.Name));
        row.ComboBox->installEventFilter(this);

        // 6. The file fields: read-only to typing, left-justified; double click chooses.
        row.Edit->setReadOnly(true);
        row.Edit->setAlignment(Qt::AlignLeft);
        row.Edit->installEventFilter(this);

        connect(row.CheckBox, &QCheckBox::clicked, this, [this] { ConfigTouched = true; });
        connect(row.ReproButton, &QToolButton::clicked, this, [this, i] { ReproButtonClick(i); });
        connect(row.FileOpenSButton, &QPushButton::clicked, this, [this, i] { openAlarmConfigDialog(i); });
    }

    // 4. The user's minutes: digits only, at most two.
    UserMinEdit = new QLineEdit(Rows[3].Panel);
    UserMinEdit->setObjectName("UserMinEdit");
    UserMinEdit->setGeometry(28, 5, 41, 20);
    UserMinEdit->setAlignment(Qt::AlignCenter);
    UserMinEdit->setMaxLength(2);
    UserMinEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}"), UserMinEdit));
    UserMinEdit->installEventFilter(this);
    connect(UserMinEdit, &QLineEdit::textChanged, this, &TKSchAlmCfgDialog::UserMinEditKeyUp);

    connect(AlarmCheckBox, &QCheckBox::clicked, this, [this] { ConfigTouched = true; });
    connect(PopupCheckBox, &QCheckBox::clicked, this, [this] { ConfigTouched = true; });

    OKButton = new QPushButton("OK", AlarmConfigPanel);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(398, 60, 80, 25);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QString::fromUtf8("キャンセル"), AlarmConfigPanel);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(398, 107, 80, 25);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TKSchAlmCfgDialog::SetCaptions()
{
    const int l = Language;
    setWindowTitle(Pick(l, u"アラーム設定", u"Alarm Configuration"));
    AlarmConfigLabel->setText(windowTitle());
    Rows[0].CheckBox->setText(Pick(l, u"   終了", u"   End"));
    Rows[1].CheckBox->setText(Pick(l, u"    ５分前", u"    5min before"));
    Rows[2].CheckBox->setText(Pick(l, u"   １０分前", u"   10min before"));
    Rows[3].CheckBox->setText(Pick(l, u"                分前", u"            min before"));
    AlarmOnOffLabel->setText(Pick(l, u"アラーム タイプ", u"Alarm Type"));
    AlarmOnOffLabel->adjustSize();
    // Centred in its strip, whatever the height of the face.
    AlarmOnOffLabel->move(
        AlarmOnOffLabel->x(),
        std::max(0, (AlarmOnOffLabel->parentWidget()->height() - AlarmOnOffLabel->height()) / 2));
    AlarmCheckBox->setText(Pick(l, u" サウンド", u" Sound"));
    PopupCheckBox->setText(Pick(l, u" ポップアップ", u" Popup"));
    UserMinEdit->setText("15");
    // The blank start of the user point's caption lies under UserMinEdit; where a blank is
    // wider than the layout expects, the caption is drawn a little tighter so that "分前"
    // begins right after the box instead of under the review button.
    QCheckBox *user = Rows[3].CheckBox;
    QFont font = Rows[2].CheckBox->font();
    const QString caption = user->text();
    const int blanks = int(caption.size() - caption.trimmed().size());
    QStyleOptionButton option;
    option.initFrom(user);
    const int textLeft = user->x() + style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, user) +
                         style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, user);
    const int wanted = UserMinEdit->x() + UserMinEdit->width() + 3 - textLeft;
    const int natural = QFontMetrics(font).horizontalAdvance(QString(blanks, ' '));
    if (blanks > 0 && wanted < natural)
        font.setLetterSpacing(QFont::AbsoluteSpacing, qreal(wanted - natural) / caption.size());
    user->setFont(font);
    for (PointRow &row : Rows) {
        row.FileOpenSButton->setToolTip(Pick(l, u"サウンド ファイルを開く", u"Open Sound File"));
    }
    FitRowCaptions();
}

void TKSchAlmCfgDialog::FitRowCaptions()
{
    // The rows are laid out for the Japanese captions and a narrow face. A longer caption
    // (the English ones) or a sound name wider than its pick box moves the controls to its
    // right along and widens the dialog by as much.
    int caption = 0, names = 0;
    for (const PointRow &row : Rows) {
        caption = std::max(caption, row.CheckBox->sizeHint().width() - row.CheckBox->width());
        QStyleOptionComboBox option;
        option.initFrom(row.ComboBox);
        const int field =
            style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, row.ComboBox)
                .width();
        for (int i = 0; i < row.ComboBox->count(); ++i)
            names = std::max(names, row.ComboBox->fontMetrics().horizontalAdvance(row.ComboBox->itemText(i)) +
                                        4 - field);
    }
    const int extra = std::max(0, caption) + std::max(0, names);
    if (extra == 0)
        return;
    auto widen = [](QWidget *w, int by) { w->resize(w->width() + by, w->height()); };
    auto shift = [](QWidget *w, int by) { w->move(w->x() + by, w->y()); };
    caption = std::max(0, caption);
    names = std::max(0, names);
    for (PointRow &row : Rows) {
        widen(row.CheckBox, caption);
        widen(row.Panel, extra);
        for (QWidget *w : std::initializer_list<QWidget *>{row.ReproButton, row.ResRButton, row.ComboBox,
                                                           row.FileRButton, row.Edit})
            shift(w, caption);
        widen(row.ComboBox, names);
        widen(row.Edit, names);
        shift(row.FileOpenSButton, extra);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{AlarmSoundConfigPanel, AlarmSoundConfigLabel,
                                                       AlarmOnOffLabel->parentWidget(), AlarmConfigPanel,
                                                       AlarmConfigLabel})
        widen(w, extra);
    shift(OKButton, extra);
    shift(CancelButton, extra);
    setFixedSize(width() + extra, height());
}

std::u16string TKSchAlmCfgDialog::FileFilter(int language)
{
    return language == 1 ? u"Reproduce-able files (*.wav, *.mp3)|*.wav;*.mp3|WAV files (*.wav)|*.wav|"
                           u"MP3 files (*.mp3)|*.mp3|All Files (*.*)|*.*"
                         : u"再生可能 ファイル (*.wav, *.mp3)|*.wav;*.mp3|WAV ファイル (*.wav)|*.wav|"
                           u"MP3 ファイル (*.mp3)|*.mp3|すべてのファイル (*.*)|*.*";
}

void TKSchAlmCfgDialog::LoadConfig(const KSchAlarmConfig &config)
{
    AlarmCheckBox->setChecked(config.AlarmTypes & KSchAlarmConfig::SoundAlarm);
    PopupCheckBox->setChecked(config.AlarmTypes & KSchAlarmConfig::PopupAlarm);
    for (int i = 0; i < 4; ++i) {
        PointRow &row = Rows[size_t(i)];
        row.CheckBox->setChecked(config.IsPointOn(i));
        // Neither radio button is checked for another source value; the built-in one then
        // is what WriteConfig stores.
        row.ResRButton->setChecked(config.GetSource(i) == 0);
        row.FileRButton->setChecked(config.GetSource(i) == 1);
        if (config.GetSource(i) != 0 && config.GetSource(i) != 1) {
            row.ResRButton->group()->setExclusive(false);
            row.ResRButton->setChecked(false);
            row.FileRButton->setChecked(false);
            row.ResRButton->group()->setExclusive(true);
        }
        row.ComboBox->setCurrentIndex(KAlarmSounds::IndexOf(config.GetSoundName(i)));
        SoundPaths[size_t(i)] = Q(config.GetSoundFile(i));
        ShowFileName(i);
    }
    UserMinEdit->setText(QString::number(config.GetMinutes(3)));
    UserMinEditKeyUp();
}

void TKSchAlmCfgDialog::ShowFileName(int point)
{
    QLineEdit *edit = Rows[size_t(point)].Edit;
    const QString &path = SoundPaths[size_t(point)];
    edit->setText(path.isEmpty() ? QString() : QFileInfo(path).fileName());
    edit->setCursorPosition(0);
    edit->setToolTip(edit->text().isEmpty() ? QString() : KUiText::PlainToolTip(path));
}

void TKSchAlmCfgDialog::UserMinEditKeyUp()
{
    bool ok = false;
    const int minutes = UserMinEdit->text().toInt(&ok);
    Rows[3].CheckBox->setEnabled(!UserMinEdit->text().isEmpty() && ok && minutes >= 0);
}

void TKSchAlmCfgDialog::WriteConfig(KSchAlarmConfig &target) const
{
    KSchAlarmConfig config(4);
    config.AlarmTypes = (AlarmCheckBox->isChecked() ? KSchAlarmConfig::SoundAlarm : 0) |
                        (PopupCheckBox->isChecked() ? KSchAlarmConfig::PopupAlarm : 0);
    for (int i = 0; i < 4; ++i) {
        const PointRow &row = Rows[size_t(i)];
        config.SetPointOn(i, row.CheckBox->isChecked());
        config.SetMinutes(i, RowMinutes[i]);
        config.SetSource(i, row.FileRButton->isChecked() ? 1 : 0);
        config.SetSoundName(i, row.ComboBox->currentText().toStdU16String());
        config.SetSoundFile(i, SoundPaths[size_t(i)].toStdU16String());
    }
    bool ok = false;
    const int minutes = UserMinEdit->text().toInt(&ok);
    config.SetMinutes(3, UserMinEdit->text().isEmpty() || !ok ? -1 : minutes);
    target.Assign(config);
}

void TKSchAlmCfgDialog::openAlarmConfigDialog(int point)
{
    if (!platform_.FileDialogs)
        return;
    KFileDialogRequest request;
    request.Filter = FileFilter(Language);
    request.FileName = SoundPaths[size_t(point)].toStdU16String();
    const QString path = QString::fromStdU16String(platform_.FileDialogs->OpenFile(request));
    if (path.isEmpty())
        return;
    if (path != "0" && !(platform_.Files && platform_.Files->Exists(path.toStdU16String()))) {
        ShowError(KMessageCatalog::AlarmFileMissing);
        return;
    }
    SoundPaths[size_t(point)] = path;
    ShowFileName(point);
}

void TKSchAlmCfgDialog::ReproButtonClick(int point)
{
    const PointRow &row = Rows[size_t(point)];
    KSoundReview::Choice choice;
    choice.UseFile = row.FileRButton->isChecked();
    choice.Path = SoundPaths[size_t(point)].toStdU16String();
    choice.Name = row.ComboBox->currentText().toStdU16String();
    review_->Toggle(point, choice);
}

void TKSchAlmCfgDialog::ShowReviewState()
{
    for (int i = 0; i < 4; ++i) {
        QToolButton *button = Rows[size_t(i)].ReproButton;
        const bool playing = review_->Reviewing && review_->ReviewPoint == i;
        button->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
        button->setToolTip(playing ? Pick(Language, u"視聴停止", u"Stop Sound Review")
                                   : Pick(Language, u"視聴", u"Sound Review"));
    }
}

void TKSchAlmCfgDialog::ShowError(int code)
{
    ErrorWindow = KAlarmWindows::OpenErrorWindow(code, Language);
}

bool TKSchAlmCfgDialog::SoundFileEditKeyDown(int point, QKeyEvent *key)
{
    if (key->key() == Qt::Key_Delete) {
        // The field empties; the path itself is kept and still written on OK.
        Rows[size_t(point)].Edit->clear();
        return true;
    }
    // Moving between controls stays possible; anything that would type is refused.
    if (key->text().isEmpty() && key->key() != Qt::Key_Backspace)
        return false;
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape ||
        key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        return false;
    if (platform_.Prompter)
        platform_.Prompter->Show(Language == 1 ? u"Error" : u"エラー",
                                 KMessageCatalog::Text(KMessageCatalog::SelectWithFileButton, Language));
    return true;
}

bool TKSchAlmCfgDialog::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < 4; ++i) {
        const PointRow &row = Rows[size_t(i)];
        if (watched == row.ComboBox && event->type() == QEvent::FocusIn)
            ConfigTouched = true;
        if (watched == row.Edit) {
            if (event->type() == QEvent::MouseButtonPress)
                ConfigTouched = true;
            if (event->type() == QEvent::MouseButtonDblClick) {
                openAlarmConfigDialog(i);
                return true;
            }
            if (event->type() == QEvent::KeyPress && SoundFileEditKeyDown(i, static_cast<QKeyEvent *>(event)))
                return true;
        }
    }
    if (watched == UserMinEdit && event->type() == QEvent::KeyPress)
        ConfigTouched = true;
    return QDialog::eventFilter(watched, event);
}

void TKSchAlmCfgDialog::closeDialog()
{
    if (closed_)
        return;
    closed_ = true;
    Timer1->stop();
    review_->Close();
}

void TKSchAlmCfgDialog::done(int result)
{
    if (result != QDialog::Accepted)
        ConfigTouched = false;
    closeDialog();
    QDialog::done(result);
}

void TKSchAlmCfgDialog::closeEvent(QCloseEvent *event)
{
    closeDialog();
    QDialog::closeEvent(event);
}
