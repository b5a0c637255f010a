#pragma once

#include <cstdint>

// A Windows-layout colour (red in the low byte) with its hue, luminance and
// saturation on the 0..240 scale of the common RGB-to-HLS conversion.
class KRGB {
public:
    static constexpr int HlsMax = 240;

    explicit KRGB(uint32_t color = 0);
    void SetColor(uint32_t color);

    uint32_t Color() const { return color_; }
    uint8_t Red() const { return red_; }
    uint8_t Green() const { return green_; }
    uint8_t Blue() const { return blue_; }
    uint16_t Hue() const { return hue_; }
    uint16_t Luminance() const { return luminance_; }
    uint16_t Saturation() const { return saturation_; }

private:
    void Recompute();

    uint32_t color_ = 0;
    uint8_t red_ = 0, green_ = 0, blue_ = 0;
    uint16_t hue_ = 0, luminance_ = 0, saturation_ = 0;
};
