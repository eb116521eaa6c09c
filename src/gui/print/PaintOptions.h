#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "gui/app/QtText.h"

namespace varelo {

// How a paint routine draws: device pixels per millimetre (screen, printer and PDF differ),
// whether it prints, and the printer's colours.
struct PaintOptions {
    double pxPerMm = 96.0 / 25.4;
    bool printing = false;
    bool monochrome = false;  // a printer with two colours or fewer

    double Mm(double mm) const { return mm * pxPerMm; }
    // Arial of the given character height in millimetres.
    QFont Font(double heightMm, bool bold = false) const {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(qMax(1, qRound(Mm(heightMm))));
        font.setBold(bold);
        return font;
    }
    // A hatch pattern whose line spacing does not shrink on high-resolution devices.
    QBrush Hatch(const QColor& color, Qt::BrushStyle style) const {
        QBrush brush(monochrome ? QColor(Qt::black) : color, style);
        double scale = pxPerMm / (96.0 / 25.4);
        if (scale > 1.5) brush.setTransform(QTransform::fromScale(scale, scale));
        return brush;
    }
    // A line of the given width in screen pixels, as wide on paper as on a 96-dpi screen.
    double LineWidth(double screenPixels) const {
        return screenPixels * qMax(1.0, pxPerMm / (96.0 / 25.4));
    }
};

// A colour value of the settings (red in bits 0..7, green 8..15, blue 16..23).
inline QColor ColorOf(unsigned value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

}  // namespace varelo
