#include "graphs/KTSchFramePopup.h"

#include "model/KScheduleFrame.h"
#include "platform/qt/KFontMap.h"
#include "platform/qt/KUiText.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

namespace {
QLabel *MakeBox(QWidget *parent, bool wrap)
{
    auto *box = new QLabel(parent);
    box->setTextFormat(Qt::PlainText);
    box->setWordWrap(wrap);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setContentsMargins(0, 0, 0, 0);
    box->setMargin(0);
    return box;
}
} // namespace

KTSchFramePopup::KTSchFramePopup(QWidget *parent) : QFrame(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    resize(DefaultWidth, 12);
    setFont(KFontMap::PointFont("MS Gothic", 9));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    setPalette(pal);
    setAutoFillBackground(true);

    TitleProbe = MakeBox(this, false);
    TitleProbe->setText(QStringLiteral("時間 ： "));
    TitleProbe->adjustSize();
    TitleProbe->hide();
    lineHeight_ = TitleProbe->height();
    titleWidth_ = TitleProbe->width();
    // Only its size is used from here on.
    TitleProbe->clear();

    ItemTitle = MakeBox(this, false);
    TimeTitle = MakeBox(this, false);
    MemoTitle = MakeBox(this, false);
    ItemValue = MakeBox(this, true);
    TimeValue = MakeBox(this, false);
    MemoValue = MakeBox(this, true);
    // The item name and the memo are the user's own texts, never translated.
    KUiText::MarkUserData(ItemValue);
    KUiText::MarkUserData(MemoValue);
    for (QLabel *box : {ItemTitle, TimeTitle, MemoTitle, ItemValue, TimeValue, MemoValue})
        box->resize(box->width(), lineHeight_);
    ArrangeRows();
    hide();
}

void KTSchFramePopup::SetHeight(int h)
{
    if (h != height())
        resize(width(), h);
}

void KTSchFramePopup::SetWidth(int w)
{
    if (w == width())
        return;
    resize(w, height());
    ArrangeRows();
    FillRows(shownFrame_);
}

void KTSchFramePopup::ArrangeRows()
{
    const int valueLeft = titleWidth_ + 6;
    const int valueWidth = std::max(0, width() - titleWidth_ - 10);
    ItemTitle->setGeometry(4, 4, titleWidth_, ItemTitle->height());
    ItemValue->setGeometry(valueLeft, 4, valueWidth, ItemValue->height());
    TimeTitle->setGeometry(4, lineHeight_ + 6, titleWidth_, TimeTitle->height());
    TimeValue->setGeometry(valueLeft, lineHeight_ + 6, valueWidth, TimeValue->height());
    const int memoTop = 2 * (lineHeight_ + 2) + 4;
    MemoTitle->setGeometry(4, memoTop, titleWidth_, MemoTitle->height());
    MemoValue->setGeometry(valueLeft, memoTop, valueWidth, MemoValue->height());
}

int KTSchFramePopup::ValueHeight(QLabel *value) const
{
    int lines = 1;
    if (!value->text().isEmpty()) {
        const QFontMetrics fm(value->font());
        const int flags = value->wordWrap() ? int(Qt::TextWordWrap) : 0;
        const QRect r =
            fm.boundingRect(QRect(0, 0, std::max(1, value->width()), 100000), flags, value->text());
        lines = std::max(1, (r.height() + fm.lineSpacing() / 2) / std::max(1, fm.lineSpacing()));
    }
    lines = std::clamp(lines, 1, 6);
    return std::min(lines * lineHeight_, 150);
}

int KTSchFramePopup::RowHeight(QLabel *title, QLabel *value) const
{
    title->resize(title->width(), TitleProbe->height());
    value->resize(value->width(), ValueHeight(value));
    return std::max(title->height(), value->height());
}

void KTSchFramePopup::FillRows(const KScheduleFrame *frame)
{
    const bool english = PopupLanguage == 1;
    const bool empty = frame == nullptr || !frame->HasItemName();
    // The title column is as wide as its longest title in the language shown.
    ItemTitle->setText(english ? QStringLiteral("Item : ") : QStringLiteral("項目 ： "));
    TimeTitle->setText(english ? QStringLiteral("Time : ") : QStringLiteral("時間 ： "));
    MemoTitle->setText(english ? QStringLiteral("Memo : ") : QStringLiteral("メモ ： "));
    int titles = 0;
    for (QLabel *title : {ItemTitle, TimeTitle, MemoTitle})
        titles = std::max(titles, title->fontMetrics().size(0, title->text()).width());
    if (titles != titleWidth_) {
        titleWidth_ = titles;
        ArrangeRows();
    }

    ItemTitle->move(ItemTitle->x(), 4);
    ItemValue->move(ItemValue->x(), 4);
    ItemValue->clear();
    if (!empty)
        ItemValue->setText(QString::fromStdU16String(frame->ItemName));
    const int h1 = RowHeight(ItemTitle, ItemValue);

    TimeTitle->move(TimeTitle->x(), h1 + 6);
    TimeValue->clear();
    if (!empty) {
        TimeValue->move(TimeValue->x(), h1 + 6);
        const QString start = QString::fromStdU16String(FormatTime(ToClockTime(frame->StartTime), false));
        const QString end = QString::fromStdU16String(FormatTime(ToClockTime(frame->EndTime()), false));
        TimeValue->setText(start + (english ? QStringLiteral(" ~ ") : QStringLiteral(" ～ ")) + end);
    }
    const int h2 = RowHeight(TimeTitle, TimeValue);

    MemoTitle->move(MemoTitle->x(), h1 + h2 + 8);
    MemoValue->move(MemoValue->x(), h1 + h2 + 8);
    MemoValue->clear();
    if (!empty)
        MemoValue->setText(QString::fromStdU16String(frame->Memo));
    const int h3 = RowHeight(MemoTitle, MemoValue);

    SetHeight(h1 + h2 + h3 + 14);
}

void KTSchFramePopup::ShowFrame(const KScheduleFrame *frame)
{
    shownFrame_ = frame;
    FillRows(frame);
}

void KTSchFramePopup::ShowAt(QWidget *host, const KScheduleFrame *frame, int x, int y)
{
    QWidget *target = host->parentWidget() ? host->parentWidget() : host;
    if (parentWidget() != target)
        setParent(target);
    // Never wider than the window part it shows in (a small skin window).
    SetWidth(std::min(DefaultWidth, target->width()));
    const int right = (host->parentWidget() ? host->x() : 0) + host->width();
    const int e = x + width();
    const int overflow = right < e ? e - right : 0;
    const int left = overflow < x ? x - overflow : 0;
    move(left, y);
    show();
    raise();
    ShowFrame(frame);
    int top = (y + height() + 20 < host->height()) ? y + 20 : y - height() - 2;
    // Kept inside the part of the window it shows in as far as its height allows.
    top = std::clamp(top, 0, std::max(0, target->height() - height()));
    move(left, top);
}

QString KTSchFramePopup::ItemText() const
{
    return ItemValue->text();
}

QString KTSchFramePopup::TimeText() const
{
    return TimeValue->text();
}

QString KTSchFramePopup::MemoText() const
{
    return MemoValue->text();
}
