#pragma once

#include "graphs/KTGraphImage.h"

#include <QString>
#include <cstdint>
#include <vector>

// Input of one bar: its value, colour, name and the text written after it.
struct KBarItem {
    double Value = 0;
    uint32_t Color = 0xFFFFFF;
    QString Name;
    QString TimeText;
};

// A list of labelled horizontal bars sharing one left edge, drawn into the control's image.
class KTVBarGraph : public KTGraphImage {
public:
    explicit KTVBarGraph(QWidget *parent = nullptr);

    // Geometry of one drawn bar (control coordinates), kept for inspection.
    struct BarRecord {
        int Length = 0;
        int Height = 0;
        int Left = 0;
        int Top = 0;
        uint32_t Color = 0;
        QString Name;
        QString TimeText;
        int TimeLeft = 0;
    };

    int BarCount() const { return barCount_; }
    int RowHeight() const { return rowHeight_; }
    int BarAreaWidth() const { return barAreaWidth_; }
    double MaxValue() const { return maxValue_; }
    int NameColumnWidth() const { return nameColumnWidth_; }
    int ValueTextWidth() const { return valueTextWidth_; }
    const std::vector<BarRecord> &LastBars() const { return lastBars_; }

    void SetBars(const std::vector<KBarItem> &items, bool baseline);
    // Canvas white, bar texts dropped.
    void ClearBars();

private:
    int barCount_ = 0;
    int rowHeight_ = 20;
    int barAreaWidth_ = 0;
    double maxValue_ = 0;
    int nameColumnWidth_ = 0;
    int valueTextWidth_ = 0;
    std::vector<BarRecord> lastBars_;
};
