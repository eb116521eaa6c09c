#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/Database.h"

namespace varelo {

class IniFile;
class UserInterface;

// How a column of a quantity the measurement lacks is filled.
enum class FillMode { kZero = 1, kNull = 2, kSkip = 3 };

enum class ColumnFill { kValue, kZero, kNull };

struct AccessColumnSpec {
    std::string name;
    FieldType type = FieldType::kSingle;
    int channelId = -1;  // -1 for the date column
    ColumnFill fill = ColumnFill::kValue;
};

struct AccessTableSpec {
    std::string name;
    std::vector<AccessColumnSpec> columns;
};

// What a configuration file asks of the database, tables in configuration order.
struct AccessConfiguration {
    std::vector<AccessTableSpec> tables;
    bool precision = false;
    bool access2000 = false;  // read for the file's sake; the database has one format
};

// Whether the measurement holds a channel.
using ChannelHeld = std::function<bool(int channelId)>;

// Reads the tables and flags; false after showing the first error's message, before anything
// is written.
bool ReadAccessConfiguration(const std::string& path, const ChannelHeld& held, UserInterface& ui,
                             AccessConfiguration& configuration);
bool ReadAccessConfiguration(const IniFile& ini, const ChannelHeld& held, UserInterface& ui,
                             AccessConfiguration& configuration);

// The header table's name and its 13 column names in their fixed order.
struct HeaderTableConfiguration {
    static constexpr int kColumns = 13;
    static constexpr int kTexts = 6;
    std::string name = "Header";
    std::array<std::string, kColumns> columns;
    // A text column named by the configuration cannot be renamed in the dialog.
    std::array<bool, kTexts> fixedText{};
};

// The keys of the header columns, which are also their default names.
extern const std::array<const char*, HeaderTableConfiguration::kColumns> kHeaderColumnKeys;

bool ReadHeaderTableConfiguration(const std::string& path, UserInterface& ui,
                                  HeaderTableConfiguration& header);
bool ReadHeaderTableConfiguration(const IniFile& ini, UserInterface& ui,
                                  HeaderTableConfiguration& header);

}  // namespace varelo
