#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace varelo {

// A named text: the key of a string-table line "key<TAB>text". The constants are generated
// from the English table (app/TextKeys.h), so a key English lacks does not compile.
struct TextKey {
    std::string_view name;
};

// Whether a name has the form of a text key: lower-case letters and digits starting with a
// letter, then one or more ".part" of letters and digits ("dlg117.title", "menu.file").
bool IsTextKey(std::string_view name);

// Texts by number and by key, read from a string-table file: UTF-8, one "id<TAB>text" or
// "key<TAB>text" per line, with "\n", "\t" and "\\" escaped.
class StringTable {
public:
    // Lines that are neither form are skipped; returns the number of entries read.
    size_t Parse(std::string_view content);
    bool LoadFile(const std::string& path);
    const std::string* Find(int id) const;
    const std::string* Find(std::string_view key) const;
    void Remove(int id) { texts_.erase(id); }
    size_t Size() const { return texts_.size() + keyed_.size(); }
    // Every id and every key, for comparing modules.
    std::vector<int> Ids() const;
    std::vector<std::string> Keys() const;

private:
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
    };
    std::unordered_map<int, std::string> texts_;
    std::unordered_map<std::string, std::string, KeyHash, std::equal_to<>> keyed_;
};

// The program's strings: the loaded language module, falling back to the built-in English
// table for every id the module lacks.
class Strings {
public:
    static Strings& Instance();

    std::string Text(int id) const;
    std::string Text(TextKey key) const;
    bool Has(int id) const;
    // Takes a language module; its entries that would move settings or files elsewhere (the
    // settings path, bare extensions, filters with other patterns) are dropped for English.
    void SetModule(StringTable module);
    void ClearModule() { module_ = StringTable(); }
    const StringTable& English() const { return english_; }

private:
    Strings();
    StringTable english_;
    StringTable module_;
};

// Text of a string-table entry in the current language.
inline std::string Str(int id) {
    return Strings::Instance().Text(id);
}
inline std::string Txt(TextKey key) {
    return Strings::Instance().Text(key);
}

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
