#include "timeplot/AoaDefinition/AOAApplication.h"

#include "timeplot/AoaDefinition/AoaObList.h"

namespace varelo {

bool CAOAApplication::Load(CAoaArchiveReader& in, uint16_t schema) {
    if (!in.U8(Mode) || !in.Text(Name) || !in.Text(LimitFile)) return false;
    if (!(schema == 1 ? in.CountedAnsiText(Description) : in.Text(Description))) return false;
    return ReadObList(in, Channels);
}

void CAOAApplication::Store(CAoaArchiveWriter& out) const {
    out.U8(Mode);
    out.Text(Name);
    out.Text(LimitFile);
    out.Text(Description);
    WriteObList(out, Channels);
}

}  // namespace varelo
