#include "listedit/KTTimeEntryComb.h"

#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

namespace {
constexpr int HourLimit = 24;
constexpr int MinuteLimit = 59;

QComboBox *MakeBox(QWidget *parent, QObject *filter)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(12);
    QFont f = box->font();
    f.setPointSize(10);
    box->setFont(f);
    box->lineEdit()->setMaxLength(2);
    box->lineEdit()->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}"), box));
    box->completer()->setCompletionMode(QCompleter::InlineCompletion);
    box->installEventFilter(filter);
    box->lineEdit()->installEventFilter(filter);
    return box;
}
} // namespace

KTTimeEntryComb::KTTimeEntryComb(QWidget *owner) : QFrame(owner)
{
    hide();
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    const int boxHeight = 24, boxWidth = 45, colonWidth = 25;
    hourBox_ = MakeBox(this, this);
    hourBox_->setGeometry(8, 8, boxWidth, boxHeight);
    colon_ = new QLabel(QStringLiteral(":"), this);
    colon_->setAlignment(Qt::AlignCenter);
    QFont cf = hourBox_->font();
    cf.setBold(true);
    colon_->setFont(cf);
    colon_->setGeometry(8 + boxWidth, 8, colonWidth, boxHeight);
    minuteBox_ = MakeBox(this, this);
    minuteBox_->setGeometry(8 + boxWidth + colonWidth, 8, boxWidth, boxHeight);
    resize(2 * boxWidth + colonWidth + 16, boxHeight + 16);

    connect(hourBox_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &t) { HourEdited(t); });
    connect(hourBox_, &QComboBox::activated, this, [this](int) {
        ClampBox(hourBox_, HourLimit);
        minuteBox_->setFocus();
    });
    connect(minuteBox_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString &) { ClampBox(minuteBox_, MinuteLimit); });
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

void KTTimeEntryComb::ClampBox(QComboBox *box, int limit)
{
    bool ok = false;
    int v = box->currentText().toInt(&ok);
    if (ok && v > limit)
        box->setEditText(QString::number(limit));
}

void KTTimeEntryComb::HourEdited(const QString &text)
{
    ClampBox(hourBox_, HourLimit);
    // Move on once the hour is complete: two digits, or a digit no second digit can follow.
    const QString t = hourBox_->currentText();
    if (t.size() >= 2 || (t.size() == 1 && t.at(0) >= QLatin1Char('3')) || text != t)
        minuteBox_->setFocus();
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
        const int limit = box == hourBox_ ? HourLimit : MinuteLimit;
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                ClampBox(box, limit);
                KeyStep(Qt::Key_Return);
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                KeyStep(Qt::Key_Escape);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            ClampBox(box, limit);
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            ClampBox(hourBox_, HourLimit);
            ClampBox(minuteBox_, MinuteLimit);
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
