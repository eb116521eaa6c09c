#include "app/SummaryColors.h"

#include "app/Settings.h"

namespace varelo {

std::array<unsigned, 3> ReadSummaryColors(Settings& settings) {
    std::array<unsigned, 3> colors = {0x000000u, 0xFF0000u, 0x0000FFu};  // black, blue, red
    for (int i = 0; i < 3; ++i) {
        auto parsed = setting_rule::ParseColor(
            settings.ReadString(setting::ScreenColor("Graphical Summary", i)));
        if (parsed) colors[size_t(i)] = *parsed;
    }
    return colors;
}

}  // namespace varelo
