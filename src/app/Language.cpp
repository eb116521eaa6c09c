#include "app/Language.h"

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"

namespace varelo {

namespace {

constexpr Language kLanguages[] = {
    {1, "GER", 1252, "Deutsch", 33083},
    {2, "ENG", 1252, "English", 33078},
    {3, "FRA", 1252,
     "Fran\xC3\xA7"
     "ais",
     33082},
    {4, "ITL", 1252, "Italiano", 33090},
    {6, "SPA", 1252, "Espa\xC3\xB1ol", 33101},
    {16, "PTG", 1252, "Portugu\xC3\xAAs", 33175},
    {17, "CHN", 936, "\xE4\xB8\xAD\xE6\x96\x87 (\xE7\xAE\x80\xE4\xBD\x93)", 33176},
};

const Language*& Current() {
    static const Language* current = &kLanguages[1];
    return current;
}

}  // namespace

std::span<const Language> Languages() {
    return kLanguages;
}

const Language* FindLanguage(std::string_view code) {
    for (const auto& l : kLanguages) {
        if (code == l.code) return &l;
    }
    return nullptr;
}

const Language& CurrentLanguage() {
    return *Current();
}

bool LoadLanguageModule(const Language& language, const std::string& folder, UserInterface& ui) {
    const std::string path = folder + "/Varelo" + language.code + ".lng";
    StringTable module;
    if (!module.LoadFile(path)) {
        ui.ShowMessage(812, Msg(812, {path}), MessageIcon::Stop);
        return false;
    }
    Strings::Instance().SetModule(std::move(module));
    Current() = &language;
    return true;
}

const Language* FindLanguage(int id) {
    for (const auto& l : kLanguages) {
        if (l.id == id) return &l;
    }
    return nullptr;
}

LanguageLoader::LanguageLoader(Settings& settings, UserInterface& ui, std::string moduleFolder)
    : settings_(settings), ui_(ui), moduleFolder_(std::move(moduleFolder)) {}

LanguageLoad LanguageLoader::LoadLanguage(int id) {
    if (id == loadedId_) return LanguageLoad::Loaded;
    const Language* language = FindLanguage(id);
    if (!language) language = FindLanguage(kEnglish);
    if (!LoadLanguageModule(*language, moduleFolder_, ui_)) return LanguageLoad::Failed;
    int previous = loadedId_;
    loadedId_ = language->id;
    settings_.Write(setting::DialogLanguage, loadedId_);
    return previous != 0 ? LanguageLoad::Restart : LanguageLoad::Loaded;
}

}  // namespace varelo
