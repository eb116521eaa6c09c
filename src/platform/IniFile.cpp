#include "platform/IniFile.h"

#include <cctype>
#include <climits>
#include <fstream>
#include <sstream>

namespace varelo {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string_view Unquote(std::string_view s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

long ParseLeadingInt(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        if (value > (LONG_MAX - 9) / 10) break;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    Section* current = nullptr;
    std::istringstream in{std::string(text)};
    std::string raw;
    while (std::getline(in, raw)) {
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            std::string_view name = Trim(line.substr(1, close == std::string_view::npos
                                                            ? std::string_view::npos
                                                            : close - 1));
            current = ini.FindSection(name);
            if (!current) {
                ini.sections_.push_back({std::string(name), {}});
                current = &ini.sections_.back();
            }
            continue;
        }
        size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos) continue;
        std::string_view key = Trim(line.substr(0, eq));
        std::string_view value = Trim(line.substr(eq + 1));
        bool known = false;
        for (auto& e : current->entries) {
            if (EqualsNoCase(e.key, key)) {  // the first occurrence wins, as profile readers do
                known = true;
                break;
            }
        }
        if (!known) current->entries.push_back({std::string(key), std::string(value)});
    }
    return ini;
}

bool IniFile::Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        sections_.clear();
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    *this = Parse(content.str());
    return true;
}

std::string IniFile::ToText() const {
    std::string out;
    for (const auto& s : sections_) {
        out += "[" + s.name + "]\n";
        for (const auto& e : s.entries) out += e.key + "=" + e.value + "\n";
        out += "\n";
    }
    return out;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
    for (auto& s : sections_) {
        if (EqualsNoCase(s.name, name)) return &s;
    }
    return nullptr;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    return const_cast<IniFile*>(this)->FindSection(name);
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section); }

const std::string* IniFile::Find(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    for (const auto& e : s->entries) {
        if (EqualsNoCase(e.key, key)) return &e.value;
    }
    return nullptr;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, size_t maxLength) const {
    const std::string* value = Find(section, key);
    std::string_view result = value ? Unquote(*value) : defaultValue;
    return std::string(result.substr(0, maxLength));
}

int IniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string* value = Find(section, key);
    if (!value) return defaultValue;
    long v = ParseLeadingInt(*value);
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = FindSection(section);
    if (!s) {
        sections_.push_back({std::string(section), {}});
        s = &sections_.back();
    }
    for (auto& e : s->entries) {
        if (EqualsNoCase(e.key, key)) {
            e.value = value;
            return;
        }
    }
    s->entries.push_back({std::string(key), std::string(value)});
}

}  // namespace varelo
