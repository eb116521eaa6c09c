#include "timeplot/AoaDefinition/AOAAppGroup.h"

#include "timeplot/AoaDefinition/AoaObList.h"

namespace varelo {

bool CAOAAppGroup::Load(CAoaArchiveReader& in, uint16_t) {
    return in.Text(Name) && ReadObList(in, Applications);
}

void CAOAAppGroup::Store(CAoaArchiveWriter& out) const {
    out.Text(Name);
    WriteObList(out, Applications);
}

}  // namespace varelo
