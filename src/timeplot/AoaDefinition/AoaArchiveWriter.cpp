#include "timeplot/AoaDefinition/AoaArchiveWriter.h"

#include <cstring>

#include "platform/CodePage.h"

namespace varelo {

void CAoaArchiveWriter::U16(uint16_t value) {
    U8(uint8_t(value));
    U8(uint8_t(value >> 8));
}

void CAoaArchiveWriter::U32(uint32_t value) {
    U16(uint16_t(value));
    U16(uint16_t(value >> 16));
}

void CAoaArchiveWriter::F32(float value) {
    uint32_t raw = 0;
    std::memcpy(&raw, &value, sizeof raw);
    U32(raw);
}

void CAoaArchiveWriter::Text(std::string_view utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    U8(0xFF);
    U16(0xFFFE);
    const size_t length = units.size();
    if (length < 0xFF) {
        U8(uint8_t(length));
    } else if (length < 0xFFFE) {
        U8(0xFF);
        U16(uint16_t(length));
    } else {
        U8(0xFF);
        U16(0xFFFF);
        U32(uint32_t(length));
    }
    for (char16_t unit : units)
        U16(unit);
}

void CAoaArchiveWriter::ClassRef(std::string_view className, uint16_t schema) {
    for (const ClassEntry& entry : classes_) {
        if (entry.name != className) continue;
        if (entry.index < 0x7FFF) {
            U16(uint16_t(0x8000 | entry.index));
        } else {
            U16(0x7FFF);
            U32(0x80000000 | entry.index);
        }
        return;
    }
    U16(0xFFFF);
    U16(schema);
    U16(uint16_t(className.size()));
    bytes_.append(className);
    classes_.push_back({++mapCount_, std::string(className)});
}

void CAoaArchiveWriter::Count(size_t count) {
    if (count < 0xFFFF) {
        U16(uint16_t(count));
    } else {
        U16(0xFFFF);
        U32(uint32_t(count));
    }
}

}  // namespace varelo
