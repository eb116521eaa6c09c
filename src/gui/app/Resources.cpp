#include "gui/app/Resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE names a function of the global namespace.
static void InitVareloResources() {
    Q_INIT_RESOURCE(varelo);
}

namespace varelo {

void LoadResources() {
    static const bool loaded = (InitVareloResources(), true);
    (void)loaded;
}

}  // namespace varelo
