#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "timeplot/AoaDefinition/AOAChannelInfo.h"

namespace varelo {

// A prepared set of curves for one measuring task. Copying copies its channels.
class CAOAApplication {
public:
    static constexpr char kClassName[] = "CAOAApplication";
    static constexpr uint16_t kSchema = 2;
    // Schema 1 stored the description as counted ANSI bytes.
    static bool AcceptsSchema(uint16_t schema) { return schema == 1 || schema == kSchema; }

    enum PhaseMode : uint8_t { kMixed = 0, kOne = 1, kAll = 2 };

    uint8_t Mode = kMixed;
    std::string Name;
    std::string LimitFile;
    std::string Description;
    std::vector<CAOAChannelInfo> Channels;

    const std::string& DisplayName() const { return Name; }
    bool Load(CAoaArchiveReader& in, uint16_t schema);
    void Store(CAoaArchiveWriter& out) const;
    bool operator==(const CAOAApplication&) const = default;
};

}  // namespace varelo
