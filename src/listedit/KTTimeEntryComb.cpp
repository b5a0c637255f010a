#include "listedit/KTTimeEntryComb.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QValidator>
#include <functional>

namespace {
constexpr int MinuteLimit = 59;

// Accepts what a box may hold: nothing, or up to two digits not above the limit. A pasted
// out-of-range number is refused as a whole.
class BoxValidator : public QValidator {
public:
    BoxValidator(std::function<int()> limit, QObject *parent) : QValidator(parent), limit_(std::move(limit))
    {}
    State validate(QString &input, int &) const override
    {
        if (input.isEmpty())
            return Acceptable;
        if (input.size() > 2)
            return Invalid;
        for (QChar c : input)
            if (!c.isDigit() || c.unicode() > '9')
                return Invalid;
        return input.toInt() <= limit_() ? Acceptable : Invalid;
    }

private:
    std::function<int()> limit_;
};

QComboBox *MakeBox(QWidget *parent, QObject *filter, std::function<int()> limit)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(12);
    QFont f = box->font();
    f.setPointSize(10);
    box->setFont(f);
    box->lineEdit()->setMaxLength(2);
    box->lineEdit()->setValidator(new BoxValidator(std::move(limit), box));
    box->completer()->setCompletionMode(QCompleter::InlineCompletion);
    box->installEventFilter(filter);
    box->lineEdit()->installEventFilter(filter);
    return box;
}

// The text a line edit would hold after typing c at its caret.
QString TextAfterTyping(const QLineEdit *edit, QChar c)
{
    QString text = edit->text();
    if (edit->hasSelectedText())
        return text.replace(edit->selectionStart(), edit->selectedText().size(), c);
    return text.insert(edit->cursorPosition(), c);
}
} // namespace

KTTimeEntryComb::KTTimeEntryComb(QWidget *owner) : QFrame(owner)
{
    hide();
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    const int boxHeight = 24, boxWidth = 45, colonWidth = 25;
    hourBox_ = MakeBox(this, this, [this] { return MaxHour(); });
    hourBox_->setGeometry(8, 8, boxWidth, boxHeight);
    colon_ = new QLabel(QStringLiteral(":"), this);
    colon_->setAlignment(Qt::AlignCenter);
    QFont cf = hourBox_->font();
    cf.setBold(true);
    colon_->setFont(cf);
    colon_->setGeometry(8 + boxWidth, 8, colonWidth, boxHeight);
    minuteBox_ = MakeBox(this, this, [] { return MinuteLimit; });
    minuteBox_->setGeometry(8 + boxWidth + colonWidth, 8, boxWidth, boxHeight);
    resize(2 * boxWidth + colonWidth + 16, boxHeight + 16);

    connect(hourBox_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &) { HourEdited(); });
    connect(hourBox_, &QComboBox::activated, this, [this](int) { GoToMinutes(); });
    if (owner)
        FillLists();
}

void KTTimeEntryComb::SetParent(QWidget *parent)
{
    if (!parent)
        return;
    bool wasVisible = isVisible();
    setParent(parent);
    setVisible(wasVisible);
    FillLists();
}

void KTTimeEntryComb::FillLists()
{
    hourBox_->clear();
    for (int h = 0; h <= 24; ++h)
        hourBox_->addItem(QString::number(h));
    minuteBox_->clear();
    for (int m = 0; m <= 59; ++m)
        minuteBox_->addItem(QString::number(m));
    SetEntryValue(entryValue_);
}

int KTTimeEntryComb::MaxHour() const
{
    return hourBox_->count() > 24 || hourBox_->count() == 0 ? 24 : 23;
}

void KTTimeEntryComb::HourEdited()
{
    // The hour is complete with two digits, or with one no second digit could follow.
    const QString t = hourBox_->currentText();
    if (t.size() >= 2 || (t.size() == 1 && t.toInt() * 10 > MaxHour()))
        GoToMinutes();
}

void KTTimeEntryComb::GoToMinutes()
{
    minuteBox_->setFocus(Qt::TabFocusReason);
    // What is typed next replaces the minutes shown.
    minuteBox_->lineEdit()->selectAll();
}

void KTTimeEntryComb::GoToHours()
{
    hourBox_->setFocus(Qt::BacktabFocusReason);
    hourBox_->lineEdit()->deselect();
    hourBox_->lineEdit()->end(false);
}

bool KTTimeEntryComb::TypeDigit(QComboBox *box, QChar digit)
{
    QLineEdit *edit = box->lineEdit();
    const int limit = box == hourBox_ ? MaxHour() : MinuteLimit;
    const QString after = TextAfterTyping(edit, digit);
    if (after.size() <= 2 && after.toInt() <= limit)
        return false; // the box takes it; a complete hour then moves on
    // A digit that cannot follow the hour typed so far begins the minutes: "730" is 7:30.
    if (box == hourBox_ && !edit->hasSelectedText() && edit->cursorPosition() == edit->text().size() &&
        !edit->text().isEmpty()) {
        minuteBox_->setFocus(Qt::TabFocusReason);
        minuteBox_->setEditText(digit);
        minuteBox_->lineEdit()->end(false);
        return true;
    }
    QApplication::beep();
    return true;
}

bool KTTimeEntryComb::BoxKey(QComboBox *box, QKeyEvent *key)
{
    const bool hours = box == hourBox_;
    QLineEdit *edit = box->lineEdit();
    const bool atEnd = !edit->hasSelectedText() && edit->cursorPosition() == edit->text().size();
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        KeyStep(Qt::Key_Return);
        return true;
    case Qt::Key_Escape:
        KeyStep(Qt::Key_Escape);
        return true;
    case Qt::Key_Tab:
        if (hours)
            GoToMinutes();
        else
            KeyStep(Qt::Key_Tab);
        return true;
    case Qt::Key_Backtab:
        if (hours)
            KeyStep(Qt::Key_Backtab);
        else
            GoToHours();
        return true;
    case Qt::Key_Colon:
    case Qt::Key_Period:
        if (hours)
            GoToMinutes();
        return true;
    case Qt::Key_Right:
        if (hours && (atEnd || edit->selectedText() == edit->text())) {
            GoToMinutes();
            return true;
        }
        return false;
    case Qt::Key_Left:
        if (!hours && !edit->hasSelectedText() && edit->cursorPosition() == 0) {
            GoToHours();
            return true;
        }
        return false;
    default:
        break;
    }
    const QString text = key->text();
    if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9') &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return TypeDigit(box, text[0]);
    return false;
}

void KTTimeEntryComb::ReadBoxes()
{
    KSchTime t;
    bool ok = false;
    const QString h = hourBox_->currentText();
    if (!h.isEmpty()) {
        int v = h.toInt(&ok);
        if (ok)
            t.SetHour(uint8_t(std::min(v, 255)));
    }
    const QString m = minuteBox_->currentText();
    if (!m.isEmpty()) {
        int v = m.toInt(&ok);
        if (ok)
            t.SetMinute(uint8_t(std::min(v, 255)));
    }
    t.SetSecond(0);
    SetEntryValue(t);
}

KSchTime KTTimeEntryComb::GetEntryValue()
{
    ReadBoxes();
    return entryValue_;
}

void KTTimeEntryComb::SetEntryValue(KSchTime t)
{
    if (t.Hour > 24)
        t.Hour = 24;
    if (t.Minute > 60)
        t.Minute = 59;
    entryValue_ = t;
    if (t.Hour < hourBox_->count())
        hourBox_->setCurrentIndex(t.Hour);
    hourBox_->setEditText(QString::number(t.Hour));
    if (t.Minute < minuteBox_->count())
        minuteBox_->setCurrentIndex(t.Minute);
    minuteBox_->setEditText(QString::number(t.Minute));
}

void KTTimeEntryComb::KeyStep(int key)
{
    if (key == Qt::Key_Return)
        ReadBoxes();
    if (keyHandler_)
        keyHandler_(this, key);
}

bool KTTimeEntryComb::eventFilter(QObject *obj, QEvent *event)
{
    QComboBox *box = nullptr;
    if (obj == hourBox_ || obj == hourBox_->lineEdit())
        box = hourBox_;
    else if (obj == minuteBox_ || obj == minuteBox_->lineEdit())
        box = minuteBox_;
    if (box) {
        if (event->type() == QEvent::KeyPress) {
            if (BoxKey(box, static_cast<QKeyEvent *>(event)))
                return true;
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            ReadBoxes();
            if (dblClick_)
                dblClick_(this);
            return true;
        }
    }
    return QFrame::eventFilter(obj, event);
}

void KTTimeEntryComb::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragMouse_ = event->globalPosition().toPoint();
        dragPos_ = pos();
    }
    QFrame::mousePressEvent(event);
}

void KTTimeEntryComb::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_)
        move(dragPos_ + (event->globalPosition().toPoint() - dragMouse_));
    QFrame::mouseMoveEvent(event);
}

void KTTimeEntryComb::mouseReleaseEvent(QMouseEvent *event)
{
    dragging_ = false;
    QFrame::mouseReleaseEvent(event);
}
