// Feeds arbitrary bytes to the measurement file reader: it must fail cleanly, never crash,
// never read out of bounds and never allocate without bound.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "measurement/MeasurementFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = varelo::fuzz::InputPath(data, size);
    if (path.empty()) return 0;
    varelo::MeasurementData measurement;
    varelo::ReadMeasurementFile(path, measurement);
    return 0;
}
