#pragma once

#include <string>
#include <vector>

#include "evaluation/LimitEditor/LimitPrintLines.h"
#include "gui/print/Printout.h"

class QPrinter;

namespace varelo {

class CLimitValues;
class Settings;
class UserInterface;

// The printout of a limit set (kind 12): the table of parameters, values and units. A set with
// many signalling limits goes on over further pages rather than off the first one.
class LimitEditorPrintout : public Printout {
public:
    LimitEditorPrintout(const CLimitValues& limits, const std::string& fileName);

    int Kind() const override;
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int page) override;

private:
    std::vector<LimitPrintLine> lines_;
    std::vector<size_t> pageStarts_{0};
};

// Prints a limit set into a PDF file, headless when no display is there. False after a
// failure, whose message went to the user interface.
bool PrintLimitsToPdf(const CLimitValues& limits, const std::string& fileName,
                      const std::string& output, Settings& settings, UserInterface& ui);

}  // namespace varelo
