#pragma once

#include <vector>

#include "app/AppOptions.h"
#include "measurement/MeasurementFile.h"
#include "measurement/QuantityCatalogue.h"

namespace varelo {

class CVamor800Doc;
class ExtremeValueTable;

// What the exports read of a measurement: its records within the evaluation period and the
// options that shape the values. The document fills it; a benchmark or test can fill it from
// plain data.
struct ExportSource {
    explicit ExportSource(const MeasurementData& data, QuantitySettings quantities = {})
        : data(data), quantities(quantities) {}

    const MeasurementData& data;
    QuantitySettings quantities;
    PhaseLabels labels = PhaseLabels::L123;
    PltProvider plt;                              // long-term flicker; none gives 0
    const ExtremeValueTable* extremes = nullptr;  // for the current harmonics' ranges

    static ExportSource Of(const CVamor800Doc& doc);

    // The decimals a channel's exported values get from its measuring range.
    int Decimals(int channelId) const;
};

}  // namespace varelo
