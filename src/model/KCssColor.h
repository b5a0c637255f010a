#pragma once

#include <cstdint>
#include <string_view>

// The named colours of CSS (one name for each distinct colour).
namespace KCssColor {
// The name of the named colour nearest to a colour in the Windows layout (red in the low byte).
std::string_view NearestName(uint32_t color);
} // namespace KCssColor
