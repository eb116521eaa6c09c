#include "timeplot/AoaDefinition/AoaArchiveReader.h"

#include <cstring>

#include "platform/CodePage.h"

namespace varelo {

namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000;
constexpr uint16_t kUnicodeMark = 0xFFFE;

}  // namespace

int AoaReadErrorMessage(AoaReadError error) {
    switch (error) {
        case AoaReadError::PastEnd: return 61875;
        case AoaReadError::BadFormat: return 61877;
        case AoaReadError::UnexpectedObject: return 61878;
        case AoaReadError::BadSchema: return 61879;
        default: return 0;
    }
}

CAoaArchiveReader::CAoaArchiveReader(std::span<const uint8_t> bytes, size_t at, int ansiCodePage)
    : bytes_(bytes), at_(at <= bytes.size() ? at : bytes.size()), ansiCodePage_(ansiCodePage) {
    if (at > bytes.size()) error_ = AoaReadError::PastEnd;
}

bool CAoaArchiveReader::Fail(AoaReadError error) {
    if (error_ == AoaReadError::None) error_ = error;
    return false;
}

bool CAoaArchiveReader::Take(size_t size, const uint8_t*& data) {
    if (error_ != AoaReadError::None) return false;
    if (size > Remaining()) return Fail(AoaReadError::PastEnd);
    data = bytes_.data() + at_;
    at_ += size;
    return true;
}

bool CAoaArchiveReader::U8(uint8_t& value) {
    const uint8_t* p = nullptr;
    if (!Take(1, p)) return false;
    value = p[0];
    return true;
}

bool CAoaArchiveReader::U16(uint16_t& value) {
    const uint8_t* p = nullptr;
    if (!Take(2, p)) return false;
    value = uint16_t(p[0] | (p[1] << 8));
    return true;
}

bool CAoaArchiveReader::U32(uint32_t& value) {
    const uint8_t* p = nullptr;
    if (!Take(4, p)) return false;
    value =
        uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    return true;
}

bool CAoaArchiveReader::I16(int16_t& value) {
    uint16_t raw = 0;
    if (!U16(raw)) return false;
    value = int16_t(raw);
    return true;
}

bool CAoaArchiveReader::I32(int32_t& value) {
    uint32_t raw = 0;
    if (!U32(raw)) return false;
    value = int32_t(raw);
    return true;
}

bool CAoaArchiveReader::F32(float& value) {
    uint32_t raw = 0;
    if (!U32(raw)) return false;
    std::memcpy(&value, &raw, sizeof value);
    return true;
}

bool CAoaArchiveReader::Text(std::string& utf8) {
    bool wide = false;
    uint64_t length = 0;
    for (;;) {
        uint8_t shortLength = 0;
        if (!U8(shortLength)) return false;
        if (shortLength < 0xFF) {
            length = shortLength;
            break;
        }
        uint16_t word = 0;
        if (!U16(word)) return false;
        if (word == kUnicodeMark) {
            // One mark only; a second one is no text this archive writes.
            if (wide) return Fail(AoaReadError::BadFormat);
            wide = true;
            continue;
        }
        if (word == 0xFFFF) {
            uint32_t longLength = 0;
            if (!U32(longLength)) return false;
            length = longLength;
        } else {
            length = word;
        }
        break;
    }
    const uint64_t size = wide ? length * 2 : length;
    if (size > Remaining()) return Fail(AoaReadError::PastEnd);
    const uint8_t* p = nullptr;
    if (!Take(size_t(size), p)) return false;
    if (!wide) {
        utf8 = CodePageToUtf8(std::string_view(reinterpret_cast<const char*>(p), size_t(size)),
                              ansiCodePage_);
        return true;
    }
    std::u16string units(size_t(length), u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(p[2 * i] | (p[2 * i + 1] << 8));
    utf8 = Utf16ToUtf8(units);
    return true;
}

bool CAoaArchiveReader::CountedAnsiText(std::string& utf8) {
    int32_t count = 0;
    if (!I32(count)) return false;
    utf8.clear();
    if (count <= 0) return true;
    const uint8_t* p = nullptr;
    if (!Take(size_t(count), p)) return false;
    utf8 = CodePageToUtf8(std::string_view(reinterpret_cast<const char*>(p), size_t(count)),
                          ansiCodePage_);
    return true;
}

bool CAoaArchiveReader::ClassRef(std::string_view className, uint16_t& schema) {
    uint16_t tag = 0;
    if (!U16(tag)) return false;
    if (tag == kNewClassTag) {
        uint16_t nameLength = 0;
        if (!U16(schema) || !U16(nameLength)) return false;
        const uint8_t* p = nullptr;
        if (!Take(nameLength, p)) return false;
        std::string name(reinterpret_cast<const char*>(p), nameLength);
        if (name != className) return Fail(AoaReadError::UnexpectedObject);
        classes_.push_back({++mapCount_, std::move(name), schema});
        return true;
    }
    uint32_t reference = 0;
    if (tag == kBigObjectTag) {
        if (!U32(reference)) return false;
    } else {
        reference = (uint32_t(tag & kClassTag) << 16) | (tag & 0x7FFF);
    }
    // A null or an object where a class must stand: the lists here hold objects only once.
    if ((reference & kBigClassTag) == 0) return Fail(AoaReadError::UnexpectedObject);
    const uint32_t index = reference & ~kBigClassTag;
    for (const ClassEntry& entry : classes_) {
        if (entry.index != index) continue;
        if (entry.name != className) return Fail(AoaReadError::UnexpectedObject);
        schema = entry.schema;
        return true;
    }
    // Not a class index seen in this archive (an object's, or none at all).
    return Fail(index <= mapCount_ ? AoaReadError::UnexpectedObject : AoaReadError::BadFormat);
}

bool CAoaArchiveReader::Count(size_t& count) {
    uint16_t shortCount = 0;
    if (!U16(shortCount)) return false;
    uint32_t value = shortCount;
    if (shortCount == 0xFFFF && !U32(value)) return false;
    if (uint64_t(value) * 2 > Remaining()) return Fail(AoaReadError::PastEnd);
    count = value;
    return true;
}

}  // namespace varelo
