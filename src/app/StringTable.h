#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>

namespace varelo {

// Texts by number, read from a string-table file: UTF-8, one "id<TAB>text" per line, with
// "\n", "\t" and "\\" escaped.
class StringTable {
public:
    // Lines that are not "id<TAB>text" are skipped; returns the number of entries read.
    size_t Parse(std::string_view content);
    bool LoadFile(const std::string& path);
    const std::string* Find(int id) const;
    size_t Size() const { return texts_.size(); }

private:
    std::unordered_map<int, std::string> texts_;
};

// The program's strings: the loaded language module, falling back to the built-in English
// table for every id the module lacks.
class Strings {
public:
    static Strings& Instance();

    std::string Text(int id) const;
    bool Has(int id) const;
    void SetModule(StringTable module) { module_ = std::move(module); }
    void ClearModule() { module_ = StringTable(); }
    const StringTable& English() const { return english_; }

private:
    Strings();
    StringTable english_;
    StringTable module_;
};

// Text of a string-table entry in the current language.
inline std::string Str(int id) { return Strings::Instance().Text(id); }

// Replaces "%1" .. "%9" by the arguments; other "%" characters stay.
std::string FormatPositional(std::string_view pattern, std::initializer_list<std::string> args);
// Str(id) with positional arguments.
std::string Msg(int id, std::initializer_list<std::string> args);

// An argument of a printf-style pattern.
using PrintfArg = std::variant<long long, unsigned long long, double, std::string>;
// Formats a printf-style pattern with typed arguments. Each conversion takes the next argument
// and converts it to what the conversion needs, so a pattern and its arguments that disagree
// give a wrong text, never undefined behaviour.
std::string FormatPrintf(std::string_view pattern, std::initializer_list<PrintfArg> args);

}  // namespace varelo
