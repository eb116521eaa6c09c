#include "gui/app/Resources.h"

#include <QApplication>
#include <QIcon>
#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE names a function of the global namespace.
static void InitVareloResources() {
    Q_INIT_RESOURCE(varelo);
}

namespace varelo {

void LoadResources() {
    static const bool loaded = (InitVareloResources(), true);
    (void)loaded;
    // Every window without an icon of its own, result windows included, shows the program's.
    QApplication::setWindowIcon(QIcon(":/icons/varelo.svg"));
}

}  // namespace varelo
