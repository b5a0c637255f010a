#pragma once

#include "graphs/KTVBarGraph.h"

#include <cstdint>
#include <string>
#include <vector>

class KDaySchedule;

// Per-item time totals of a schedule as bars: one bar per distinct item name
// (exact comparison), in the order of first appearance, in the colour of that first frame.
class KTSchTimeCount : public KTVBarGraph {
public:
    struct ItemTotal {
        std::u16string Name;
        uint32_t Color = 0;
        int64_t TotalSeconds = 0; // not reduced to a day
    };

    explicit KTSchTimeCount(QWidget *parent = nullptr);

    // Counts the schedule's items and, when there is at least one, sizes the view,
    // places it in the parent and draws the bars. Without a schedule nothing happens.
    void FillCounts(const KDaySchedule *schedule, QWidget *parent, int width, int height);
    // White picture, no bars (the week count when no day file could be read).
    void Clear();

    const std::vector<ItemTotal> &ItemTotals() const { return itemTotals_; }
    int ItemCount() const { return int(itemTotals_.size()); }

    // Totals per distinct item name of a schedule.
    static std::vector<ItemTotal> CountItems(const KDaySchedule &schedule);
    // "hh:mm" with at least two digits for the hours: 07:30, 26:05, 168:00.
    static QString TotalText(int64_t totalSeconds);

private:
    std::vector<ItemTotal> itemTotals_;
};
