#include "graphs/TKSchGraphView.h"

#include "graphs/KTSchTimeCount.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"

#include <QPainter>
#include <QResizeEvent>
#include <QToolButton>

namespace {
// The three button images: a small pie, a small timeline, three bars.
QIcon ButtonImage(int which)
{
    QPixmap pm(24, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    if (which == 0) {
        const QRectF box(4.5, 0.5, 16, 16);
        p.setBrush(QColor(255, 200, 80));
        p.drawPie(box, 90 * 16, -150 * 16);
        p.setBrush(QColor(90, 160, 255));
        p.drawPie(box, -60 * 16, -120 * 16);
        p.setBrush(QColor(120, 210, 120));
        p.drawPie(box, 180 * 16, -90 * 16);
    } else if (which == 1) {
        p.setBrush(QColor(128, 128, 128));
        p.drawRect(QRectF(5.5, 0.5, 4, 16));
        p.setBrush(QColor(255, 200, 80));
        p.drawRect(QRectF(12.5, 0.5, 6, 6));
        p.setBrush(QColor(90, 160, 255));
        p.drawRect(QRectF(12.5, 6.5, 6, 10));
    } else {
        p.drawLine(QPointF(3.5, 0.5), QPointF(3.5, 17.5));
        p.setBrush(QColor(255, 200, 80));
        p.drawRect(QRectF(3.5, 1.5, 16, 4));
        p.setBrush(QColor(90, 160, 255));
        p.drawRect(QRectF(3.5, 7.5, 10, 4));
        p.setBrush(QColor(120, 210, 120));
        p.drawRect(QRectF(3.5, 13.5, 6, 3));
    }
    p.end();
    return QIcon(pm);
}
} // namespace

TKSchGraphView::TKSchGraphView(QWidget *parent) : QFrame(parent)
{
    resize(272, 223);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);

    PieSelectButton = new QToolButton(this);
    TimelineSelectButton = new QToolButton(this);
    CountSelectButton = new QToolButton(this);
    PieSelectButton->setObjectName("PieSelectButton");
    TimelineSelectButton->setObjectName("TimelineSelectButton");
    CountSelectButton->setObjectName("CountSelectButton");
    int image = 0;
    for (QToolButton *b : {PieSelectButton, TimelineSelectButton, CountSelectButton}) {
        b->setIcon(ButtonImage(image++));
        b->setIconSize(QSize(24, 18));
    }
    connect(PieSelectButton, &QToolButton::clicked, this, [this] { PieSelectButtonClick(); });
    connect(TimelineSelectButton, &QToolButton::clicked, this, [this] { TimelineSelectButtonClick(); });
    connect(CountSelectButton, &QToolButton::clicked, this, [this] { CountSelectButtonClick(); });
    LayoutButtons();
    SetHints();
}

TKSchGraphView::~TKSchGraphView()
{
    if (pie_)
        pie_->Clear();
    if (timeline_)
        timeline_->Clear();
    DestroyPie();
    DestroyTimeline();
    DestroyCount();
}

void TKSchGraphView::SetLanguage(int language)
{
    if (language == language_)
        return;
    language_ = language;
    SetHints();
}

void TKSchGraphView::SetHints()
{
    const bool english = language_ == 1;
    PieSelectButton->setToolTip(english ? QStringLiteral("Pie Graph") : QStringLiteral("円グラフ"));
    TimelineSelectButton->setToolTip(english ? QStringLiteral("Timeline(Vertical) Graph")
                                             : QStringLiteral("時間軸（縦）グラフ"));
    CountSelectButton->setToolTip(english ? QStringLiteral("Count") : QStringLiteral("集計"));
}

void TKSchGraphView::LayoutButtons()
{
    const int left = (width() - 125) / 2;
    PieSelectButton->setGeometry(left, 4, 35, 25);
    TimelineSelectButton->setGeometry(left + 45, 4, 35, 25);
    CountSelectButton->setGeometry(left + 90, 4, 35, 25);
}

void TKSchGraphView::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    if (event->size() != event->oldSize())
        LayoutButtons();
}

int TKSchGraphView::ButtonBottom() const
{
    return PieSelectButton->y() + PieSelectButton->height();
}

void TKSchGraphView::SetSchedule(const KDaySchedule *schedule)
{
    if (schedule == schedule_)
        return;
    schedule_ = schedule;
    if (!pie_ && !timeline_ && !count_) {
        pie_ = new KTSchedulePie(this);
        pie_->SetPopupsEnabled(false);
    }
    if (pie_) {
        pie_->Clear();
        pie_->SetSchedule(schedule_);
        LayoutAndDrawPie();
    } else if (timeline_) {
        timeline_->Clear();
        timeline_->SetSchedule(schedule_);
        LayoutAndDrawTimeline();
    } else if (count_) {
        FillCount();
    }
}

void TKSchGraphView::RefreshGraph()
{
    if (pie_) {
        pie_->Clear();
        pie_->Draw();
    } else if (timeline_) {
        timeline_->Clear();
        timeline_->Draw();
    } else if (count_) {
        FillCount();
    }
}

void TKSchGraphView::LayoutAndDrawPie()
{
    const int b = ButtonBottom();
    pie_->SetLabelMargin(0);
    const int available = height() - b - 12;
    const int a = (width() - 8 < available) ? (width() - 8) / 2 - 4 : available / 2 - 4;
    pie_->SetRadius(a - 5);
    pie_->move((width() - pie_->width() - 8) / 2 + 4, b + 4);
    pie_->TickCount = 8;
    pie_->TickStartAngle = 90;
    pie_->TickColor = 0x000000;
    pie_->TickThickEvery = 2;
    pie_->TickThickWidth = 2;
    pie_->SetTickMode(4);
    pie_->SetHourLabelMode(0);
    pie_->SetTimeMarkStyle(0);
    pie_->show();
    pie_->Clear();
    pie_->Draw();
}

void TKSchGraphView::LayoutAndDrawTimeline()
{
    const int b = ButtonBottom();
    timeline_->AxisLength = height() - b - 20;
    timeline_->setGeometry(4, b + 4, width() - 8, timeline_->AxisLength + 20);
    timeline_->AxisWidth = 10;
    timeline_->TickIntervals = 8;
    timeline_->TickColor = 0x000000;
    timeline_->TickThickEvery = 2;
    timeline_->TickThickWidth = 2;
    timeline_->SetTickMode(4);
    timeline_->SetHourLabelMode(0);
    timeline_->SetTimeMarkStyle(0);
    timeline_->show();
    timeline_->Clear();
    timeline_->Draw();
}

void TKSchGraphView::FillCount()
{
    if (!count_ || !schedule_)
        return;
    count_->FillCounts(schedule_, this, width() - 8, height() - ButtonBottom() - 12);
    count_->show();
}

void TKSchGraphView::PieSelectButtonClick()
{
    DestroyTimeline();
    DestroyCount();
    if (!pie_) {
        pie_ = new KTSchedulePie(this);
        pie_->SetSchedule(schedule_);
        pie_->SetPopupsEnabled(false);
    }
    LayoutAndDrawPie();
}

void TKSchGraphView::TimelineSelectButtonClick()
{
    DestroyPie();
    DestroyCount();
    if (!timeline_) {
        timeline_ = new KTScheduleTimeline(this);
        timeline_->SetSchedule(schedule_);
        timeline_->SetPopupsEnabled(false);
    }
    LayoutAndDrawTimeline();
}

void TKSchGraphView::CountSelectButtonClick()
{
    DestroyPie();
    DestroyTimeline();
    if (!count_) {
        count_ = new KTSchTimeCount(this);
        count_->move(4, ButtonBottom() + 4);
        count_->show();
    }
    FillCount();
}

void TKSchGraphView::DestroyPie()
{
    if (!pie_)
        return;
    pie_->Clear();
    delete pie_;
    pie_ = nullptr;
}

void TKSchGraphView::DestroyTimeline()
{
    if (!timeline_)
        return;
    timeline_->Clear();
    delete timeline_;
    timeline_ = nullptr;
}

void TKSchGraphView::DestroyCount()
{
    delete count_;
    count_ = nullptr;
}
