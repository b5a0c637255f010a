#include "app/dialogs/TKClock.h"

#include "platform/qt/KFontMap.h"
#include "platform/qt/KQtText.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

TKClock::TKClock(QWidget *owner) : QFrame(owner)
{
    resize(182, 80);
    AMPMLabel = new QLabel(this);
    AMPMLabel->setFont(KFontMap::PointFont(QStringLiteral("MS PGothic"), 12, true));
    AMPMLabel->move(5, 5);
    // The period label keeps one width so that the time does not jump between AM and PM.
    QFontMetrics pm(AMPMLabel->font());
    periodWidth_ =
        std::max(pm.size(0, QStringLiteral("AM")).width(), pm.size(0, QStringLiteral("PM")).width());
    AMPMLabel->resize(periodWidth_, pm.height());
    AMPMLabel->setText(QStringLiteral("AM"));

    ClockLabel = new QLabel(this);
    ClockLabel->setFont(KFontMap::PixelFont(QStringLiteral("MS Gothic"), 28));
    ClockLabel->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    ClockLabel->setAttribute(Qt::WA_TranslucentBackground);
    // As tall as its face needs for a laid-out line (leading included), above the line under it.
    const int timeHeight = QFontMetrics(ClockLabel->font())
                               .boundingRect(QRect(0, 0, 1000, 1000), 0, QStringLiteral("00:00:00"))
                               .height();
    ClockLabel->setGeometry(AMPMLabel->x() + periodWidth_ + 10, std::max(0, 43 - timeHeight), 150,
                            std::max(32, timeHeight));

    Splitter1 = new QFrame(this);
    Splitter1->setFrameShape(QFrame::HLine);
    Splitter1->setFrameShadow(QFrame::Sunken);
    Splitter1->setGeometry(0, 44, 182, 2);

    _24H_CheckBox = new QCheckBox(QStringLiteral("  24H"), this);
    _24H_CheckBox->move(32, 54);
    _24H_CheckBox->adjustSize();
    DispSecBox = new QCheckBox(QStringLiteral("  SEC"), this);
    DispSecBox->move(111, 54);
    DispSecBox->adjustSize();
    _24H_CheckBox->installEventFilter(this);
    DispSecBox->installEventFilter(this);

    connect(_24H_CheckBox, &QCheckBox::clicked, this, [this](bool checked) {
        clock24_ = checked;
        Redraw();
        if (On24HChanged)
            On24HChanged(this);
    });
    connect(DispSecBox, &QCheckBox::clicked, this, [this](bool checked) {
        seconds_ = checked;
        Redraw();
        if (OnSecondsChanged)
            OnSecondsChanged(this);
    });
    _24H_CheckBox->setChecked(clock24_);
    DispSecBox->setChecked(seconds_);
    Redraw();
}

bool TKClock::eventFilter(QObject *obj, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Enter switches the box as a click would.
            if (obj == _24H_CheckBox) {
                _24H_CheckBox->setChecked(!_24H_CheckBox->isChecked());
                clock24_ = _24H_CheckBox->isChecked();
                Redraw();
                if (On24HChanged)
                    On24HChanged(this);
                return true;
            }
            if (obj == DispSecBox) {
                DispSecBox->setChecked(!DispSecBox->isChecked());
                seconds_ = DispSecBox->isChecked();
                Redraw();
                if (OnSecondsChanged)
                    OnSecondsChanged(this);
                return true;
            }
        }
    }
    return QFrame::eventFilter(obj, event);
}

void TKClock::SetTime(KSchTime t)
{
    if (t == time_)
        return;
    time_ = t;
    Redraw();
}

void TKClock::Set24H(bool on)
{
    clock24_ = on;
    _24H_CheckBox->setChecked(on);
    Redraw();
}

void TKClock::SetSeconds(bool on)
{
    seconds_ = on;
    DispSecBox->setChecked(on);
    Redraw();
}

QString TKClock::PeriodText(KSchTime t)
{
    return t.Hour % 24 > 11 ? QStringLiteral("PM") : QStringLiteral("AM");
}

QString TKClock::ClockText(KSchTime t, bool clock24, bool seconds)
{
    KSchTime shown = t;
    if (!clock24 && shown.Hour % 24 > 12)
        shown.Hour = uint8_t(shown.Hour - 12);
    QString text = Q(FormatTime(shown, true));
    return seconds ? text : text.left(5);
}

void TKClock::Redraw()
{
    if (clock24_) {
        AMPMLabel->hide();
    } else {
        AMPMLabel->setText(PeriodText(time_));
        AMPMLabel->show();
    }
    ClockLabel->move(AMPMLabel->x() + periodWidth_ + (seconds_ ? 10 : 30), ClockLabel->y());
    ClockLabel->setText(ClockText(time_, clock24_, seconds_));
}
