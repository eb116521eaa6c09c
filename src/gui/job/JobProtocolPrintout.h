#pragma once

#include <string>
#include <vector>

#include "gui/print/Printout.h"
#include "job/JobSummary.h"

namespace varelo {

// A heading line of the summary: no value of its own, the lines below it indented.
inline bool IsSummaryHeading(const std::vector<JobSummaryLine>& lines, size_t n) {
    return !lines[n].indented && lines[n].value.empty() && n + 1 < lines.size() &&
           lines[n + 1].indented;
}

class Settings;
class UserInterface;

// The job protocol: the summary page's lines over as many pages as they need.
class JobProtocolPrintout : public Printout {
public:
    explicit JobProtocolPrintout(const CMeasurementJob& job);

    int Kind() const override;
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int page) override;

private:
    std::vector<JobSummaryLine> lines_;
    JobSummaryColumns columns_;
    // The first line of each page painted so far; a page starts where the one before ended.
    std::vector<size_t> pageStarts_{0};
};

// Prints the job protocol into a PDF file, headless when no display is there. False after a
// failure, whose message went to the user interface.
bool PrintJobProtocolToPdf(const CMeasurementJob& job, const std::string& documentName,
                           const std::string& output, Settings& settings, UserInterface& ui);

}  // namespace varelo
