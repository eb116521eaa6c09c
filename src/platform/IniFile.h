#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varelo {

// An initialisation file: [sections] of key=value lines, names compared without regard to
// case, order kept for writing. Reading follows the classic profile functions: a missing
// key gives the caller's default, values are trimmed and lose one pair of enclosing quotes.
class IniFile {
public:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    static IniFile Parse(std::string_view text);
    // False when the file cannot be read; the object is then empty.
    bool Load(const std::string& path);
    std::string ToText() const;

    bool HasSection(std::string_view section) const;
    const std::string* Find(std::string_view section, std::string_view key) const;
    // At most maxLength characters of the value, as a fixed-size profile buffer would hold.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, size_t maxLength = 65535) const;
    // Leading decimal digits of the value (with an optional sign); none gives 0.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

    void Set(std::string_view section, std::string_view key, std::string_view value);
    const std::vector<Section>& Sections() const { return sections_; }

private:
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    std::vector<Section> sections_;
};

bool EqualsNoCase(std::string_view a, std::string_view b);
// Leading decimal digits with an optional sign, after leading blanks; 0 when there are none.
long ParseLeadingInt(std::string_view text);

}  // namespace varelo
