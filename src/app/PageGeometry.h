#pragma once

namespace varelo {

// A rectangle in tenths of a millimetre.
struct PageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// What the printer reports, in tenths of a millimetre: the paper, and where its printable area
// starts and how large it is.
struct PaperInfo {
    int paperWidth = 2100;
    int paperHeight = 2970;
    int offsetX = 0;  // unprintable offset at the left
    int offsetY = 0;  // unprintable offset at the top
    int printableWidth = 2100;
    int printableHeight = 2970;
};

inline constexpr int kTopMargin = 130;
inline constexpr int kRightMargin = 100;
inline constexpr int kBottomMargin = 260;

// The page area of a printout in the coordinates of the printable area (origin at its top left
// corner). Margins are measured from the paper edges; the unprintable offset is taken off the
// left and top margins, never below 0, and the right and bottom edges stay inside the printable
// area. leftBorderSetting is the stored "LeftBorder" (0..30 mm, anything else 25 mm).
PageRect ComputePageArea(int leftBorderSetting, const PaperInfo& paper);

}  // namespace varelo
