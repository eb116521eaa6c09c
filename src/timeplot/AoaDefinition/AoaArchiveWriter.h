#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varelo {

// Writes one object archive (class numbering of its own) into a byte string, little-endian,
// texts as UTF-16 behind the 0xFF 0xFFFE mark.
class CAoaArchiveWriter {
public:
    void U8(uint8_t value) { bytes_ += char(value); }
    void U16(uint16_t value);
    void U32(uint32_t value);
    void I16(int16_t value) { U16(uint16_t(value)); }
    void I32(int32_t value) { U32(uint32_t(value)); }
    void F32(float value);
    void Text(std::string_view utf8);
    // The class in full the first time, by its map index after that.
    void ClassRef(std::string_view className, uint16_t schema);
    void NewObject() { ++mapCount_; }
    void Count(size_t count);

    const std::string& Bytes() const { return bytes_; }

private:
    struct ClassEntry {
        uint32_t index;
        std::string name;
    };

    std::string bytes_;
    uint32_t mapCount_ = 0;
    std::vector<ClassEntry> classes_;
};

}  // namespace varelo
