#pragma once

#include <QRectF>
#include <QString>
#include <vector>

#include "document/MeasurementInfoBlock.h"
#include "gui/print/PaintOptions.h"

class QPainter;

namespace varelo {

// The texts of the page header that stay the same on every page of a printout.
struct PageHeaderTexts {
    QString title;         // the printout's title, or "PrintHeader" when it passes none
    QString documentName;  // left under the title
    QString printedAt;     // date and time of printing, right
    QString kindTitle;     // the printout kind's title
};

// The frame around a printout's pages: the page header on every page and the measurement
// information block on the first page of a result printout.
class PageFrame {
public:
    PageFrame(QPainter& painter, const PaintOptions& options)
        : painter_(painter), options_(options) {}

    // Draws the header of page `page` at the top of the page area; returns the area below it.
    QRectF DrawHeader(const QRectF& pageArea, const PageHeaderTexts& texts, int page);
    // Draws the information block at the top of the area; returns the area below it.
    QRectF DrawInformationBlock(const QRectF& area, const std::vector<InfoBlockLine>& lines);

private:
    QPainter& painter_;
    const PaintOptions& options_;
};

}  // namespace varelo
