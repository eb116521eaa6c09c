#pragma once

#include "app/AppOptions.h"
#include "app/Settings.h"

namespace varelo {

// A "Harmonics in" key and the reference it stands for.
struct HarmonicReferenceKey {
    const SettingKey* key;
    int reference;
};

// In the order start-up reads them, where the last non-zero key wins; also the order of the
// general settings' buttons.
inline constexpr HarmonicReferenceKey kVoltageHarmonicKeys[] = {
    {&setting::VoltageHarmonicsInFundamental, kHarmonicsInFundamental},
    {&setting::VoltageHarmonicsInNominal, kHarmonicsInNominal},
    {&setting::VoltageHarmonicsInRMS, kHarmonicsInRms},
    {&setting::VoltageHarmonicsInAbsolute, kHarmonicsAbsolute},
};
inline constexpr HarmonicReferenceKey kCurrentHarmonicKeys[] = {
    {&setting::CurrentHarmonicsInFundamental, kHarmonicsInFundamental},
    {&setting::CurrentHarmonicsInRMS, kHarmonicsInRms},
    {&setting::CurrentHarmonicsInAbsolute, kHarmonicsAbsolute},
};

}  // namespace varelo
