#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "evaluation/ExceedingsLimits.h"

namespace varelo {

class CIntervalList;
class CMeasurementJob;
struct EvaluatedMeasurement;

// One row of a section: the interval it comes from and its values by column. The texts are
// made when the row is drawn.
struct ExceedingsRow {
    static constexpr int kNoExceeding = -1;  // the "no" row of a section without exceedings
    int interval = kNoExceeding;
    std::array<double, 3> values{};
    uint8_t exceeding = 0;  // bit per column
    uint8_t overflow = 0;   // bit per column: the raw value was the overflow marker
};

// One chosen quantity: its heading, its band and the intervals in which a phase reached it.
struct ExceedingsSection {
    int quantity = 0;
    std::string heading;
    bool single = false;  // one value per interval, no phase columns
    ExceedingBand band;
    int decimals = 2;
    std::vector<int> phases;  // the phase of each column (0 for a single-value section)
    std::vector<ExceedingsRow> rows;
};

// Every interval in which a chosen quantity reached its limit, section by section in a fixed
// order of quantities.
class ExceedingsReport {
public:
    // The sections of the quantities of the channels (whatever phases were chosen) over the
    // intervals, which the report keeps referring to.
    static ExceedingsReport Build(const EvaluatedMeasurement& measurement,
                                  const CIntervalList& intervals, const std::vector<int>& channels,
                                  bool status);

    const std::vector<ExceedingsSection>& Sections() const { return sections_; }
    bool Status() const { return status_; }
    // Rows of all sections together.
    size_t RowCount() const;

    // The date and time of the row's interval, with its number and status letters when the
    // status is on; empty for the "no" row.
    std::string TimeText(const ExceedingsRow& row) const;
    // One text per column: the value, "-" for a phase that does not exceed, "no" in every
    // column of the "no" row.
    std::vector<std::string> CellTexts(const ExceedingsSection& section,
                                       const ExceedingsRow& row) const;
    // The names of the phases over the columns; none for a single-value section.
    std::vector<std::string> ColumnTitles(const ExceedingsSection& section,
                                          PhaseLabels labels) const;

    // The quantities in the order of their sections.
    static const std::vector<int>& SectionOrder();

private:
    const CIntervalList* intervals_ = nullptr;
    const CMeasurementJob* job_ = nullptr;
    bool status_ = false;
    std::vector<ExceedingsSection> sections_;
};

}  // namespace varelo
