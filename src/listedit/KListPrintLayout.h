#pragma once

#include <array>

// Where the parts of a printed schedule list go, in printer pixels: the title
// centred at the top, the column titles, a rule and one line per frame.
struct KListPrintLayout {
    // What the printer and the fonts measure.
    struct Metrics {
        double DpiX = 0;
        double DpiY = 0;
        int PageWidth = 0;
        int TitleWidth = 0;
        int TitleHeight = 0;
        int LineHeight = 0;          // height of a table text
        std::array<int, 6> Widths{}; // widest text of each column, title row included
    };

    int Left = 0; // margins
    int Right = 0;
    int Top = 0;
    std::array<int, 6> ColumnX{};
    int TitleX = 0;
    int TitleY = 0;
    int ColumnTitleY = 0;
    int RuleY = 0;
    int FirstLineY = 0;
    int LineStep = 0; // from one frame line to the next
    int BoxSize = 0;  // side of a colour box

    static constexpr int ColumnGap = 200;

    // Margins in inches.
    static KListPrintLayout Compute(const Metrics &m, double leftInches, double rightInches,
                                    double topInches);
    int LineY(int n) const { return FirstLineY + LineStep * n; }
};
