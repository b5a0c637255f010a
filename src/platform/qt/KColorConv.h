#pragma once

#include <QColor>
#include <cstdint>

// Windows-layout colours (0x00BBGGRR) to and from QColor.
namespace KColorConv {
QColor ToQColor(uint32_t bgr);
uint32_t FromQColor(const QColor &color);
} // namespace KColorConv
