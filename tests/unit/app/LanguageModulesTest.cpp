#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandTable.h"
#include "app/Language.h"
#include "app/StringTable.h"
#include "platform/CodePage.h"

namespace varelo {

namespace {

// Entries every module keeps as English has them: the program's name, file extensions and the
// settings path; and the names of the languages, each written in its own language (and so not
// held to the module's code page).
constexpr int kFixedIds[] = {174, 199, 203, 261, 262, 853, 868, 1420, 1502, 1507};
constexpr int kLanguageNames[] = {33078, 33082, 33083, 33090, 33101, 33175, 33176};

struct Module {
    const Language* language;
    StringTable table;
};

std::vector<Module> LoadModules() {
    std::vector<Module> modules;
    for (const Language& language : Languages()) {
        if (language.id == kEnglish) continue;
        Module module{&language, {}};
        const std::string path = std::string(VARELO_STRINGS_DIR) + "/" + language.code + ".lng";
        EXPECT_TRUE(module.table.LoadFile(path)) << path;
        modules.push_back(std::move(module));
    }
    return modules;
}

const StringTable& English() {
    return Strings::Instance().English();
}

// The positional placeholders of a text, sorted, and its printf conversions in order.
std::multiset<std::string> Placeholders(const std::string& text) {
    static const std::regex positional("%[1-9]");
    std::multiset<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), positional);
         it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}

// printf conversions: positional placeholders are taken out first, and a "%" before a blank is
// prose ("100% of the time"), not the blank flag.
std::vector<std::string> Conversions(const std::string& text) {
    static const std::regex positional("%[1-9](?![0-9.])");
    static const std::regex conversion("%[-+0#]*[0-9]*(\\.[0-9]+)?[hlLqjzt]*[diuxXofFeEgGcsS%]");
    const std::string rest = std::regex_replace(text, positional, "");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(rest.begin(), rest.end(), conversion);
         it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

// The accelerator letter of a text ("&&" is a literal ampersand), 0 without one, -1 for more.
int Accelerator(const std::string& text) {
    int found = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&' || text[i + 1] == ' ') continue;  // "drag & drop" is prose
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        if (found) return -1;
        found = text[i + 1];
    }
    return found;
}

// A file dialog filter "description|patterns|...||": its patterns.
std::vector<std::string> FilterPatterns(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(text.substr(start, bar - start));
    std::vector<std::string> patterns;
    for (size_t i = 1; i < parts.size(); i += 2)
        patterns.push_back(parts[i]);
    return patterns;
}

bool IsFilter(const std::string& text) {
    return text.ends_with("||");
}

template <class Name>
std::string Label(const Module& m, const Name& name) {
    std::ostringstream out;
    out << m.language->code << " " << name;
    return out.str();
}

template <class Name>
void CheckEntry(const Module& m, const Name& name, const std::string& english,
                const std::string& text) {
    const std::string where = Label(m, name);
    EXPECT_EQ(Placeholders(text), Placeholders(english)) << where;
    EXPECT_EQ(Conversions(text), Conversions(english)) << where;
    EXPECT_EQ(Accelerator(text) != 0, Accelerator(english) != 0) << where << ": " << text;
    EXPECT_NE(Accelerator(text), -1) << where << ": " << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              std::count(english.begin(), english.end(), '\n'))
        << where;
    if (IsFilter(english)) {
        EXPECT_EQ(FilterPatterns(text), FilterPatterns(english)) << where;
    }
    for (const char* name : {"KELVARO", "VAMOR"}) {
        if (english.find(name) != std::string::npos) {
            EXPECT_NE(text.find(name), std::string::npos) << where;
        }
    }
    const int codePage = m.language->codePage;
    EXPECT_EQ(CodePageToUtf8(Utf8ToCodePage(text, codePage), codePage), text)
        << where << " does not convert to code page " << codePage;
}

}  // namespace

TEST(LanguageModules, EveryModuleHasEveryEntryOfEnglishAndNoOther) {
    std::vector<int> englishIds = English().Ids();
    std::vector<std::string> englishKeys = English().Keys();
    std::sort(englishIds.begin(), englishIds.end());
    std::sort(englishKeys.begin(), englishKeys.end());
    for (const Module& m : LoadModules()) {
        std::vector<int> ids = m.table.Ids();
        std::vector<std::string> keys = m.table.Keys();
        std::sort(ids.begin(), ids.end());
        std::sort(keys.begin(), keys.end());
        std::vector<int> missing, extra;
        std::set_difference(englishIds.begin(), englishIds.end(), ids.begin(), ids.end(),
                            std::back_inserter(missing));
        std::set_difference(ids.begin(), ids.end(), englishIds.begin(), englishIds.end(),
                            std::back_inserter(extra));
        EXPECT_TRUE(missing.empty())
            << m.language->code << " lacks " << missing.size() << " ids, first " << missing.front();
        EXPECT_TRUE(extra.empty()) << m.language->code << " has unknown ids";
        std::vector<std::string> missingKeys, extraKeys;
        std::set_difference(englishKeys.begin(), englishKeys.end(), keys.begin(), keys.end(),
                            std::back_inserter(missingKeys));
        std::set_difference(keys.begin(), keys.end(), englishKeys.begin(), englishKeys.end(),
                            std::back_inserter(extraKeys));
        EXPECT_TRUE(missingKeys.empty())
            << m.language->code << " lacks key " << missingKeys.front();
        EXPECT_TRUE(extraKeys.empty())
            << m.language->code << " has unknown key " << extraKeys.front();
    }
}

TEST(LanguageModules, TextsKeepPlaceholdersAcceleratorsFixedEntriesAndTheirCodePage) {
    for (const Module& m : LoadModules()) {
        for (int id : English().Ids()) {
            const std::string* text = m.table.Find(id);
            if (!text) continue;  // reported by the completeness test
            if (std::ranges::find(kLanguageNames, id) != std::end(kLanguageNames)) {
                EXPECT_EQ(*text, *English().Find(id)) << Label(m, id);
                continue;
            }
            CheckEntry(m, id, *English().Find(id), *text);
        }
        for (const std::string& key : English().Keys()) {
            const std::string* text = m.table.Find(key);
            if (!text) continue;
            CheckEntry(m, key, *English().Find(key), *text);
        }
        for (int id : kFixedIds) {
            if (const std::string* text = m.table.Find(id)) {
                EXPECT_EQ(*text, *English().Find(id)) << Label(m, id);
            }
        }
    }
}

TEST(LanguageModules, AcceleratorsAreUniqueWithinEveryMenu) {
    const auto check = [](const StringTable& table, const std::string& code) {
        const auto item = [&](int id) {
            const std::string* t = table.Find(id);
            return t ? t->substr(0, t->find('\n')) : std::string();
        };
        for (int templateId : {174, 186, 180}) {
            std::map<int, std::string> bar;
            for (const MenuPopup& popup : MenuBarOf(templateId)) {
                if (popup.title.name.empty()) continue;
                const std::string* title = table.Find(popup.title.name);
                ASSERT_NE(title, nullptr) << code << " " << popup.title.name;
                const int letter = std::tolower(Accelerator(*title));
                EXPECT_TRUE(bar.emplace(letter, *title).second)
                    << code << " " << *title << " and " << bar[letter] << " in one menu bar";
                std::map<int, std::string> items;
                for (int id : popup.items) {
                    if (id <= 0) continue;
                    const int key = std::tolower(Accelerator(item(id)));
                    if (key <= 0) continue;
                    EXPECT_TRUE(items.emplace(key, item(id)).second)
                        << code << " " << item(id) << " and " << items[key] << " in " << *title;
                }
            }
        }
    };
    check(English(), "ENG");
    for (const Module& m : LoadModules())
        check(m.table, m.language->code);
}

TEST(LanguageModules, AcceleratorsAreUniqueWithinEveryDialog) {
    // The keys of one dialog or view share everything but their last part.
    const auto check = [](const StringTable& table, const std::string& code) {
        std::map<std::string, std::map<int, std::string>> dialogs;
        for (const std::string& key : table.Keys()) {
            const int letter = std::tolower(Accelerator(*table.Find(key)));
            if (letter <= 0 || key.starts_with("menu.")) continue;
            auto& letters = dialogs[key.substr(0, key.rfind('.'))];
            EXPECT_TRUE(letters.emplace(letter, key).second)
                << code << " " << key << " and " << letters[letter];
        }
    };
    check(English(), "ENG");
    for (const Module& m : LoadModules())
        check(m.table, m.language->code);
}

}  // namespace varelo
