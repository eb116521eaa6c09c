#include "gui/app/Resources.h"

#include <QtCore/qglobal.h>
#include <QApplication>
#include <QFile>
#include <QIcon>

// Q_INIT_RESOURCE names a function of the global namespace.
static void InitVareloResources() {
    Q_INIT_RESOURCE(varelo);
}

namespace varelo {

namespace {
void RegisterOnce() {
    static const bool loaded = (InitVareloResources(), true);
    (void)loaded;
}
}  // namespace

void LoadResources() {
    RegisterOnce();
    // Every window without an icon of its own, result windows included, shows the program's.
    QApplication::setWindowIcon(QIcon(":/icons/varelo.svg"));
}

QIcon CommandIcon(int commandId) {
    RegisterOnce();
    const QString path = QString(":/icons/%1.svg").arg(commandId);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

}  // namespace varelo
