#pragma once

#include "model/KSchTime.h"

#include <cstdint>

// Geometry and colour rules shared by the pie and the timeline.
namespace KGraphMath {

// Degrees on the dial: 00:00 is 270 (bottom), 06:00 360 (left), 12:00 450 (top).
// Seconds are ignored and the hour is not reduced (24:00 gives 630).
double TimeToAngle(KSchTime t);

// Fraction of the day, seconds ignored, hour not reduced (24:00 gives 1.0).
double TimeToFraction(KSchTime t);

// Offset from a centre at distance r and angle theta (degrees): (-r cos, -r sin),
// so 0 is left, 90 top, 180 right, 270 bottom in window coordinates.
double DialX(double r, double thetaDegrees);
double DialY(double r, double thetaDegrees);

// Text colour (Windows layout) that stays readable on a frame colour.
uint32_t LabelTextColor(uint32_t frameColor, uint32_t defaultColor = 0x000000);

// Whole-number conversion that truncates towards zero and never overflows.
int Trunc(double v);

} // namespace KGraphMath
