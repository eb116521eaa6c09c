#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varelo {

// One record line of an Intel-Hex file as the reset wizard reads it.
struct WizardHexRecord {
    uint8_t type = 0;
    uint16_t address = 0;
    std::vector<uint8_t> data;
};

// The reset wizard's own reading of its Intel-Hex files (hex loader, monitor, CPU program):
// record lines are read up to the first line that does not start with ":" or is shorter than
// 11 characters; count, address and type come from fixed columns, hexadecimal digits in
// either case, any other character counting as 0; checksums are not examined.
class WizardHexFile {
public:
    enum class Status { Ok, Unreadable, ShortRecord };

    // A hexadecimal digit in either case; any other character counts as 0.
    static uint8_t DigitValue(char c);

    // Reads the records; a line with fewer data characters than its count is refused as a
    // whole, so nothing of a damaged file goes to the Logger.
    Status Read(const std::string& path);
    // Parses text as the file's content.
    Status Parse(const std::string& text);

    const std::vector<WizardHexRecord>& Records() const { return records_; }
    // The file's length in bytes, which sizes the progress bars.
    size_t Length() const { return length_; }
    // Record lines read (the CPU program's bar advances per line).
    size_t LineCount() const { return records_.size(); }

private:
    std::vector<WizardHexRecord> records_;
    size_t length_ = 0;
};

}  // namespace varelo
