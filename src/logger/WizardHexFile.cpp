#include "logger/WizardHexFile.h"

#include <fstream>
#include <sstream>
#include <string_view>

namespace varelo {

namespace {

constexpr size_t kMinimumRecordLine = 11;  // ":", count, address, type and a checksum
constexpr size_t kDataColumn = 9;          // the first data character, counted from 0

uint32_t HexAt(std::string_view line, size_t at, size_t digits) {
    uint32_t value = 0;
    for (size_t i = 0; i < digits; ++i)
        value = value * 16 + WizardHexFile::DigitValue(line[at + i]);
    return value;
}

}  // namespace

// Other characters count as 0, as the wizard always read them.
uint8_t WizardHexFile::DigitValue(char c) {
    if (c >= '0' && c <= '9') return uint8_t(c - '0');
    if (c >= 'a' && c <= 'f') return uint8_t(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return uint8_t(c - 'A' + 10);
    return 0;
}

WizardHexFile::Status WizardHexFile::Read(const std::string& path) {
    records_.clear();
    length_ = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) return Status::Unreadable;
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad()) return Status::Unreadable;
    return Parse(content.str());
}

WizardHexFile::Status WizardHexFile::Parse(const std::string& text) {
    records_.clear();
    length_ = text.size();
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() < kMinimumRecordLine || line.front() != ':') break;
        WizardHexRecord record;
        const size_t count = HexAt(line, 1, 2);
        record.address = uint16_t(HexAt(line, 3, 4));
        record.type = uint8_t(HexAt(line, 7, 2));
        if (line.size() < kDataColumn + 2 * count) return Status::ShortRecord;
        record.data.reserve(count);
        for (size_t i = 0; i < count; ++i)
            record.data.push_back(uint8_t(HexAt(line, kDataColumn + 2 * i, 2)));
        records_.push_back(std::move(record));
    }
    return Status::Ok;
}

}  // namespace varelo
