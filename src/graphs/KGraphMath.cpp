#include "graphs/KGraphMath.h"

#include "model/KRGB.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace KGraphMath {

double TimeToAngle(KSchTime t)
{
    return (double(t.Hour) * 60.0 + double(t.Minute)) * 360.0 / 1440.0 + 270.0;
}

double TimeToFraction(KSchTime t)
{
    return (double(t.Hour) * 60.0 + double(t.Minute)) / 1440.0;
}

static double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

double DialX(double r, double thetaDegrees)
{
    return -r * std::cos(Radians(thetaDegrees));
}

double DialY(double r, double thetaDegrees)
{
    return -r * std::sin(Radians(thetaDegrees));
}

uint32_t LabelTextColor(uint32_t frameColor, uint32_t defaultColor)
{
    const KRGB rgb(frameColor);
    if (rgb.Hue() >= 150)
        return rgb.Luminance() >= 150 ? 0x000000 : 0xFFFFFF;
    if (rgb.Luminance() < 80)
        return 0xFFFFFF;
    return defaultColor;
}

int Trunc(double v)
{
    if (std::isnan(v))
        return 0;
    const double lo = double(std::numeric_limits<int>::min() / 2);
    const double hi = double(std::numeric_limits<int>::max() / 2);
    if (v < lo)
        return int(lo);
    if (v > hi)
        return int(hi);
    return int(v);
}

} // namespace KGraphMath
