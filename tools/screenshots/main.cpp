// varelo-screenshots MEASUREMENT.VXM FOLDER: saves PNG pictures of the main window with each
// registered result view open and of the shell's dialogs. Run offscreen with its own settings.
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QWidget>
#include <cstdio>

#include "app/AppOptions.h"
#include "app/ColorSlots.h"
#include "app/GeneralSettings.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/VareloApp.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/ColorsDialog.h"
#include "gui/dialogs/EvaluationPeriodDialog.h"
#include "gui/dialogs/GeneralSettingsDialog.h"
#include "gui/dialogs/StartMenuDialog.h"
#include "gui/main/MainWindow.h"
#include "gui/views/ResultView.h"
#include "gui/views/ViewRegistry.h"

namespace {

QString folder;

void Save(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    const QString path = folder + "/" + name + ".png";
    if (!widget.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void SaveDialog(QDialog& dialog, const QString& name) {
    dialog.show();
    dialog.adjustSize();
    Save(dialog, name);
    dialog.hide();
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: varelo-screenshots MEASUREMENT.VXM FOLDER\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);

    // The evaluation period question is answered with its proposal, after its picture.
    varelo::ModalRunner::SetHook([](QDialog& dialog) {
        if (auto* period = qobject_cast<varelo::EvaluationPeriodDialog*>(&dialog)) {
            SaveDialog(*period, "evaluation-period");
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    varelo::VareloApp varelo;
    varelo.AppSettings().Write(varelo::setting::IsSplashScreenDisabled, 1);
    varelo::VareloApp::StartResult started = varelo.Start({});
    if (started != varelo::VareloApp::StartResult::Running) return 1;
    varelo::MainWindow& window = *varelo.Window();
    window.showNormal();
    window.resize(1280, 800);
    Save(window, "main-window");

    if (!varelo.OpenMeasurement(QString::fromLocal8Bit(argv[1]))) return 1;
    for (const varelo::ViewKind& kind : varelo::ViewKinds()) {
        window.Mdi()->closeAllSubWindows();
        if (!window.OpenView(kind)) continue;
        Save(window, QString("view-%1").arg(kind.templateId));
    }

    varelo::GeneralSettingsDialog settings(
        varelo::LoadGeneralSettings(varelo.AppSettings(), varelo::AppOptions::Instance()), false,
        &window);
    SaveDialog(settings, "general-settings");
    varelo::AboutDialog about(&window);
    SaveDialog(about, "about");
    varelo::ColorsDialog colors(varelo::LoadColors(varelo.AppSettings()), &window);
    SaveDialog(colors, "colors");
    varelo::StartMenuDialog startMenu(&window);
    SaveDialog(startMenu, "start-menu");
    return 0;
}
