#include "app/StringTable.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace varelo {

extern const char kEnglishStringTable[];  // generated from resources/strings/ENG.lng

namespace {

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        if (c == 'n') {
            out += '\n';
        } else if (c == 't') {
            out += '\t';
        } else if (c == '\\') {
            out += '\\';
        } else {  // an unknown escape stays as written
            out += '\\';
            out += c;
        }
    }
    return out;
}

bool IsKeyPart(std::string_view part, bool first) {
    if (part.empty()) return false;
    for (char c : part) {
        const bool lower = c >= 'a' && c <= 'z';
        const bool digit = c >= '0' && c <= '9';
        const bool upper = c >= 'A' && c <= 'Z';
        if (!lower && !digit && (first || !upper)) return false;
    }
    return !first || (part[0] >= 'a' && part[0] <= 'z');
}

bool ParseId(std::string_view text, int& id) {
    if (text.empty() || text.size() > 9) return false;
    id = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        id = id * 10 + (c - '0');
    }
    return true;
}

}  // namespace

bool IsTextKey(std::string_view name) {
    size_t dot = name.find('.');
    if (dot == std::string_view::npos || !IsKeyPart(name.substr(0, dot), true)) return false;
    do {
        name.remove_prefix(dot + 1);
        dot = name.find('.');
        if (!IsKeyPart(name.substr(0, dot), false)) return false;
    } while (dot != std::string_view::npos);
    return true;
}

size_t StringTable::Parse(std::string_view content) {
    size_t count = 0;
    while (!content.empty()) {
        size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos) continue;
        const std::string_view name = line.substr(0, tab);
        int id = 0;
        if (ParseId(name, id)) {
            texts_[id] = Unescape(line.substr(tab + 1));
        } else if (IsTextKey(name)) {
            keyed_.insert_or_assign(std::string(name), Unescape(line.substr(tab + 1)));
        } else {
            continue;
        }
        ++count;
    }
    return count;
}

bool StringTable::LoadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream content;
    content << file.rdbuf();
    std::string text = content.str();
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    texts_.clear();
    keyed_.clear();
    Parse(text);
    return true;
}

const std::string* StringTable::Find(int id) const {
    auto it = texts_.find(id);
    return it == texts_.end() ? nullptr : &it->second;
}

const std::string* StringTable::Find(std::string_view key) const {
    auto it = keyed_.find(key);
    return it == keyed_.end() ? nullptr : &it->second;
}

std::vector<int> StringTable::Ids() const {
    std::vector<int> ids;
    for (const auto& entry : texts_)
        ids.push_back(entry.first);
    return ids;
}

std::vector<std::string> StringTable::Keys() const {
    std::vector<std::string> keys;
    for (const auto& entry : keyed_)
        keys.push_back(entry.first);
    return keys;
}

namespace {

// The settings path and the bare file extensions: a module with others would put every setting
// in another section and save files under names the program does not look for.
constexpr int kBuiltInIds[] = {868, 199, 203, 261, 262, 853, 1420, 1502, 1507};

// The patterns of a file dialog filter "description|patterns|...||", without the descriptions.
std::string FilterPatterns(std::string_view filter) {
    std::string patterns;
    bool pattern = false;
    for (char c : filter) {
        if (c == '|') pattern = !pattern;
        if (pattern || c == '|') patterns += c;
    }
    return patterns;
}

bool IsFilter(std::string_view text) {
    return text.ends_with("||");
}

}  // namespace

void Strings::SetModule(StringTable module) {
    for (int id : kBuiltInIds)
        module.Remove(id);
    for (int id : english_.Ids()) {
        const std::string& english = *english_.Find(id);
        const std::string* text = module.Find(id);
        if (text && IsFilter(english) && FilterPatterns(*text) != FilterPatterns(english))
            module.Remove(id);
    }
    module_ = std::move(module);
}

Strings::Strings() {
    english_.Parse(kEnglishStringTable);
}

Strings& Strings::Instance() {
    static Strings strings;
    return strings;
}

std::string Strings::Text(int id) const {
    if (const std::string* text = module_.Find(id)) return *text;
    if (const std::string* text = english_.Find(id)) return *text;
    return {};
}

std::string Strings::Text(TextKey key) const {
    if (const std::string* text = module_.Find(key.name)) return *text;
    if (const std::string* text = english_.Find(key.name)) return *text;
    return {};
}

bool Strings::Has(int id) const {
    return module_.Find(id) || english_.Find(id);
}

std::string FormatPositional(std::string_view pattern, std::initializer_list<std::string> args) {
    std::vector<const std::string*> list;
    for (const auto& a : args)
        list.push_back(&a);
    std::string out;
    out.reserve(pattern.size() + 32);
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            size_t n = size_t(pattern[i + 1] - '1');
            if (n < list.size()) out += *list[n];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string Msg(int id, std::initializer_list<std::string> args) {
    return FormatPositional(Str(id), args);
}

namespace {

long long AsSigned(const PrintfArg& a) {
    if (auto* v = std::get_if<long long>(&a)) return *v;
    if (auto* v = std::get_if<unsigned long long>(&a)) return static_cast<long long>(*v);
    if (auto* v = std::get_if<double>(&a)) return static_cast<long long>(*v);
    return 0;
}

double AsDouble(const PrintfArg& a) {
    if (auto* v = std::get_if<double>(&a)) return *v;
    if (auto* v = std::get_if<unsigned long long>(&a)) return static_cast<double>(*v);
    return static_cast<double>(AsSigned(a));
}

std::string AsString(const PrintfArg& a) {
    if (auto* v = std::get_if<std::string>(&a)) return *v;
    if (auto* v = std::get_if<double>(&a)) return std::to_string(*v);
    if (auto* v = std::get_if<unsigned long long>(&a)) return std::to_string(*v);
    return std::to_string(AsSigned(a));
}

template <class T>
std::string FormatOne(const std::string& spec, T value) {
    int n = std::snprintf(nullptr, 0, spec.c_str(), value);
    if (n <= 0) return {};
    std::string out(size_t(n), '\0');
    std::snprintf(out.data(), out.size() + 1, spec.c_str(), value);
    return out;
}

}  // namespace

std::string FormatPrintf(std::string_view pattern, std::initializer_list<PrintfArg> args) {
    auto next = args.begin();
    const PrintfArg none = std::string();
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        size_t start = i++;
        std::string spec = "%";
        while (i < pattern.size() &&
               std::string_view("-+ 0#").find(pattern[i]) != std::string_view::npos)
            spec += pattern[i++];
        while (i < pattern.size() &&
               ((pattern[i] >= '0' && pattern[i] <= '9') || pattern[i] == '.'))
            spec += pattern[i++];
        while (i < pattern.size() &&
               std::string_view("hlLqjzt").find(pattern[i]) != std::string_view::npos)
            ++i;  // length modifiers: the argument carries its own width
        if (i >= pattern.size()) {
            out += pattern.substr(start);
            break;
        }
        char conv = pattern[i];
        if (conv == '%') {
            out += '%';
            continue;
        }
        if (std::string_view("diuxXofFeEgGcsS").find(conv) == std::string_view::npos) {
            out += pattern.substr(start, i - start + 1);  // not a conversion: kept as written
            continue;
        }
        const PrintfArg& arg = next != args.end() ? *next++ : none;
        switch (conv) {
            case 'd':
            case 'i': out += FormatOne(spec + "lld", AsSigned(arg)); break;
            case 'u':
            case 'x':
            case 'X':
            case 'o':
                out +=
                    FormatOne(spec + "ll" + conv, static_cast<unsigned long long>(AsSigned(arg)));
                break;
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G': out += FormatOne(spec + conv, AsDouble(arg)); break;
            case 'c': out += FormatOne(spec + 'c', static_cast<int>(AsSigned(arg))); break;
            case 's':
            case 'S': out += FormatOne(spec + 's', AsString(arg).c_str()); break;
            default: break;
        }
    }
    return out;
}

}  // namespace varelo
