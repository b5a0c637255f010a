#pragma once

#include "model/KDaySchedule.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <initializer_list>

namespace GraphTest {

inline KSchTime T(int h, int m = 0)
{
    return KSchTime::MakeTime(uint8_t(h), uint8_t(m), 0);
}

struct F {
    KSchTime Start;
    KSchTime Duration;
    const char16_t *Name;
    uint32_t Color;
    const char16_t *Memo = u"";
};

inline void Fill(KDaySchedule &s, std::initializer_list<F> frames)
{
    s.ClearFrames();
    for (const F &f : frames)
        s.AppendFrame(KScheduleFrame(f.Start, f.Duration, f.Name, f.Color, f.Memo));
}

// Windows-layout colour of a pixel.
inline uint32_t Bgr(const QImage &img, int x, int y)
{
    const QRgb c = img.pixel(x, y);
    return uint32_t(qRed(c)) | (uint32_t(qGreen(c)) << 8) | (uint32_t(qBlue(c)) << 16);
}

// Number of pixels in r whose colour is within tolerance of the Windows-layout colour.
inline int CountNear(const QImage &img, const QRect &r, uint32_t bgr, int tolerance = 40)
{
    const int rr = int(bgr & 0xFF), gg = int((bgr >> 8) & 0xFF), bb = int((bgr >> 16) & 0xFF);
    int n = 0;
    const QRect area = r.intersected(img.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (std::abs(qRed(c) - rr) <= tolerance && std::abs(qGreen(c) - gg) <= tolerance &&
                std::abs(qBlue(c) - bb) <= tolerance)
                ++n;
        }
    }
    return n;
}

} // namespace GraphTest
