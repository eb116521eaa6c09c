#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/AppOptions.h"
#include "app/Language.h"
#include "app/RecentFiles.h"
#include "app/Settings.h"
#include "gui/app/QtUserInterface.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerOperations.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SettingsStore.h"

namespace varelo {

class CVamor800Doc;
class InstanceChannel;
class MainWindow;
class StartupScreen;

// The application: the start-up sequence, the one open measurement and the commands the
// main window passes on.
class VareloApp : public QObject {
    Q_OBJECT

public:
    enum class StartResult { Running, HandedOver, Failed };

    VareloApp();
    ~VareloApp() override;

    // Runs start-up with the program's arguments (without the program name).
    StartResult Start(const QStringList& arguments);

    // Opens a measurement file as the one open measurement and shows its first result window;
    // none when it cannot be read. The path is a copy: reopening passes the open one's.
    CVamor800Doc* OpenMeasurement(QString path);
    void CloseDocument();
    void RunCommand(int commandId);

    // Start menu, File Open, settings dialogs, language change.
    void FileNew();
    void FileOpen();
    void GeneralSettings();
    void Colors();
    // The limit value level file editor; the open measurement is evaluated again afterwards.
    void LimitEditor();
    void AoaEditor();
    void ChangeLanguage(int languageId);
    // Reloads the limits into the open measurement and updates its views.
    void Reevaluate(bool fullRebuild);
    // A file name from a second start.
    void ShellOpenRequest(const QString& path);

    MainWindow* Window() const { return window_.get(); }
    StartupScreen* Startup() const;
    CVamor800Doc* Document() const { return doc_.get(); }
    Settings& AppSettings() { return settings_; }
    QtUserInterface& Ui() { return ui_; }
    LanguageLoader& Languages() { return languages_; }
    RecentFiles& Recent() { return recent_; }

    // What a language change does once the new language is stored; by default the program
    // starts itself anew.
    void SetRestart(std::function<void()> restart) { restart_ = std::move(restart); }

private:
    void BuildCommandTable();
    void ReadFromLogger(uint16_t job);
    void JobTemplates();
    // Command 33133: the reset wizard, modal; true when it ended with step 5's "OK".
    bool ResetLogger();
    // The job editor for function A or P, with the main window locked while it is open.
    void SetUpLogger(uint32_t function);
    // A housekeeping command on the Logger, with the main window locked while it runs.
    void RunLoggerOperation(OperationResult (CLoggerOperations::*operation)());
    void OpenViewCommand(int commandId);
    void RunExport(int commandId);
    void OpenFirstWindow();
    // Dialog 155 from the stored selection; none when cancelled.
    std::optional<std::vector<int>> ChooseTimeplotChannels(const CVamor800Doc& doc);
    void OpenEventList();
    void PrintActiveView(bool askPrinter);
    void PrinterSetup();
    void About();
    void RestartProgram();

    SettingsStore store_;
    Settings settings_;
    AppOptions& options_;
    QtUserInterface ui_;
    LanguageLoader languages_;
    RecentFiles recent_;
    PosixSerialDevice device_;
    CSerialPort port_;
    CLoggerLink link_;
    std::unique_ptr<CVamor800Doc> doc_;
    QString docPath_;
    std::unique_ptr<MainWindow> window_;
    QPointer<StartupScreen> startup_;
    std::unique_ptr<InstanceChannel> channel_;
    std::map<int, std::function<void()>> commands_;
    std::function<void()> restart_;
};

}  // namespace varelo
