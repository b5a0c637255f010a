#include "graphs/TKCurSchView.h"

#include "platform/qt/KColorConv.h"
#include "platform/qt/KFontMap.h"
#include "platform/qt/KQtText.h"
#include "platform/qt/KUiText.h"

#include <QLabel>
#include <QLineEdit>

namespace {
const char16_t *const Captions[2][5] = {
    {u"現在のスケジュール", u"項目", u"開始時刻", u"終了時刻", u"残り時間"},
    {u"Current Schedule", u"Item", u"Start", u"End", u"Remained"},
};
} // namespace

TKCurSchView::TKCurSchView(QWidget *owner, int language) : QFrame(owner), language_(language == 1 ? 1 : 0)
{
    resize(209, 140);
    LabelCurSchTitle = new QLabel(this);
    LabelCurSchTitle->setAlignment(Qt::AlignCenter);
    LabelCurSchTitle->setGeometry(19, 4, 174, 20);
    QLabel **captions[4] = {&LabelSchItem, &LabelStartTime, &LabelEndTime, &LabelRemainTime};
    QLineEdit **values[4] = {&EditSchItem, &EditStartTime, &EditEndTime, &EditRemainTime};
    const char *initial[4] = {"---", "00:00", "00:00", "00:00"};
    const QFont valueFont = KFontMap::PixelFont(QStringLiteral("Century Gothic"), 15);
    for (int i = 0; i < 4; ++i) {
        const int top = 30 + 26 * i;
        *captions[i] = new QLabel(this);
        (*captions[i])->move(4, top + 2);
        auto *edit = new QLineEdit(QString::fromLatin1(initial[i]), this);
        edit->setReadOnly(true);
        edit->setFrame(false);
        edit->setFont(valueFont);
        edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        edit->setFocusPolicy(Qt::NoFocus);
        // The time fields are 90 wide, or as wide as the longest time text in the face actually used.
        const int timeWidth =
            std::max(90, QFontMetrics(valueFont).horizontalAdvance(QStringLiteral("PM 00:00:00")) + 6);
        edit->setGeometry(80, top, i == 0 ? 120 : timeWidth, 22);
        QPalette pal = edit->palette();
        pal.setColor(QPalette::Base, Qt::transparent);
        edit->setPalette(pal);
        edit->setAutoFillBackground(false);
        *values[i] = edit;
    }
    // The item name is the user's own text, never translated.
    KUiText::MarkUserData(EditSchItem);
    WriteCaptions();
}

void TKCurSchView::SetLanguage(int language)
{
    language = language == 1 ? 1 : 0;
    if (language == language_)
        return;
    language_ = language;
    WriteCaptions();
}

void TKCurSchView::WriteCaptions()
{
    LabelCurSchTitle->setText(QString::fromUtf16(Captions[language_][0]));
    QLabel *captions[4] = {LabelSchItem, LabelStartTime, LabelEndTime, LabelRemainTime};
    for (int i = 0; i < 4; ++i) {
        captions[i]->setText(QString::fromUtf16(Captions[language_][i + 1]));
        captions[i]->adjustSize();
    }
    Layout();
}

void TKCurSchView::SetBackgroundColor(uint32_t color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, KColorConv::ToQColor(color));
    setPalette(pal);
    setAutoFillBackground(true);
}

void TKCurSchView::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    Layout();
}

void TKCurSchView::Layout()
{
    labelColumnWidth_ = 0;
    for (QLabel *l : {LabelSchItem, LabelStartTime, LabelEndTime, LabelRemainTime})
        labelColumnWidth_ = std::max(labelColumnWidth_, l->width());
    valueColumnWidth_ = 0;
    for (QLineEdit *e : {EditSchItem, EditStartTime, EditEndTime, EditRemainTime})
        valueColumnWidth_ = std::max(valueColumnWidth_, e->width());
    const int w = width();
    const int gap = std::clamp(w - labelColumnWidth_ + valueColumnWidth_, 0, 15);
    const int margin = (w - labelColumnWidth_ - valueColumnWidth_ - gap) / 2;
    LabelCurSchTitle->adjustSize();
    LabelCurSchTitle->move((w - LabelCurSchTitle->width()) / 2, 4);
    for (QLabel *l : {LabelSchItem, LabelStartTime, LabelEndTime, LabelRemainTime})
        l->move(margin, l->y());
    for (QLineEdit *e : {EditSchItem, EditStartTime, EditEndTime, EditRemainTime})
        e->move(margin + labelColumnWidth_ + gap, e->y());
}

QString TKCurSchView::ClockTimeText(KSchTime t, bool clock24, bool seconds)
{
    t = ToClockTime(t);
    QString prefix;
    if (!clock24) {
        prefix = t.Hour > 11 ? QStringLiteral("PM ") : QStringLiteral("AM ");
        if (t.Hour > 12)
            t.Hour = uint8_t(t.Hour - 12);
    }
    QString text = Q(FormatTime(t, true));
    return prefix + (seconds ? text : text.left(5));
}

QString TKCurSchView::RemainText(KSchTime end, KSchTime now, bool seconds)
{
    const KSchTime day{24, 0, 0};
    if (GreaterOrEqual(end, day))
        end = DiffTimes(end, day);
    KSchTime remaining = ToClockTime(DiffTimes(end, now));
    QString text = Q(FormatTime(remaining, true));
    return seconds ? text : text.left(5);
}

void TKCurSchView::ShowText(QLineEdit *edit, const QString &text)
{
    // The same text again would still repaint the box: the tick sets it every second.
    if (edit->text() == text)
        return;
    edit->setText(text);
    edit->setCursorPosition(0);
}

void TKCurSchView::RebuildStart()
{
    timeText_ = ClockTimeText(shownStart_, clock24_, seconds_);
    ShowText(EditStartTime, timeText_);
}

void TKCurSchView::RebuildEnd()
{
    timeText_ = ClockTimeText(shownEnd_, clock24_, seconds_);
    ShowText(EditEndTime, timeText_);
}

void TKCurSchView::RebuildRemain()
{
    timeText_ = RemainText(shownEnd_, shownNow_, seconds_);
    ShowText(EditRemainTime, timeText_);
}

void TKCurSchView::SetNow(KSchTime t)
{
    if (t == shownNow_)
        return;
    shownNow_ = t;
    RebuildRemain();
}

void TKCurSchView::SetShowSeconds(bool on)
{
    if (on == seconds_)
        return;
    seconds_ = on;
    RebuildStart();
    RebuildEnd();
    RebuildRemain();
}

void TKCurSchView::SetClock24H(bool on)
{
    if (on == clock24_)
        return;
    clock24_ = on;
    RebuildStart();
    RebuildEnd();
    RebuildRemain();
}

void TKCurSchView::SetStart(KSchTime t)
{
    if (t == shownStart_)
        return;
    shownStart_ = t;
    RebuildStart();
    RebuildRemain();
}

void TKCurSchView::SetEnd(KSchTime t)
{
    if (t == shownEnd_)
        return;
    shownEnd_ = t;
    RebuildEnd();
    RebuildRemain();
}
