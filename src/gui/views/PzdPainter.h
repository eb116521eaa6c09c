#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <array>
#include <utility>
#include <vector>

#include "gui/print/PaintOptions.h"
#include "timeplot/CurveData.h"
#include "timeplot/CurvePath.h"
#include "timeplot/DiagramState.h"

class QPainter;
class QPaintDevice;

namespace varelo {

// What one curve shows beside its line.
struct PzdCurveText {
    QString name;
    QString unit;
    int decimals = 2;
    bool rangeLimited = false;  // labelled with unfolded values
};

// Everything a level-time diagram draws, computed by the view from the document.
struct PzdPicture {
    const DiagramState* state = nullptr;
    const CurveData* data = nullptr;
    std::vector<PzdCurveText> texts;
    std::array<QColor, 10> colors{};
    int widthChoice = 0;  // 0 thin, 1 medium, 2 thick
    int mediumTenthsMm = 5;
    int thickTenthsMm = 10;
    bool energy = false;
    std::vector<std::pair<double, double>> energies;  // per curve: negative, positive
    bool limitLine = false;
    double upperLimit = 0;
    bool hasLowerLimit = false;
    double lowerLimit = 0;
    bool decimate = true;  // off only to compare with the full drawing
};

// Draws a level-time diagram for the screen, the printer and PDF alike: grid, time and axis
// labels, the curves in drawing order, the limit line with its fill, gap marks and the legend.
class PzdPainter {
public:
    PzdPainter(const PzdPicture& picture, const PaintOptions& options) : p_(picture), o_(options) {}

    // False, with nothing drawn, when the area is below 300 x 200 device pixels.
    bool Paint(QPainter& painter, const QRectF& area) const;
    // Where the curves are drawn within an area.
    QRectF DiagramRect(const QRectF& area, const QPaintDevice* device) const;
    // The click area of each curve's legend entry.
    std::vector<QRectF> LegendRects(const QRectF& area, const QPaintDevice* device) const;
    DiagramGeometry Geometry(const QRectF& diagram) const;

    static constexpr double kMinimumWidth = 300;
    static constexpr double kMinimumHeight = 200;

private:
    QFont Font() const;
    void PaintGrid(QPainter& painter, const QRectF& diagram) const;
    void PaintTimeLabels(QPainter& painter, const QRectF& diagram) const;
    void PaintAxis(QPainter& painter, const QRectF& diagram, int curve, bool left) const;
    void PaintCurves(QPainter& painter, const QRectF& diagram) const;
    void PaintLimitLine(QPainter& painter, const QRectF& diagram, int curve) const;
    void PaintGapMarks(QPainter& painter, const QRectF& diagram) const;
    void PaintLegend(QPainter& painter, const QRectF& area, const QRectF& diagram) const;
    QString LegendText(int curve) const;
    double PenWidth(const QPaintDevice* device) const;
    static void PaintSteps(QPainter& painter, const Polyline& line, const QColor& color,
                           double width);

    const PzdPicture& p_;
    PaintOptions o_;
};

// The decimals that label a division step of the given size: as many as it needs, up to 4;
// none for values of 100000 and above.
int AxisDecimals(double step, double largest);

}  // namespace varelo
