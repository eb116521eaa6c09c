#pragma once

#include <cstdint>

namespace varelo {

class CAoaArchiveReader;
class CAoaArchiveWriter;

// One curve of an application: the quantity and the rule for its Y range.
class CAOAChannelInfo {
public:
    static constexpr char kClassName[] = "CAOAChannelInfo";
    static constexpr uint16_t kSchema = 1;
    static bool AcceptsSchema(uint16_t schema) { return schema == kSchema; }

    int16_t Phase = 0;  // 0 = from the application's phase mode, 1..3 = L1..L3
    int32_t Quantity = -1;
    uint8_t FreqMeasurement = 0;  // 0 absolute (Hz), 1 relative (order)
    float FreqOrOrder = 0;
    uint8_t MeasPrinciple = 0;
    uint8_t BeginType = 3;  // scaling types 1..6, 3 = nominal
    float BeginValue = 0;
    uint8_t EndType = 3;
    float EndValue = 0;
    uint8_t Rounding = 0;

    bool Load(CAoaArchiveReader& in, uint16_t schema);
    void Store(CAoaArchiveWriter& out) const;
    bool operator==(const CAOAChannelInfo&) const = default;
};

}  // namespace varelo
