#pragma once

#include <QSize>

class KTSchedulePie;
class KTScheduleTimeline;

// The settings the main window gives its pie and timeline views, in one place so
// the window, the benchmarks and the tests draw the same picture.
namespace KMainGraphSetup {
// Centres the pie in a view panel of the given size; radius from the panel's smaller side.
void SetUpPie(KTSchedulePie *pie, QSize panel, bool oneHourScale, bool timeMark);
// Places the timeline in a view panel of the given size with its axis and bar sizes.
void SetUpTimeline(KTScheduleTimeline *timeline, QSize panel, bool oneHourScale, bool timeMark);
// Only the size and place parts of the two above (the panel was resized).
void LayOutPie(KTSchedulePie *pie, QSize panel);
void LayOutTimeline(KTScheduleTimeline *timeline, QSize panel);
} // namespace KMainGraphSetup
