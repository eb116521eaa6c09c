#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace varelo {

// Which phases a power system has: L1 always, L2 unless single phase, L3 unless single or
// split single phase. Absent phases are neither evaluated nor listed.
struct PhasePresence {
    std::array<bool, 3> present{true, true, true};

    static PhasePresence FromPowerSystem(uint32_t voltPowSysType) {
        PhasePresence p;
        p.present[1] = voltPowSysType != 3;
        p.present[2] = voltPowSysType != 3 && voltPowSysType != 4;
        return p;
    }
    bool Has(int phase) const { return phase >= 0 && phase < 3 && present[size_t(phase)]; }
    int Count() const { return int(present[0]) + int(present[1]) + int(present[2]); }
};

}  // namespace varelo
