#pragma once

#include <cstddef>
#include <functional>

#include "measurement/IntervalRecord.h"

namespace varelo {

class CIntervalList;
class CMeasurementFileWriter;
class CRawScaling;
class CVamor800Doc;

// One record of longer length from the consecutive records of a group: maxima, minima, means,
// RMS and cubic means by field, the angles as a phasor mean, the half-period values taken
// together from the record that holds the extreme. Means are rounded by adding 0.5 and
// truncating toward zero; values beyond the 16-bit field saturate. The derived fields stay 0:
// they are computed again when the file is loaded.
CIntervalRecord AggregateRecords(const CIntervalRecord* const records[], size_t count,
                                 const CRawScaling& scaling);

// Groups the intervals of length intervalSeconds into intervals of targetSeconds ending on the
// target boundaries. A group is written when its last record ends on a boundary: a lone record
// unchanged, more records aggregated; records of a group that never reaches a boundary are
// dropped. With a writer every result is written, numbered from 0. Returns the number of
// records that result, or 0 when writing failed.
size_t AggregateIntervals(const CIntervalList& intervals, int intervalSeconds, int targetSeconds,
                          CMeasurementFileWriter* writer);
// The grouping with each resulting record and its number handed to sink; false from the sink
// stops it and gives 0.
using AggregateSink = std::function<bool(const CIntervalRecord& record, int number)>;
size_t AggregateIntervals(const CIntervalList& intervals, int intervalSeconds, int targetSeconds,
                          const AggregateSink& sink);
// The same over the document's intervals and interval length.
size_t AggregateIntervals(const CVamor800Doc& doc, int targetSeconds,
                          CMeasurementFileWriter* writer);

}  // namespace varelo
