#include "graphs/KMainGraphSetup.h"

#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"

#include <algorithm>

namespace KMainGraphSetup {

void LayOutPie(KTSchedulePie *pie, QSize panel)
{
    pie->SetRadius(std::min(panel.width(), panel.height()) / 2 - 30);
    pie->move((panel.width() - pie->width()) / 2, (panel.height() - pie->height()) / 2);
}

void LayOutTimeline(KTScheduleTimeline *timeline, QSize panel)
{
    const int w = panel.width(), h = panel.height();
    timeline->setGeometry(2, 10, w - 32, h - 40);
    timeline->AxisLength = h - 60;
    timeline->BarWidth = w - (timeline->Origin.x() + timeline->AxisWidth + timeline->BarGap) - 42;
}

void SetUpPie(KTSchedulePie *pie, QSize panel, bool oneHourScale, bool timeMark)
{
    LayOutPie(pie, panel);
    pie->TickCount = 8;
    pie->TickStartAngle = 90;
    pie->TickColor = 0x000000;
    pie->TickThickEvery = 2;
    pie->TickThickWidth = 0;
    pie->SetTickMode(4);
    pie->SetHourLabelMode(oneHourScale ? 3 : 2);
    pie->SetTimeMarkSize(13);
    pie->TimeMarkOffset = 5;
    pie->SetTimeMarkStyle(timeMark ? 2 : 0);
}

void SetUpTimeline(KTScheduleTimeline *timeline, QSize panel, bool oneHourScale, bool timeMark)
{
    LayOutTimeline(timeline, panel);
    timeline->LabelOffset = 30;
    timeline->TickIntervals = 8;
    timeline->TickColor = 0x000000;
    timeline->TickThickEvery = 2;
    timeline->TickThickWidth = 0;
    timeline->SetTickMode(4);
    timeline->SetHourLabelMode(oneHourScale ? 3 : 2);
    timeline->SetTimeMarkSize(13);
    timeline->TimeMarkOffset = -13;
    timeline->SetTimeMarkStyle(timeMark ? 2 : 0);
}

} // namespace KMainGraphSetup
