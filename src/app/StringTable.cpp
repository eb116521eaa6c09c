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

}  // namespace

size_t StringTable::Parse(std::string_view content) {
    size_t count = 0;
    while (!content.empty()) {
        size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        size_t tab = line.find('\t');
        if (tab == 0 || tab == std::string_view::npos || tab > 9) continue;
        int id = 0;
        bool digits = true;
        for (char c : line.substr(0, tab)) {
            if (c < '0' || c > '9') digits = false;
            else id = id * 10 + (c - '0');
        }
        if (!digits) continue;
        texts_[id] = Unescape(line.substr(tab + 1));
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
    Parse(text);
    return true;
}

const std::string* StringTable::Find(int id) const {
    auto it = texts_.find(id);
    return it == texts_.end() ? nullptr : &it->second;
}

Strings::Strings() { english_.Parse(kEnglishStringTable); }

Strings& Strings::Instance() {
    static Strings strings;
    return strings;
}

std::string Strings::Text(int id) const {
    if (const std::string* text = module_.Find(id)) return *text;
    if (const std::string* text = english_.Find(id)) return *text;
    return {};
}

bool Strings::Has(int id) const { return module_.Find(id) || english_.Find(id); }

std::string FormatPositional(std::string_view pattern, std::initializer_list<std::string> args) {
    std::vector<const std::string*> list;
    for (const auto& a : args) list.push_back(&a);
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
        while (i < pattern.size() && std::string_view("-+ 0#").find(pattern[i]) != std::string_view::npos)
            spec += pattern[i++];
        while (i < pattern.size() && ((pattern[i] >= '0' && pattern[i] <= '9') || pattern[i] == '.'))
            spec += pattern[i++];
        while (i < pattern.size() && std::string_view("hlLqjzt").find(pattern[i]) != std::string_view::npos)
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
            case 'd': case 'i':
                out += FormatOne(spec + "lld", AsSigned(arg));
                break;
            case 'u': case 'x': case 'X': case 'o':
                out += FormatOne(spec + "ll" + conv, static_cast<unsigned long long>(AsSigned(arg)));
                break;
            case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
                out += FormatOne(spec + conv, AsDouble(arg));
                break;
            case 'c':
                out += FormatOne(spec + 'c', static_cast<int>(AsSigned(arg)));
                break;
            case 's': case 'S':
                out += FormatOne(spec + 's', AsString(arg).c_str());
                break;
            default:
                break;
        }
    }
    return out;
}

}  // namespace varelo
