#include "graphs/KTSchTimeCount.h"

#include "model/KDaySchedule.h"

#include <unordered_map>

KTSchTimeCount::KTSchTimeCount(QWidget *parent) : KTVBarGraph(parent)
{
    setGeometry(0, 0, 300, 200);
    FillCanvasWhite();
}

std::vector<KTSchTimeCount::ItemTotal> KTSchTimeCount::CountItems(const KDaySchedule &schedule)
{
    std::vector<ItemTotal> totals;
    std::unordered_map<std::u16string, size_t> index;
    for (int32_t j = 0; j < schedule.Capacity(); ++j) {
        const KScheduleFrame *f = schedule.GetFrame(j);
        if (!f || !f->HasItemName())
            continue;
        auto [it, added] = index.try_emplace(f->ItemName, totals.size());
        if (added)
            totals.push_back({f->ItemName, f->Color, 0});
        // Totals are summed in seconds: a week of long frames passes the 255 hours a time value holds.
        totals[it->second].TotalSeconds += f->Duration.TotalSeconds();
    }
    return totals;
}

QString KTSchTimeCount::TotalText(int64_t totalSeconds)
{
    const int64_t hours = totalSeconds / 3600;
    const int64_t minutes = (totalSeconds / 60) % 60;
    return QStringLiteral("%1:%2").arg(hours, 2, 10, QChar(u'0')).arg(minutes, 2, 10, QChar(u'0'));
}

void KTSchTimeCount::FillCounts(const KDaySchedule *schedule, QWidget *parent, int width, int height)
{
    if (!schedule)
        return;
    itemTotals_ = CountItems(*schedule);
    if (itemTotals_.empty())
        return;
    resize(width, height);
    if (parent != parentWidget()) {
        setParent(parent);
        if (parent)
            show();
    }
    ClearBars();
    std::vector<KBarItem> items;
    items.reserve(itemTotals_.size());
    for (const ItemTotal &t : itemTotals_)
        items.push_back(
            {double(t.TotalSeconds), t.Color, QString::fromStdU16String(t.Name), TotalText(t.TotalSeconds)});
    SetBars(items, true);
}

void KTSchTimeCount::Clear()
{
    ClearBars();
}
