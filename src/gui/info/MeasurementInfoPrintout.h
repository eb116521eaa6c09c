#pragma once

#include <string>
#include <vector>

#include "document/MeasurementInfoPrintout.h"
#include "gui/print/Printout.h"

namespace varelo {

class Settings;
class UserInterface;

// The measurement information printout (kind 2): its label and value lines over as many pages
// as they need.
class MeasurementInfoPrintout : public Printout {
public:
    explicit MeasurementInfoPrintout(std::vector<InfoPrintLine> lines);

    int Kind() const override;
    QString Title() const override;
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int page) override;

private:
    std::vector<InfoPrintLine> lines_;
    // The first line of each page painted so far; a page starts where the one before ended.
    std::vector<size_t> pageStarts_{0};
};

// Prints the information lines into a PDF file. False after a failure, whose message went to
// the user interface.
bool PrintMeasurementInfoToPdf(std::vector<InfoPrintLine> lines, const std::string& documentName,
                               const std::string& output, Settings& settings, UserInterface& ui);

}  // namespace varelo
