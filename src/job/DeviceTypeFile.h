#pragma once

#include <string>

namespace varelo {

// The number of intervals a Logger of the device type stores for a function ("A" or "P"), from
// its device file in the firmware folder; 0 when the type does not offer the function or the
// file is missing.
int DeviceTypeIntervals(const std::string& typeCode, const std::string& functionLetter,
                        const std::string& firmwareFolder);

}  // namespace varelo
