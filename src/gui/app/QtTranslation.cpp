#include "gui/app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <string_view>

#include "app/Language.h"

namespace varelo {

QString QtTranslationName(const Language& language) {
    // Qt has no European Portuguese; the Brazilian one names the same buttons.
    static const std::pair<std::string_view, const char*> kNames[] = {
        {"GER", "de"}, {"FRA", "fr"}, {"ITL", "it"}, {"SPA", "es"}, {"PTG", "pt_BR"}, {"CHN", "zh_CN"}};
    for (const auto& [code, name] : kNames) {
        if (code == language.code) return QString::fromLatin1(name);
    }
    return {};
}

QTranslator* InstallQtTranslation(const Language& language) {
    const QString name = QtTranslationName(language);
    if (name.isEmpty()) return nullptr;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_") + name,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

}  // namespace varelo
