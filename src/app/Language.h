#pragma once

#include <span>
#include <string>
#include <string_view>

namespace varelo {

class Settings;
class UserInterface;

struct Language {
    int id;
    const char* code;  // three letters of the language module's name
    int codePage;
    const char* name;  // the language's own name, shown in the language menu
    int menuCommand;
};

std::span<const Language> Languages();
const Language* FindLanguage(int id);
const Language* FindLanguage(std::string_view code);
inline constexpr int kEnglish = 2;

// The language whose texts are in use: English until a module is loaded.
const Language& CurrentLanguage();
// Loads the module "Varelo<CODE>.lng" of a language from a folder and makes it the current
// language, without storing it; a missing module shows message 812 and changes nothing.
bool LoadLanguageModule(const Language& language, const std::string& folder, UserInterface& ui);

enum class LanguageLoad {
    Failed,   // module missing: message 812 shown, language unchanged
    Loaded,   // loaded (or already the current language)
    Restart,  // loaded while running: the program must start anew in the new language
};

// Loads language modules "Varelo<CODE>.lng" from a folder and keeps the loaded language.
class LanguageLoader {
public:
    LanguageLoader(Settings& settings, UserInterface& ui, std::string moduleFolder);

    LanguageLoad LoadLanguage(int id);
    int LoadedLanguage() const { return loadedId_; }

private:
    Settings& settings_;
    UserInterface& ui_;
    std::string moduleFolder_;
    int loadedId_ = 0;
};

}  // namespace varelo
