#include "logger/FirmwareImage.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <string_view>

#include "app/StringTable.h"
#include "app/UserInterface.h"

namespace varelo {

namespace {

// The line buffer of the reader: longer lines continue as further lines.
constexpr size_t kMaxLineLength = 249;
// Extended linear address that the image files use for the start of the image.
constexpr uint32_t kLinearBaseOfImageStart = 0x0047;

std::optional<uint32_t> HexValue(std::string_view line, size_t offset, size_t digits) {
    if (offset + digits > line.size()) return std::nullopt;
    uint32_t value = 0;
    for (size_t i = 0; i < digits; ++i) {
        char c = line[offset + i];
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                           : -1;
        if (digit < 0) return std::nullopt;
        value = value * 16 + uint32_t(digit);
    }
    return value;
}

enum class RecordResult { Continue, End, Fail, Malformed };

class HexReader {
public:
    explicit HexReader(FirmwareImage& image) : image_(image) {}

    RecordResult Record(std::string_view line) {
        auto count = HexValue(line, 1, 2);
        auto address = HexValue(line, 3, 4);
        auto type = HexValue(line, 7, 2);
        if (!count || !address || !type) return RecordResult::Malformed;
        // The character after the record must end the line; the checksum digits may be
        // missing, but when they are there they must match.
        size_t end = *type == 1 ? 11 : 11 + 2 * *count;
        if (end < line.size() && line[end] != '\r' && line[end] != '\n')
            return RecordResult::Malformed;
        std::vector<uint8_t> data;
        uint32_t sum = *count + (*address >> 8) + (*address & 0xFF) + *type;
        for (uint32_t i = 0; i < *count; ++i) {
            auto byte = HexValue(line, 9 + 2 * i, 2);
            if (!byte) return RecordResult::Malformed;
            data.push_back(uint8_t(*byte));
            sum += *byte;
        }
        size_t checksumAt = 9 + 2 * *count;
        if (checksumAt < std::min(end, line.size())) {
            auto checksum = HexValue(line, checksumAt, 2);
            if (!checksum || ((sum + *checksum) & 0xFF) != 0) return RecordResult::Malformed;
        }
        return Apply(*type, *address, data);
    }

private:
    RecordResult Apply(uint32_t type, uint32_t address, const std::vector<uint8_t>& data) {
        switch (type) {
            case 0: {
                size_t start = size_t(base_) + address;
                if (start + data.size() > image_.bytes.size()) return RecordResult::Malformed;
                std::copy(data.begin(), data.end(), image_.bytes.begin() + long(start));
                image_.usedSize = std::max(image_.usedSize, start + data.size());
                return RecordResult::Continue;
            }
            case 1: return RecordResult::End;
            case 2:
            case 4: {
                if (data.size() != 2) return RecordResult::Malformed;
                uint32_t value = uint32_t(data[0]) << 8 | data[1];
                if (type == 2)
                    base_ = value * 16;
                else
                    base_ = value == kLinearBaseOfImageStart ? 0 : value * 65536;
                return RecordResult::Continue;
            }
            default: return RecordResult::Fail;
        }
    }

    FirmwareImage& image_;
    uint32_t base_ = 0;
};

}  // namespace

bool ReadHexImage(const std::string& path, FirmwareImage& image, UserInterface& ui) {
    image = FirmwareImage{};
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    HexReader reader(image);
    long lineNumber = 0;
    std::string text;
    while (std::getline(file, text)) {
        for (size_t pos = 0; pos == 0 || pos < text.size(); pos += kMaxLineLength) {
            std::string_view line = std::string_view(text).substr(pos, kMaxLineLength);
            ++lineNumber;
            if (line.empty() || line.front() != ':') continue;
            switch (reader.Record(line)) {
                case RecordResult::Continue: break;
                case RecordResult::End: return true;
                case RecordResult::Fail: return false;
                case RecordResult::Malformed:
                    ui.ShowMessage(359, Msg(359, {path, std::to_string(lineNumber)}),
                                   MessageIcon::Warning);
                    return false;
            }
        }
    }
    return true;
}

}  // namespace varelo
