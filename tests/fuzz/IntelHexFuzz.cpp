// The Intel-Hex reader of the firmware images under libFuzzer: whatever the file holds, it
// fails with its message or fills the image, never writing past it; the used size stays
// within the image.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "logger/FirmwareImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = varelo::fuzz::InputPath(data, size);
    if (path.empty()) return 0;
    static varelo::fuzz::SilentUserInterface ui;
    static varelo::FirmwareImage image;
    varelo::ReadHexImage(path, image, ui);
    varelo::fuzz::Require(image.bytes.size() == varelo::FirmwareImage::kSize,
                          "the image changed its size");
    varelo::fuzz::Require(image.usedSize <= image.bytes.size(),
                          "the used size lies past the image");
    return 0;
}
