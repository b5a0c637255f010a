#include "alarm/TKAlarmPopUpDialog.h"

#include "alarm/core/KSchAlarmNotifier.h"
#include "platform/qt/KColorConv.h"
#include "platform/qt/KFontMap.h"
#include "platform/qt/KQtText.h"
#include "platform/qt/KUiText.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace {
constexpr int Border = 3;
constexpr int ClientWidth = 300;
constexpr int ClientHeight = 180;
constexpr int MessageHeight = 23; // one line of the lead text

const char16_t *Pick(int language, const char16_t *ja, const char16_t *en)
{
    return language == 1 ? en : ja;
}

// A read-only, borderless line that shows one item name.
QLineEdit *ItemLine(QWidget *parent, const char *name, int x, int y)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(x, y, 272, 14);
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAutoFillBackground(false);
    edit->setStyleSheet("QLineEdit { background: transparent; padding: 0px; }");
    return edit;
}

QLabel *TextLabel(QWidget *parent, const char *name, int x, int y)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->move(x, y);
    return label;
}
} // namespace

TKAlarmPopUpDialog::TKAlarmPopUpDialog(QWidget *owner)
    : QDialog(owner, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
{
    setObjectName("TKAlarmPopUpDialog");
    setModal(false);
    // An open popup does not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(KFontMap::PointFont("Tahoma", 9));
    setFixedSize(ClientWidth + 2 * Border, ClientHeight + 2 * Border);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, KColorConv::ToQColor(0xC0DCC0));
    setPalette(pal);
    setWindowOpacity(215.0 / 255.0);

    auto *client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setGeometry(Border, Border, ClientWidth, ClientHeight);

    DialogTitleLabel = new QLabel(client);
    DialogTitleLabel->setObjectName("DialogTitleLabel");
    DialogTitleLabel->setGeometry(0, 0, ClientWidth, 18);
    DialogTitleLabel->setFont(KFontMap::PixelFont("Tahoma", 11, true));
    DialogTitleLabel->setAutoFillBackground(true);
    QPalette title = DialogTitleLabel->palette();
    title.setColor(QPalette::Window, title.color(QPalette::Active, QPalette::Highlight));
    title.setColor(QPalette::WindowText, title.color(QPalette::Active, QPalette::HighlightedText));
    DialogTitleLabel->setPalette(title);
    DialogTitleLabel->installEventFilter(this);

    CloseSpdButton = new QToolButton(client);
    CloseSpdButton->setObjectName("CloseSpdButton");
    CloseSpdButton->setGeometry(280, 1, 16, 16);
    CloseSpdButton->setAutoRaise(true);
    CloseSpdButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    CloseSpdButton->setIconSize(QSize(12, 12));

    Panel1 = new QFrame(client);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(0, 18, ClientWidth, 136);
    Panel1->setAutoFillBackground(true);
    Panel1->installEventFilter(this);

    AlarmMsgLabel = new QLabel(Panel1);
    AlarmMsgLabel->setObjectName("AlarmMsgLabel");
    AlarmMsgLabel->setGeometry(8, 4, 284, MessageHeight);
    AlarmMsgLabel->setAlignment(Qt::AlignCenter);
    AlarmMsgLabel->setWordWrap(true);
    AlarmMsgLabel->setFont(KFontMap::PixelFont("Tahoma", 15, true));
    AlarmMsgLabel->setAutoFillBackground(true);
    QPalette msg = AlarmMsgLabel->palette();
    msg.setColor(QPalette::Window, KColorConv::ToQColor(0x800000));     // navy
    msg.setColor(QPalette::WindowText, KColorConv::ToQColor(0xF0FBFF)); // cream
    AlarmMsgLabel->setPalette(msg);

    CurrSchItemEdit = ItemLine(Panel1, "CurrSchItemEdit", 20, 34);
    CurrSchTimeLabel = TextLabel(Panel1, "CurrSchTimeLabel", 20, 52);
    Splitter1 = new QFrame(Panel1);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setGeometry(4, 72, 292, 2);
    Splitter1->setAutoFillBackground(true);
    QPalette grey = Splitter1->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    Splitter1->setPalette(grey);
    NextSchTitleLabel = TextLabel(Panel1, "NextSchTitleLabel", 12, 80);
    NextSchItemEdit = ItemLine(Panel1, "NextSchItemEdit", 20, 98);
    NextSchTimeLabel = TextLabel(Panel1, "NextSchTimeLabel", 20, 116);

    Button_OK = new QPushButton(QString::fromUtf8("閉じる（アラーム音 非停止）"), client);
    Button_OK->setObjectName("Button_OK");
    Button_OK->setGeometry(0, 156, 148, 25);
    Button_SoundStop = new QPushButton(QString::fromUtf8("閉じる（アラーム音 停止）"), client);
    Button_SoundStop->setObjectName("Button_SoundStop");
    Button_SoundStop->setGeometry(152, 156, 148, 25);
    Button_SoundStop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    Button_SoundStop->setIconSize(QSize(10, 10));
    // The captions are long for 148 pixels: a smaller face and thin padding keep them whole.
    for (QPushButton *b : {Button_OK, Button_SoundStop}) {
        b->setFont(KFontMap::PixelFont("Tahoma", 10));
        b->setStyleSheet("QPushButton { padding: 0px 1px; }");
        b->setAutoDefault(false);
        b->installEventFilter(this);
    }

    connect(Button_OK, &QPushButton::clicked, this, &TKAlarmPopUpDialog::Button_OKClick);
    connect(CloseSpdButton, &QToolButton::clicked, this, &TKAlarmPopUpDialog::CloseSpdButtonClick);
    connect(Button_SoundStop, &QPushButton::clicked, this, &TKAlarmPopUpDialog::Button_SoundStopClick);

    SetPanelColor(0xC0DCC0);
    Language = -1; // so that the first SetLanguage lays the captions
    SetLanguage(0);
    AlarmMsgLabel->setText(AlarmMessage(0, 0));
    FitMessage();
}

void TKAlarmPopUpDialog::SetTitle()
{
    KSchAlarmPopupInfo late;
    late.Language = Language;
    late.LateMinutes = LateMinutes;
    DialogTitleLabel->setText(Q(Pick(Language, u"　スケジューラー・アラーム", u" Scheduler Alarm")) +
                              Q(late.LateNote()));
}

void TKAlarmPopUpDialog::SetCaptions()
{
    SetTitle();
    NextSchTitleLabel->setText(Q(Pick(Language, u"次のスケジュール", u"Next Schedule")));
    NextSchTitleLabel->adjustSize();
    CurrSchItemEdit->setText(Q(Pick(Language, u"項目", u"Item")));
    CurrSchTimeLabel->setText(Q(Pick(Language, u"時間", u"Time")));
    CurrSchTimeLabel->adjustSize();
    NextSchItemEdit->setText(Q(Pick(Language, u"項目", u"Item")));
    NextSchTimeLabel->setText(Q(Pick(Language, u"時間", u"Time")));
    NextSchTimeLabel->adjustSize();
    Button_OK->setToolTip(Q(
        Pick(Language,
             u"アラーム音停止せず、ウィンドウを閉じます（ESC キーでアラーム音停止しウィンドウを閉じます）。",
             u"Close this window(ESC key stops the alarm sound and closes this window).")));
    Button_SoundStop->setToolTip(
        Q(Pick(Language, u"アラーム音停止し、ウィンドウを閉じます（ESC キーでも同様）。",
               u"Stop the alarm sound and close this window(ESC key is the same).")));
}

void TKAlarmPopUpDialog::SetLanguage(int language)
{
    if (language == Language)
        return;
    Language = language;
    SetCaptions();
    if (EndingFrame || NextFrame)
        BuildTexts();
}

void TKAlarmPopUpDialog::SetLeadMinutes(int minutes)
{
    if (minutes == LeadMinutes)
        return;
    LeadMinutes = minutes;
    BuildTexts();
}

void TKAlarmPopUpDialog::SetLateMinutes(int minutes)
{
    if (minutes == LateMinutes)
        return;
    LateMinutes = minutes;
    SetTitle();
}

void TKAlarmPopUpDialog::SetEndingFrame(const std::optional<KScheduleFrame> &frame)
{
    EndingFrame = frame;
    BuildTexts();
}

void TKAlarmPopUpDialog::SetNextFrame(const std::optional<KScheduleFrame> &frame)
{
    NextFrame = frame;
    BuildTexts();
}

void TKAlarmPopUpDialog::SetPanelColor(uint32_t color)
{
    PanelColor = color;
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, KColorConv::ToQColor(color));
    Panel1->setPalette(pal);
}

QString TKAlarmPopUpDialog::AlarmMessage(int lead, int language)
{
    if (lead == 0)
        return Q(Pick(language, u"終了時間になりました。", u"Time to end the schedule."));
    const QString n = QString::number(lead);
    if (language == 1)
        return "Time before " + n + "[min] before the end of schedule.";
    return QString::fromUtf8("終了時間、") + n + QString::fromUtf8("分前になりました。");
}

QString TKAlarmPopUpDialog::FrameTimes(const KScheduleFrame &frame)
{
    return Q(FormatTime(ToClockTime(frame.StartTime), false)) + QString::fromUtf8("～ ") +
           Q(FormatTime(ToClockTime(frame.EndTime()), false));
}

void TKAlarmPopUpDialog::FitMessage()
{
    // One line of the lead text fits the layout; a longer one (the English texts with minutes)
    // wraps onto more lines, and everything below it and the popup itself grow by as much.
    const int height = std::max(MessageHeight, AlarmMsgLabel->heightForWidth(AlarmMsgLabel->width()));
    const int extra = height - AlarmMsgLabel->height();
    if (extra == 0)
        return;
    AlarmMsgLabel->resize(AlarmMsgLabel->width(), height);
    for (QWidget *w :
         std::initializer_list<QWidget *>{CurrSchItemEdit, CurrSchTimeLabel, Splitter1, NextSchTitleLabel,
                                          NextSchItemEdit, NextSchTimeLabel, Button_OK, Button_SoundStop})
        w->move(w->x(), w->y() + extra);
    for (QWidget *w : {static_cast<QWidget *>(Panel1), Panel1->parentWidget()})
        w->resize(w->width(), w->height() + extra);
    setFixedSize(width(), this->height() + extra);
}

void TKAlarmPopUpDialog::BuildTexts()
{
    AlarmMsgLabel->setText(AlarmMessage(LeadMinutes, Language));
    FitMessage();
    auto fill = [](QLineEdit *item, QLabel *times, const std::optional<KScheduleFrame> &frame) {
        item->setText(frame ? Q(frame->ItemName) : QString());
        item->setCursorPosition(0);
        item->setToolTip(KUiText::PlainToolTip(item->text()));
        times->setText(frame ? FrameTimes(*frame) : QString());
        times->adjustSize();
    };
    fill(CurrSchItemEdit, CurrSchTimeLabel, EndingFrame);
    fill(NextSchItemEdit, NextSchTimeLabel, NextFrame);
}

void TKAlarmPopUpDialog::CloseAlarmPopup()
{
    Dragging = false;
    if (ReleaseOnClose) {
        hide();
        deleteLater();
    } else {
        hide();
    }
}

void TKAlarmPopUpDialog::Button_OKClick()
{
    CloseAlarmPopup();
}

void TKAlarmPopUpDialog::CloseSpdButtonClick()
{
    CloseAlarmPopup();
}

void TKAlarmPopUpDialog::Button_SoundStopClick()
{
    if (StopHandler)
        StopHandler();
    CloseAlarmPopup();
}

void TKAlarmPopUpDialog::reject()
{
    // Escape (QDialog's own handling) stops the sound like the stop button.
    Button_SoundStopClick();
}

void TKAlarmPopUpDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Button_SoundStopClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TKAlarmPopUpDialog::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            Button_SoundStopClick();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        if (watched == DialogTitleLabel || watched == Panel1)
            FormMouseDown(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseMove:
        if (watched == DialogTitleLabel || watched == Panel1)
            FormMouseMove(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseButtonRelease:
        if (watched == DialogTitleLabel || watched == Panel1)
            Dragging = false;
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TKAlarmPopUpDialog::FormMouseDown(QPoint globalPos)
{
    DragMousePos = globalPos;
    DragFormPos = pos();
    Dragging = true;
}

void TKAlarmPopUpDialog::FormMouseMove(QPoint globalPos)
{
    if (!Dragging)
        return;
    move(DragFormPos.x() + (globalPos.x() - DragMousePos.x()),
         DragFormPos.y() + (globalPos.y() - DragMousePos.y()));
}

void TKAlarmPopUpDialog::mousePressEvent(QMouseEvent *event)
{
    FormMouseDown(event->globalPosition().toPoint());
    QDialog::mousePressEvent(event);
}

void TKAlarmPopUpDialog::mouseMoveEvent(QMouseEvent *event)
{
    FormMouseMove(event->globalPosition().toPoint());
    QDialog::mouseMoveEvent(event);
}

void TKAlarmPopUpDialog::mouseReleaseEvent(QMouseEvent *event)
{
    Dragging = false;
    QDialog::mouseReleaseEvent(event);
}
