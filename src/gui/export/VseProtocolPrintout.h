#pragma once

#include <string>

#include "export/VseExport.h"
#include "gui/print/Printout.h"

namespace varelo {

// The protocol of a VSE export: the measurement's and the export's particulars, then one table
// row per channel, the table head repeated on every further page.
class VseProtocolPrintout : public Printout {
public:
    explicit VseProtocolPrintout(VseProtocol protocol) : protocol_(std::move(protocol)) {}

    int Kind() const override;
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int page) override;

private:
    double PaintLines(QPainter& painter, const QRectF& area, const PaintOptions& options) const;
    void PaintRow(QPainter& painter, const QRectF& area, double y, const PaintOptions& options,
                  const std::array<std::string, 5>& cells) const;

    VseProtocol protocol_;
    // The first table row of each page painted so far.
    std::vector<size_t> pageStarts_{0};
};

}  // namespace varelo
