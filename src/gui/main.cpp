#include <QApplication>
#include <QMainWindow>

#include "app/StringTable.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(varelo::Str(174)));
    window.showMaximized();
    return app.exec();
}
