#include "listedit/KTMemoPanel.h"

#include "platform/core/KPrompter.h"
#include "platform/qt/KColorConv.h"
#include "platform/qt/KUiText.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

KTMemoPanel::KTMemoPanel(QWidget *owner) : QFrame(owner)
{
    Build();
}

KTMemoPanel::KTMemoPanel(QWidget *owner, QWidget *parent) : QFrame(parent ? parent : owner)
{
    Build();
}

void KTMemoPanel::Build()
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    resize(300, 50);
    memo_ = new QTextEdit(this);
    memo_->setGeometry(4, 4, width() - 8, height() - 8);
    memo_->setReadOnly(true);
    memo_->setAcceptRichText(false);
    memo_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memo_->setLineWrapMode(QTextEdit::WidgetWidth);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->document()->setDocumentMargin(0);
    memo_->installEventFilter(this);
    memo_->viewport()->installEventFilter(this);
    // The limit holds however text arrives: keys, an input method, paste or drop.
    connect(memo_, &QTextEdit::textChanged, this, [this] { EnforceLimit(); });
    probe_ = new QLabel(QStringLiteral("HEIGHT"), this);
    probe_->hide();
    probe_->adjustSize();
    ApplyMemoPalette();
    SetMemoBorder(true);
}

void KTMemoPanel::SetParent(QWidget *parent)
{
    if (parent)
        setParent(parent);
}

void KTMemoPanel::SetHeight(int h)
{
    resize(width(), h);
    memo_->resize(memo_->width(), std::max(0, h - 8));
}

void KTMemoPanel::SetWidth(int w)
{
    resize(w, height());
    memo_->resize(std::max(0, w - 8), memo_->height());
    RecomputeHeight();
}

void KTMemoPanel::SetPanelText(const QString &text)
{
    text_ = text;
    baseLength_ = int(text.size());
    memo_->setPlainText(text);
    RecomputeHeight();
}

QString KTMemoPanel::PanelText() const
{
    return memo_ ? memo_->toPlainText() : QString();
}

int KTMemoPanel::WrappedLines(const QString &text) const
{
    const int frame = memoBorder_ ? 2 : 0;
    const qreal lineWidth = std::max(1, memo_->width() - frame);
    const QFont font = memo_->font();
    int lines = 0;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (const QString &para : paragraphs) {
        QTextLayout layout(para, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        int count = 0;
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(lineWidth);
            ++count;
        }
        layout.endLayout();
        lines += std::max(1, count);
    }
    return lines;
}

void KTMemoPanel::RecomputeHeight()
{
    int lines = text_.isEmpty() ? MinLines : WrappedLines(text_);
    lines = std::max(1, std::min(lines, MaxLines));
    const int lineHeight = probe_->sizeHint().height();
    memo_->resize(memo_->width(), lines * lineHeight);
    resize(width(), memo_->height() + 8);
}

void KTMemoPanel::ApplyMemoPalette()
{
    QPalette pal = memo_->palette();
    pal.setColor(QPalette::Base, KColorConv::ToQColor(memoColor_));
    pal.setColor(QPalette::Text, KColorConv::ToQColor(memoFontColor_));
    memo_->setPalette(pal);
    QPalette own = palette();
    own.setColor(QPalette::Window, KColorConv::ToQColor(memoColor_));
    setPalette(own);
}

void KTMemoPanel::SetMemoColor(uint32_t color)
{
    memoColor_ = color & 0xFFFFFF;
    ApplyMemoPalette();
}

void KTMemoPanel::SetMemoFontColor(uint32_t color)
{
    memoFontColor_ = color & 0xFFFFFF;
    ApplyMemoPalette();
}

void KTMemoPanel::SetMemoBorder(bool on)
{
    memoBorder_ = on;
    memo_->setFrameShape(on ? QFrame::Box : QFrame::NoFrame);
    memo_->setFrameShadow(QFrame::Plain);
    memo_->setLineWidth(1);
}

void KTMemoPanel::SetMaxLength(int n)
{
    maxLength_ = std::max(0, n);
}

void KTMemoPanel::EnforceLimit()
{
    if (!editable_ || maxLength_ <= 0)
        return;
    // A longer text given to the panel is kept; only what is added is held to the limit.
    const int allowed = std::max(maxLength_, baseLength_);
    const int excess = int(memo_->toPlainText().size()) - allowed;
    if (excess <= 0)
        return;
    // The characters just added end at the caret: take the excess back from there.
    QTextCursor cursor = memo_->textCursor();
    const int end = cursor.position();
    if (end >= excess) {
        cursor.setPosition(end - excess);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(allowed);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
    memo_->setTextCursor(cursor);
}

void KTMemoPanel::SetEditable(bool on)
{
    editable_ = on;
    memo_->setReadOnly(!on);
}

QString KTMemoPanel::LimitMessage() const
{
    return KUiText::Tr("入力可能文字数は%1文字までです。").arg(maxLength_);
}

bool KTMemoPanel::IsCharacterKey(int key) const
{
    if (key == Qt::Key_Space)
        return true;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return true;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return true;
    // Punctuation and symbols of the printable ASCII range, and letters beyond it.
    return (key > Qt::Key_Space && key < Qt::Key_A) || (key > Qt::Key_Z && key <= Qt::Key_ydiaeresis);
}

bool KTMemoPanel::eventFilter(QObject *obj, QEvent *event)
{
    if (obj == memo_ && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (commit_)
                commit_(this);
            return true; // never a line break
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            return true;
        }
        if (editable_ && maxLength_ > 0 && !key->text().isEmpty() && key->text().at(0).isPrint()) {
            if (memo_->toPlainText().size() >= maxLength_ && memo_->textCursor().selectedText().isEmpty()) {
                if (IsCharacterKey(key->key())) {
                    if (prompter_)
                        prompter_->Show(QApplication::applicationDisplayName().toStdU16String(),
                                        LimitMessage().toStdU16String());
                    else
                        QMessageBox(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                                    LimitMessage(), QMessageBox::Ok, window())
                            .exec();
                }
                return true; // the memo refuses the character
            }
        }
    }
    if ((obj == memo_ || obj == memo_->viewport()) && event->type() == QEvent::Enter)
        MouseEntered();
    if ((obj == memo_ || obj == memo_->viewport()) && event->type() == QEvent::Leave)
        MouseLeft();
    return QFrame::eventFilter(obj, event);
}

void KTMemoPanel::enterEvent(QEnterEvent *event)
{
    MouseEntered();
    QFrame::enterEvent(event);
}

void KTMemoPanel::leaveEvent(QEvent *event)
{
    MouseLeft();
    QFrame::leaveEvent(event);
}

void KTMemoPanel::SetOnMouseEnter(Handler h)
{
    enter_ = std::move(h);
}

void KTMemoPanel::SetOnMouseLeave(Handler h)
{
    leave_ = std::move(h);
}

void KTMemoPanel::MouseEntered()
{
    if (!enter_ || mouseInside_)
        return;
    mouseInside_ = true;
    enter_(this);
}

void KTMemoPanel::MouseLeft()
{
    if (!leave_)
        return;
    QPoint local = mapFromGlobal(QCursor::pos());
    if (rect().contains(local))
        return;
    mouseInside_ = false;
    leave_(this);
}
