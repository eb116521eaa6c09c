#pragma once

#include <QString>

class QTranslator;

namespace varelo {

struct Language;

// Qt's own texts (standard buttons, file dialogs) in a language: "qtbase_<name>.qm" from Qt's
// translations folder, where Qt ships the language. Returns the installed translator, owned by
// the application; null when there is none.
QTranslator* InstallQtTranslation(const Language& language);

// The name of Qt's translation of a language, empty where Qt ships none (English needs none).
QString QtTranslationName(const Language& language);

}  // namespace varelo
