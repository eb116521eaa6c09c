#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
// The text of a slot's button: "Curve &n" in the timeplot group, "Color n" in the others;
// empty for a slot without a button.
std::string ColorButtonLabel(const ColorSlot& slot);
ColorSet DefaultColors();
// The defaults, each replaced by its stored string when that is a colour.
ColorSet LoadColors(Settings& settings);
// The colours of one section's slots in index order, loaded as LoadColors does; the views of
// that section draw with them.
std::vector<unsigned> LoadSectionColors(Settings& settings, std::string_view section);
inline constexpr const char* kGraphicalSummaryColors = "Graphical Summary";
// Writes all 17 slots, also those without a button.
void StoreColors(Settings& settings, const ColorSet& colors);

constexpr unsigned Rgb(unsigned red, unsigned green, unsigned blue) {
    return red | (green << 8) | (blue << 16);
}

}  // namespace varelo
