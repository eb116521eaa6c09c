// varelo-screenshots MEASUREMENT.VXM FOLDER: saves PNG pictures of the main window with each
// registered result view open and of the shell's dialogs. Run offscreen with its own settings.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <span>

#include "app/AppOptions.h"
#include "app/ColorSlots.h"
#include "app/CommandTable.h"
#include "app/GeneralSettings.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/ProgressWindow.h"
#include "gui/app/QtUserInterface.h"
#include "gui/app/Resources.h"
#include "gui/app/VareloApp.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/ColorsDialog.h"
#include "gui/dialogs/EvaluationPeriodDialog.h"
#include "gui/dialogs/GeneralSettingsDialog.h"
#include "gui/dialogs/StartMenuDialog.h"
#include "gui/main/MainWindow.h"
#include "gui/main/StartupScreen.h"
#include "gui/views/ResultView.h"
#include "gui/views/ViewRegistry.h"
#include "logger/ReadOutProgress.h"
#include "logger/SaveDataProgress.h"

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

// A tool bar's icons at their size and four times enlarged, enabled and disabled.
void SaveIconSheet(std::span<const int> bar, const QString& name) {
    constexpr int kZoom = 4;
    QImage sheet(int(bar.size()) * 18 * kZoom, 2 * 17 * kZoom + 40, QImage::Format_ARGB32);
    sheet.fill(QColor(240, 240, 240));
    QPainter painter(&sheet);
    int x = 0;
    for (int id : bar) {
        if (id != varelo::kSeparator) {
            const QIcon icon(QString(":/icons/%1.svg").arg(id));
            for (int row = 0; row < 2; ++row) {
                const QPixmap pixmap =
                    icon.pixmap(QSize(16, 15), row == 0 ? QIcon::Normal : QIcon::Disabled);
                painter.drawImage(QRect(x, row * 17 * kZoom, 16 * kZoom, 15 * kZoom),
                                  pixmap.toImage());
                painter.drawPixmap(x, 2 * 17 * kZoom + 10, pixmap);
            }
        }
        x += 18 * kZoom;
    }
    painter.end();
    const QString path = folder + "/" + name + ".png";
    if (sheet.save(path)) std::printf("%s\n", qPrintable(path));
}

void SaveIconSheets() {
    using varelo::PhaseLabels;
    SaveIconSheet(varelo::MainToolBar(), "toolbar-icons");
    for (int kind : {177, 178}) {
        SaveIconSheet(varelo::WindowToolBar(kind, PhaseLabels::L123),
                      QString("toolbar-icons-%1").arg(kind));
        SaveIconSheet(varelo::WindowToolBar(kind, PhaseLabels::ABC),
                      QString("toolbar-icons-%1-abc").arg(kind));
    }
}

// The progress windows of a read-out and of a firmware download, half way.
void SaveProgressWindows(QWidget* parent) {
    varelo::QtUserInterface ui;
    ui.SetParentWindow(parent);
    {
        varelo::ReadOutProgress progress(ui);
        progress.SetRanges(1008, 168, 12);
        progress.SetIntervalProgress(1008);
        progress.SetStatisticProgress(84);
        ui.Progress()->adjustSize();
        Save(*ui.Progress(), "progress-read-results");
    }
    varelo::SaveDataProgress progress(ui);
    progress.SetJobRange(675);
    progress.AddToTotal(131072);
    progress.Advance(65536);
    ui.Progress()->adjustSize();
    Save(*ui.Progress(), "progress-save-data");
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
    varelo::LoadResources();
    SaveIconSheets();
    varelo::StartupScreen::Picture().save(folder + "/startup-screen.png");
    varelo.AppSettings().Write(varelo::setting::IsSplashScreenDisabled, 1);
    varelo::VareloApp::StartResult started = varelo.Start({});
    if (started != varelo::VareloApp::StartResult::Running) return 1;
    varelo::MainWindow& window = *varelo.Window();
    window.showNormal();
    window.resize(1280, 800);
    Save(window, "main-window");
    // The main window's menus as they drop down.
    for (QAction* popup : window.menuBar()->actions()) {
        QMenu* menu = popup->menu();
        if (!menu) continue;
        menu->popup(window.mapToGlobal(QPoint(0, window.menuBar()->height())));
        const QString name = popup->text().remove('&').toLower();
        Save(*menu, "menu-" + (name == "?" ? QString("help") : name));
        menu->hide();
    }

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
    SaveProgressWindows(&window);
    return 0;
}
