// Feeds arbitrary bytes to the measurement file reader: it must fail cleanly, never crash,
// never read out of bounds and never allocate without bound.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "measurement/MeasurementFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int fd = ::memfd_create("measurement", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != ssize_t(size)) return 0;
    varelo::MeasurementData measurement;
    varelo::ReadMeasurementFile(path, measurement);
    return 0;
}
