#include <QApplication>

#include "gui/app/Resources.h"
#include "gui/app/VareloApp.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Varelo");
    QApplication::setOrganizationName("Orbant");
    varelo::LoadResources();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    varelo::VareloApp varelo;
    switch (varelo.Start(arguments)) {
        case varelo::VareloApp::StartResult::HandedOver: return 0;
        case varelo::VareloApp::StartResult::Failed: return 1;
        case varelo::VareloApp::StartResult::Running: break;
    }
    return QApplication::exec();
}
