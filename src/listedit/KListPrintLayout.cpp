#include "listedit/KListPrintLayout.h"

#include <cstddef>

namespace {
int Trunc(double v)
{
    return static_cast<int>(v);
}
} // namespace

KListPrintLayout KListPrintLayout::Compute(const Metrics &m, double leftInches, double rightInches,
                                           double topInches)
{
    KListPrintLayout out;
    out.Left = Trunc(leftInches * m.DpiX);
    out.Right = Trunc(rightInches * m.DpiX);
    out.Top = Trunc(topInches * m.DpiY);

    // The Item column gives way only when the page cannot hold Item and Memo side by side.
    std::array<int, 6> w = m.Widths;
    const int room = m.PageWidth - out.Left - out.Right - (w[0] + w[1] + w[3] + w[4] + 4 * ColumnGap);
    if (room < w[2] + w[5] + ColumnGap) {
        const int half = room / 2;
        if (half < w[2] + ColumnGap)
            w[2] = half - ColumnGap;
    }
    int x = out.Left;
    for (int k = 0; k < 6; ++k) {
        out.ColumnX[std::size_t(k)] = x;
        x += w[std::size_t(k)] + ColumnGap;
    }

    out.TitleX = out.Left + (m.PageWidth - out.Left - out.Right - m.TitleWidth) / 2;
    out.TitleY = out.Top;
    out.ColumnTitleY = Trunc(0.2 * m.DpiY + out.Top + m.TitleHeight);
    out.RuleY = Trunc(0.2 * m.DpiY + out.Top + m.TitleHeight + m.LineHeight + 0.1 * m.DpiY);
    out.FirstLineY =
        Trunc(0.2 * m.DpiY + out.Top + m.TitleHeight + m.LineHeight + 0.1 * m.DpiY + 0.1 * m.DpiY);
    out.LineStep = m.LineHeight + 4;
    out.BoxSize = m.LineHeight - 10;
    return out;
}
