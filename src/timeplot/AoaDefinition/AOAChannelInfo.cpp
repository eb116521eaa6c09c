#include "timeplot/AoaDefinition/AOAChannelInfo.h"

#include "timeplot/AoaDefinition/AoaArchiveReader.h"
#include "timeplot/AoaDefinition/AoaArchiveWriter.h"

namespace varelo {

bool CAOAChannelInfo::Load(CAoaArchiveReader& in, uint16_t) {
    if (!(in.I16(Phase) && in.I32(Quantity) && in.U8(FreqMeasurement) && in.F32(FreqOrOrder) &&
          in.U8(MeasPrinciple) && in.U8(BeginType) && in.F32(BeginValue) && in.U8(EndType) &&
          in.F32(EndValue) && in.U8(Rounding)))
        return false;
    // Quantity 19 was renumbered 22; older files still carry it, in any phase's thousand.
    if (Quantity % 1000 == 19) Quantity += 3;
    return true;
}

void CAOAChannelInfo::Store(CAoaArchiveWriter& out) const {
    out.I16(Phase);
    out.I32(Quantity);
    out.U8(FreqMeasurement);
    out.F32(FreqOrOrder);
    out.U8(MeasPrinciple);
    out.U8(BeginType);
    out.F32(BeginValue);
    out.U8(EndType);
    out.F32(EndValue);
    out.U8(Rounding);
}

}  // namespace varelo
