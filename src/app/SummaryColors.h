#pragma once

#include <array>

namespace varelo {

class Settings;

// The three colours of the summaries ("Graphical Summary", "ScreenColor0".."ScreenColor2") as
// colour values (red in bits 0..7, green 8..15, blue 16..23). An entry that is empty or not
// a colour gives the built-in colour of its index: black, blue, red.
std::array<unsigned, 3> ReadSummaryColors(Settings& settings);

}  // namespace varelo
