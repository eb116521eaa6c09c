#include "support/SteadyMeasurement.h"

namespace varelo::test {

MeasurementData SteadyMeasurement(uint32_t function, int n, int16_t rawVoltage,
                                  int firstGapSeconds) {
    MeasurementData d;
    d.fileVersion = 102;
    d.job.MeasFunc = function;
    d.job.Interval = 600;
    CTimeStamp t(2026, 3, 2, 0, 10, 0);
    d.job.MeasStartMeasured = CTimeStamp(2026, 3, 2, 0, 0, 0);
    for (int i = 0; i < n; ++i) {
        CIntervalRecord r;
        r.DateTime = t;
        r.VoltAvgPhaseLxRawVal = {rawVoltage, rawVoltage, rawVoltage};
        d.intervals.Add(r);
        t.AddSeconds(i == 0 ? firstGapSeconds : 600);
    }
    d.job.MeasStopMeasured = d.intervals.empty() ? t : d.intervals.back().DateTime;
    d.job.NrInterval = uint32_t(n);
    return d;
}

}  // namespace varelo::test
