#include "app/ColorSlots.h"

#include "app/Settings.h"
#include "app/StringTable.h"

namespace varelo {

namespace {

constexpr const char* kTimeplot = "Level-Time Diagram";
constexpr const char* kSummary = kGraphicalSummaryColors;
constexpr const char* kCumulative = "Cumulativ frequency";
constexpr int kCurveLabel = 2009;  // "Curve &%1"
constexpr int kColorLabel = 2010;  // "Color %1"

constexpr ColorSlot kSlots[kColorSlotCount] = {
    {kTimeplot, 0, 0, Rgb(0, 0, 0)},       {kTimeplot, 1, 1, Rgb(0, 0, 255)},
    {kTimeplot, 2, 2, Rgb(255, 0, 0)},     {kTimeplot, 3, 3, Rgb(0, 255, 64)},
    {kTimeplot, 4, 4, Rgb(0, 255, 255)},   {kTimeplot, 5, 5, Rgb(128, 0, 128)},
    {kTimeplot, 6, 6, Rgb(255, 128, 0)},   {kTimeplot, 7, 7, Rgb(0, 128, 0)},
    {kTimeplot, 8, 8, Rgb(192, 192, 192)}, {kTimeplot, 9, 9, Rgb(255, 0, 128)},
    {kSummary, 0, 0, Rgb(0, 0, 0)},        {kSummary, 1, 10, Rgb(0, 0, 255)},
    {kSummary, 2, 11, Rgb(255, 0, 0)},     {kCumulative, 0, 0, Rgb(0, 0, 0)},
    {kCumulative, 1, 12, Rgb(0, 0, 255)},  {kCumulative, 2, 13, Rgb(255, 0, 0)},
    {kCumulative, 3, 14, Rgb(0, 255, 0)},
};

}  // namespace

std::span<const ColorSlot> ColorSlots() {
    return kSlots;
}

std::string ColorButtonLabel(const ColorSlot& slot) {
    if (slot.button == 0) return {};
    // The timeplot's buttons name the curve they colour.
    if (std::string_view(slot.section) == kTimeplot)
        return Msg(kCurveLabel, {std::to_string(slot.index)});
    return Msg(kColorLabel, {std::to_string(slot.button)});
}

ColorSet DefaultColors() {
    ColorSet colors{};
    for (size_t i = 0; i < kColorSlotCount; ++i)
        colors[i] = kSlots[i].defaultColor;
    return colors;
}

ColorSet LoadColors(Settings& settings) {
    ColorSet colors = DefaultColors();
    for (size_t i = 0; i < kColorSlotCount; ++i) {
        const auto key = setting::ScreenColor(kSlots[i].section, kSlots[i].index);
        if (auto stored = setting_rule::ParseColor(settings.ReadString(key))) colors[i] = *stored;
    }
    return colors;
}

std::vector<unsigned> LoadSectionColors(Settings& settings, std::string_view section) {
    const ColorSet all = LoadColors(settings);
    std::vector<unsigned> colors;
    for (size_t i = 0; i < kColorSlotCount; ++i)
        if (kSlots[i].section == section) colors.push_back(all[i]);
    return colors;
}

void StoreColors(Settings& settings, const ColorSet& colors) {
    for (size_t i = 0; i < kColorSlotCount; ++i) {
        const auto key = setting::ScreenColor(kSlots[i].section, kSlots[i].index);
        settings.Write(key, setting_rule::FormatColor(colors[i]));
    }
}

}  // namespace varelo
