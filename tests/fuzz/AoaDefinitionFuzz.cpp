// The application-oriented analysis definition reader and writer under libFuzzer. The input is
// a definition file. Whatever reads must write a file that reads back and writes the very same
// bytes again; a read for one function must never fail where the whole file read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "timeplot/AoaDefinition/AOARootObj.h"

using namespace varelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputPath(data, size);
    if (path.empty()) return 0;
    CAOARootObj root;
    if (root.Read(path, 0) != AoaReadError::None) {
        fuzz::Require(root.Count() == 0, "a failed read leaves entries behind");
        return 0;
    }
    for (const CAOARootObj::Entry& entry : root.Entries()) {
        CAOARootObj one;
        fuzz::Require(one.Read(path, entry.Key) == AoaReadError::None,
                      "an entry of a readable file does not read alone");
        fuzz::Require(one.Count() == 1, "a read by key holds more than one entry");
    }
    const std::string written = root.Serialize();
    const std::string copy = fuzz::ScratchFolder() + "/copy.aoa";
    fuzz::Require(root.Write(copy), "a definition cannot be written");
    CAOARootObj back;
    fuzz::Require(back.Read(copy, 0) == AoaReadError::None, "a written definition does not read");
    fuzz::Require(back.Serialize() == written, "a written definition reads back as another");
    return 0;
}
