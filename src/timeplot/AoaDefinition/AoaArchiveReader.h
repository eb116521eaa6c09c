#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varelo {

// What went wrong while reading a definition file; each archive error has its message.
enum class AoaReadError {
    None,
    NotFound,          // missing file or unusable path: reported by nobody
    FileError,         // the system refused to read it
    PastEnd,           // 61875: a count or length reaches beyond the data
    BadFormat,         // 61877: more than four entries, a bad index or text mark
    UnexpectedObject,  // 61878: another class than the one the place needs
    BadSchema,         // 61879: a file or class version this program does not know
};

// The message number of an archive error; 0 for None, NotFound and FileError.
int AoaReadErrorMessage(AoaReadError error);

// Reads one object archive (class numbering of its own) from a byte buffer. Every read is
// checked against the bytes that remain; the first failure sticks, and every later read fails.
class CAoaArchiveReader {
public:
    CAoaArchiveReader(std::span<const uint8_t> bytes, size_t at, int ansiCodePage);

    bool U8(uint8_t& value);
    bool U16(uint16_t& value);
    bool U32(uint32_t& value);
    bool I16(int16_t& value);
    bool I32(int32_t& value);
    bool F32(float& value);
    // An archived string: UTF-16 after the 0xFF 0xFFFE mark, otherwise the ANSI code page.
    bool Text(std::string& utf8);
    // The older counted form: a 32-bit byte count and that many ANSI bytes; 0 or less = empty.
    bool CountedAnsiText(std::string& utf8);
    // A class reference that must name className; the class's schema number comes back.
    bool ClassRef(std::string_view className, uint16_t& schema);
    // Takes the next map index for an object being read.
    void NewObject() { ++mapCount_; }
    // A list's element count; each element needs at least a class reference's two bytes.
    bool Count(size_t& count);
    bool Fail(AoaReadError error);

    AoaReadError Error() const { return error_; }
    size_t Remaining() const { return bytes_.size() - at_; }

private:
    bool Take(size_t size, const uint8_t*& data);

    struct ClassEntry {
        uint32_t index;
        std::string name;
        uint16_t schema;
    };

    std::span<const uint8_t> bytes_;
    size_t at_;
    int ansiCodePage_;
    AoaReadError error_ = AoaReadError::None;
    uint32_t mapCount_ = 0;  // indexes given so far; the next one is mapCount_ + 1
    std::vector<ClassEntry> classes_;
};

}  // namespace varelo
