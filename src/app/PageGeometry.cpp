#include "app/PageGeometry.h"

#include <algorithm>

#include "app/Settings.h"

namespace varelo {

PageRect ComputePageArea(int leftBorderSetting, const PaperInfo& paper) {
    const int leftMargin = setting_rule::LeftBorderMm(leftBorderSetting) * 10;
    PageRect area;
    area.left = std::max(0, leftMargin - paper.offsetX);
    area.top = std::max(0, kTopMargin - paper.offsetY);
    area.right = std::min(paper.paperWidth - kRightMargin - paper.offsetX, paper.printableWidth);
    area.bottom =
        std::min(paper.paperHeight - kBottomMargin - paper.offsetY, paper.printableHeight);
    area.right = std::max(area.right, area.left);
    area.bottom = std::max(area.bottom, area.top);
    return area;
}

}  // namespace varelo
