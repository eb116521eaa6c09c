#pragma once

namespace varelo {

class Settings;

// The stored choices a level-time diagram opens with; invalid stored values read as their
// defaults, and a replaced scaling mode or curve width is written back.
struct DiagramSettings {
    int period = 26;
    int scalingMode = 1;
    int widthChoice = 0;     // 0 thin, 1 medium, 2 thick
    int mediumTenthsMm = 5;  // 0.5 mm
    int thickTenthsMm = 10;  // 1.0 mm

    static DiagramSettings Read(Settings& settings);
    static void WriteScalingMode(Settings& settings, int mode);
    static void WriteWidthChoice(Settings& settings, int choice);
};

// A width in millimetres as decimal text, in tenths of a millimetre rounded up; fallback when
// the text is no number or the result lies outside 1 .. highest.
int WidthTenths(const char* text, int highest, int fallback);

}  // namespace varelo
