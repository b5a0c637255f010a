#include "model/KRGB.h"

#include <algorithm>

KRGB::KRGB(uint32_t color)
{
    color_ = color & 0xFFFFFF;
    Recompute();
}

void KRGB::SetColor(uint32_t color)
{
    color &= 0xFFFFFF;
    if (color == color_)
        return;
    color_ = color;
    Recompute();
}

void KRGB::Recompute()
{
    red_ = uint8_t(color_ & 0xFF);
    green_ = uint8_t((color_ >> 8) & 0xFF);
    blue_ = uint8_t((color_ >> 16) & 0xFF);

    const int rgbMax = 255;
    int r = red_, g = green_, b = blue_;
    int cMax = std::max({r, g, b});
    int cMin = std::min({r, g, b});
    int lum = ((cMax + cMin) * HlsMax + rgbMax) / (2 * rgbMax);
    int hue, sat;
    if (cMax == cMin) {
        // Grey has no hue; the platform conversion reports two thirds of the scale.
        sat = 0;
        hue = HlsMax * 2 / 3;
    } else {
        int delta = cMax - cMin;
        if (lum <= HlsMax / 2)
            sat = (delta * HlsMax + (cMax + cMin) / 2) / (cMax + cMin);
        else
            sat = (delta * HlsMax + (2 * rgbMax - cMax - cMin) / 2) / (2 * rgbMax - cMax - cMin);
        int rDelta = ((cMax - r) * (HlsMax / 6) + delta / 2) / delta;
        int gDelta = ((cMax - g) * (HlsMax / 6) + delta / 2) / delta;
        int bDelta = ((cMax - b) * (HlsMax / 6) + delta / 2) / delta;
        if (r == cMax)
            hue = bDelta - gDelta;
        else if (g == cMax)
            hue = HlsMax / 3 + rDelta - bDelta;
        else
            hue = 2 * HlsMax / 3 + gDelta - rDelta;
        if (hue < 0)
            hue += HlsMax;
        if (hue > HlsMax)
            hue -= HlsMax;
    }
    hue_ = uint16_t(hue);
    luminance_ = uint16_t(lum);
    saturation_ = uint16_t(sat);
}
