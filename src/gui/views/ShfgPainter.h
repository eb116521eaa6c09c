#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

#include "evaluation/CumulativeFrequency.h"
#include "gui/print/PaintOptions.h"

class QPainter;
class QPaintDevice;

namespace varelo {

// One line of the cumulative frequency table: a heading (a phase or a parameter group) or a
// channel.
struct ShfgLine {
    QString heading;   // empty for a channel line
    int channel = -1;  // index into the channels
    bool newPhase = false;
};

// What a cumulative frequency view shows, computed from the document.
struct ShfgPicture {
    std::vector<CumulativeChannel> channels;
    std::vector<QString> captions;
    std::vector<QString> units;
    std::vector<int> decimals;
    std::vector<ShfgLine> lines;
    CumulativeSettings settings;
    std::array<QColor, 4> colors{};  // text, then the three bar parts
    std::vector<int> selection;      // channel indexes in click order
    int detail = -1;                 // the channel whose detail is shown
};

// Draws the detail of the last clicked channel, the table head and the channel lines with
// their bars; the screen draws every line, a printed page those that fit.
class ShfgPainter {
public:
    ShfgPainter(const ShfgPicture& picture, const PaintOptions& options)
        : p_(picture), o_(options) {}

    // Lines from `first` on into the area; the index after the last line drawn. A page stops
    // before a phase's first line when `pagePerPhase` is set and something was drawn already.
    size_t Paint(QPainter& painter, const QRectF& area, size_t first, bool pagePerPhase) const;
    double ContentHeight(const QPaintDevice* device) const;
    // The channel of a line at a point of the area; -1 elsewhere.
    int ChannelAt(const QPointF& point, const QRectF& area, const QPaintDevice* device) const;
    // Narrower areas show "Window too small.".
    static constexpr double kMinimumWidthMm = 150;

private:
    struct Columns {
        double caption, bar, reference, lower, upper, maximum, unit, time, right;
    };
    Columns Layout(const QRectF& area, const QPaintDevice* device) const;
    double LineHeight(const QPaintDevice* device) const;
    double HeadHeight(const QPaintDevice* device) const;
    double PaintHead(QPainter& painter, const QRectF& area) const;
    void PaintLine(QPainter& painter, const ShfgLine& line, const Columns& c, double y,
                   double height) const;
    QString Number(int channel, double value) const;

    const ShfgPicture& p_;
    PaintOptions o_;
};

}  // namespace varelo
