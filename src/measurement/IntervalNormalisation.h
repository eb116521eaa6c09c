#pragma once

#include <cstdint>

namespace varelo {

class CIntervalRecord;
class CIntervalList;
class CRawScaling;

// Clears every field of the conductors the power system lacks: L2, L3, N and the power
// totals of a single-phase system, L3 of a split single-phase system.
void ClearAbsentConductors(CIntervalRecord& r, uint32_t powSysType);
// THD values and unbalances of one interval, by the rules of its measurement function.
void ComputeDerivedValues(CIntervalRecord& r, const CRawScaling& s, int thdOrder);
// Prepares freshly read intervals (file, Logger or derived file) with the list's scaling:
// clears absent conductors, derives THD and unbalance, and zeroes the harmonics of a phase
// without a fundamental.
void NormaliseIntervals(CIntervalList& list, uint32_t powSysType, int thdOrder);
// Recomputes the THD of function A intervals after the THD order changed.
void RecomputeThd(CIntervalList& list, int thdOrder);

}  // namespace varelo
