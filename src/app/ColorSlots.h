#pragma once

#include <array>
#include <span>

namespace varelo {

class Settings;

// One of the 17 screen colours the colours dialog edits.
struct ColorSlot {
    const char* section;    // "Level-Time Diagram", "Graphical Summary", "Cumulativ frequency"
    int index;              // of its "ScreenColor" key within the section
    int button;             // 1..14 ("Color 1".."Color 14"), 0 for a slot without a button
    unsigned defaultColor;  // red in bits 0..7, green 8..15, blue 16..23
};

inline constexpr size_t kColorSlotCount = 17;
using ColorSet = std::array<unsigned, kColorSlotCount>;

std::span<const ColorSlot> ColorSlots();
ColorSet DefaultColors();
// The defaults, each replaced by its stored string when that is a colour.
ColorSet LoadColors(Settings& settings);
// Writes all 17 slots, also those without a button.
void StoreColors(Settings& settings, const ColorSet& colors);

constexpr unsigned Rgb(unsigned red, unsigned green, unsigned blue) {
    return red | (green << 8) | (blue << 16);
}

}  // namespace varelo
