#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "timeplot/AoaDefinition/AOAApplication.h"

namespace varelo {

// A named collection of applications. Copying copies the whole subtree.
class CAOAAppGroup {
public:
    static constexpr char kClassName[] = "CAOAAppGroup";
    static constexpr uint16_t kSchema = 1;
    static bool AcceptsSchema(uint16_t schema) { return schema == kSchema; }

    std::string Name;
    std::vector<CAOAApplication> Applications;

    const std::string& DisplayName() const { return Name; }
    bool Load(CAoaArchiveReader& in, uint16_t schema);
    void Store(CAoaArchiveWriter& out) const;
    bool operator==(const CAOAAppGroup&) const = default;
};

}  // namespace varelo
