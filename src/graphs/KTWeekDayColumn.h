#pragma once

#include "graphs/KTTimelineGraph.h"

#include <QColor>
#include <QImage>

class KDaySchedule;

// One day of the week view drawn as a vertical timeline: the timeline's own axis, blocks,
// scale and labels (names cut to the column's width),
// on a ground of the given colour with a line at every hour. Never shown: it draws into its
// picture, which the week view copies into its columns.
class KTWeekDayColumn : public KTTimelineGraph {
public:
    explicit KTWeekDayColumn(QWidget *parent);

    // The column's picture; without a schedule only the ground and the hour lines (a day that
    // cannot be shown).
    QImage Render(const KDaySchedule *schedule, QSize size, int axisTop, int axisLength, QColor ground);
};
