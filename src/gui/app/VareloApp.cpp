#include "gui/app/VareloApp.h"

#include <unistd.h>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>

#include "app/ColorSlots.h"
#include "app/CommandTable.h"
#include "app/GeneralSettings.h"
#include "app/PortNaming.h"
#include "app/ShellRules.h"
#include "app/Startup.h"
#include "document/Vamor800Doc.h"
#include "evaluation/DisDipTable.h"
#include "gui/aoa/AoaEditorDialog.h"
#include "gui/app/DerivedFileCommands.h"
#include "gui/app/InstanceChannel.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/app/QtTranslation.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/AoaChannelSelectionDialog.h"
#include "gui/dialogs/ChannelSelectionDialog.h"
#include "gui/dialogs/ColorsDialog.h"
#include "gui/dialogs/GeneralSettingsDialog.h"
#include "gui/dialogs/StartMenuDialog.h"
#include "gui/export/ExportCommandRunner.h"
#include "gui/info/MeasurementInfoDialog.h"
#include "gui/job/JobEditorDialog.h"
#include "gui/job/JobTemplatesDialog.h"
#include "gui/limits/LimitEditorDialog.h"
#include "gui/logger/ResetWizardDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"
#include "gui/main/StartupScreen.h"
#include "gui/print/SharedPrinter.h"
#include "gui/views/PzdView.h"
#include "gui/views/ResultView.h"
#include "gui/views/ViewRegistry.h"
#include "job/JobEditor.h"
#include "job/LoggerJobAccess.h"
#include "logger/LoggerProtocol.h"
#include "logger/ReadResults.h"
#include "logger/SoftwareInformation.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "timeplot/AoaDefinition/AoaEditorModel.h"

namespace varelo {

namespace {

constexpr int kVoltageAverageL1 = 1011;

// A whole Logger function (connecting, questions, transfer) with the main window locked.
class LoggerFunction {
public:
    explicit LoggerFunction(MainWindow& window) : window_(window) { window_.BeginLoggerFunction(); }
    ~LoggerFunction() { window_.EndLoggerFunction(); }
    LoggerFunction(const LoggerFunction&) = delete;
    LoggerFunction& operator=(const LoggerFunction&) = delete;

private:
    MainWindow& window_;
};

}  // namespace

VareloApp::VareloApp()
    : store_(SettingsStore::DefaultPath()),
      settings_(store_),
      options_(AppOptions::Instance()),
      languages_(settings_, ui_, DataFolder()),
      recent_(settings_),
      port_(device_, SystemClock(),
            [this](const std::string& label) { return PortDevicePath(settings_, label); }),
      link_(port_, ui_),
      restart_([this] { RestartProgram(); }) {
    options_.SetThdOrderObserver([this](int order) {
        if (doc_) doc_->RecomputeThd(order);
    });
    CPzdView::SetCurveChooser(
        [this](const CVamor800Doc& doc) { return ChooseTimeplotChannels(doc); });
    CPzdView::SetApplicationChooser(
        [this](const CVamor800Doc& doc) -> std::optional<AoaSelectionResult> {
            AoaChannelSelectionDialog dialog(doc, settings_, ui_, options_.PhaseLabeling(),
                                             window_.get());
            if (ModalRunner::Exec(dialog) != QDialog::Accepted) return std::nullopt;
            return dialog.Result();
        });
    BuildCommandTable();
}

std::optional<std::vector<int>> VareloApp::ChooseTimeplotChannels(const CVamor800Doc& doc) {
    ChannelSelectionDialog dialog(doc, ChannelLayout::kTimeplot, settings_, ui_, nullptr, true,
                                  window_.get());
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.Channels();
}

VareloApp::~VareloApp() {
    // The choosers reach into this program; a later one sets its own.
    CPzdView::SetCurveChooser(nullptr);
    CPzdView::SetApplicationChooser(nullptr);
    options_.SetThdOrderObserver({});
    if (window_) window_->ClearDocument();
    doc_.reset();
}

StartupScreen* VareloApp::Startup() const {
    return startup_;
}

VareloApp::StartResult VareloApp::Start(const QStringList& arguments) {
    std::vector<std::string> texts;
    for (const QString& argument : arguments)
        texts.push_back(S(argument));
    std::vector<std::string_view> views(texts.begin(), texts.end());
    const CommandLine commandLine = ParseCommandLine(views);
    options_.SetConfigure(commandLine.configure);

    channel_ = std::make_unique<InstanceChannel>(Q(store_.Path()));
    const bool hasFile = commandLine.action != CommandLine::Action::New;
    if (hasFile && channel_->SendToRunning(Q(commandLine.file))) return StartResult::HandedOver;

    ApplyStartupSettings(settings_, options_, languages_, DataFolder());
    InstallQtTranslation(CurrentLanguage());
    const bool splash = settings_.ReadInt(setting::IsSplashScreenDisabled) == 0;

    window_ = std::make_unique<MainWindow>();
    ReadHarmonicOptions(settings_, options_);
    ui_.SetParentWindow(window_.get());
    ui_.SetStatusSink([this](const QString& text) { window_->SetStatusText(text); });
    ui_.SetTransferSink([this](bool running) {
        running ? window_->BeginLoggerFunction() : window_->EndLoggerFunction();
    });
    connect(window_.get(), &MainWindow::CommandTriggered, this, &VareloApp::RunCommand);
    connect(window_.get(), &MainWindow::FilesDropped, this, [this](const QStringList& paths) {
        if (!window_->LoggerFunctionRunning()) OpenMeasurement(paths.first());
    });
    window_->SetRecentFiles(recent_.Entries());
    window_->SetLanguage(languages_.LoadedLanguage());
    if (splash) {
        startup_ = new StartupScreen(window_.get());
        startup_->Start();
    }
    channel_->Listen();
    connect(channel_.get(), &InstanceChannel::FileRequested, this, &VareloApp::ShellOpenRequest);
    window_->showMaximized();

    if (hasFile) {
        if (startup_) startup_->Finish();
        CVamor800Doc* doc = OpenMeasurement(Q(commandLine.file));
        if (!doc) return StartResult::Failed;
        if (commandLine.action == CommandLine::Action::Print) PrintActiveView(false);
        return StartResult::Running;
    }
    if (startup_ && startup_->IsShowing()) {
        // Queued: the key or click that closed the screen is finished before the menu shows.
        connect(
            startup_, &StartupScreen::Closed, this,
            [this] {
                window_->update();
                RunCommand(cmd::kNew);
            },
            Qt::QueuedConnection);
    } else {
        FileNew();
    }
    return StartResult::Running;
}

void VareloApp::BuildCommandTable() {
    commands_ = {
        {cmd::kNew, [this] { FileNew(); }},
        {cmd::kOpen, [this] { FileOpen(); }},
        {cmd::kCloseDocument, [this] { CloseDocument(); }},
        {cmd::kReopen, [this] { OpenMeasurement(docPath_); }},
        {cmd::kPrinterSetup, [this] { PrinterSetup(); }},
        {cmd::kPrint, [this] { PrintActiveView(true); }},
        {cmd::kPrintDirect, [this] { PrintActiveView(false); }},
        {cmd::kAbout, [this] { About(); }},
        {cmd::kExit, [this] { window_->close(); }},
        {cmd::kGeneralSettings, [this] { GeneralSettings(); }},
        {cmd::kColors, [this] { Colors(); }},
        {cmd::kLimitEditor, [this] { LimitEditor(); }},
        {cmd::kAoaEditor, [this] { AoaEditor(); }},
        {cmd::kReadResults, [this] { ReadFromLogger(0); }},
        {cmd::kReadOldResults, [this] { ReadFromLogger(1); }},
        {cmd::kEventList, [this] { OpenEventList(); }},
        {cmd::kJobTemplates, [this] { JobTemplates(); }},
        {cmd::kSetUpA, [this] { SetUpLogger(kMeasFuncA); }},
        {cmd::kSetUpP, [this] { SetUpLogger(kMeasFuncP); }},
        {cmd::kStopMeasurement,
         [this] { RunLoggerOperation(&CLoggerOperations::StopMeasurement); }},
        {cmd::kSetClock, [this] { RunLoggerOperation(&CLoggerOperations::SetDateTime); }},
        {cmd::kSetName, [this] { RunLoggerOperation(&CLoggerOperations::SetDesignation); }},
        {cmd::kLoggerInfo,
         [this] { RunLoggerOperation(&CLoggerOperations::ShowLoggerInformation); }},
        {cmd::kReset, [this] { ResetLogger(); }},
        {cmd::kMeasurementInfo,
         [this] {
             if (doc_) ShowMeasurementInformation(*doc_, settings_, ui_, window_.get());
         }},
        {cmd::kChangeTransformer,
         [this] { RunChangeTransformerCommand(settings_, ui_, window_.get()); }},
        {cmd::kDerivedFiles,
         [this] {
             if (doc_) RunDerivedFilesCommand(*doc_, ui_);
         }},
    };
    for (int id : {cmd::kExportIntervals, cmd::kExportStatistics, cmd::kExportEvents,
                   cmd::kSpanishReport, cmd::kExportVse, cmd::kExportDatabase})
        commands_[id] = [this, id] { RunExport(id); };
    for (const Language& language : varelo::Languages())
        commands_[language.menuCommand] = [this, id = language.id] { ChangeLanguage(id); };
    for (int i = 0; i < static_cast<int>(RecentFiles::kCapacity); ++i) {
        commands_[cmd::kRecentFirst + i] = [this, i] {
            const auto& entries = recent_.Entries();
            if (i < static_cast<int>(entries.size())) OpenMeasurement(Q(entries[i]));
        };
    }
}

void VareloApp::RunCommand(int commandId) {
    // Only the progress window's Cancel works while a Logger function runs; commands still
    // arrive from timers and from the messages its transfer pumps.
    if (window_->LoggerFunctionRunning()) return;
    if (IsViewCommand(commandId)) {
        OpenViewCommand(commandId);
        return;
    }
    // A command can come from a key while its item is disabled.
    if (window_->Actions().Has(commandId) && !window_->Actions().Action(commandId)->isEnabled())
        return;
    if (auto it = commands_.find(commandId); it != commands_.end()) it->second();
}

void VareloApp::RunExport(int commandId) {
    if (doc_) ExportCommandRunner(*doc_, settings_, ui_, window_.get()).Run(commandId);
}

void VareloApp::OpenViewCommand(int commandId) {
    const ViewKind* kind = FindViewKindByCommand(commandId);
    if (!kind || !doc_ || !doc_->IsCommandEnabled(commandId)) return;
    window_->OpenView(*kind);
}

void VareloApp::OpenEventList() {
    // The DISDIP table's command, enabled only when the job recorded events.
    if (!doc_ || !CDisDipTable::IsEventListEnabled(doc_->Data().job)) return;
    if (const ViewKind* kind = FindViewKindByCommand(cmd::kEventList)) window_->OpenView(*kind);
}

CVamor800Doc* VareloApp::OpenMeasurement(QString path) {
    CloseDocument();
    auto doc = std::make_unique<CVamor800Doc>(settings_, ui_, options_);
    {
        WaitCursor wait(ui_);
        if (!doc->OpenFile(S(path))) return nullptr;
    }
    doc_ = std::move(doc);
    docPath_ = path;
    recent_.Add(S(path));
    window_->SetRecentFiles(recent_.Entries());
    window_->SetDocument(ViewContext{doc_.get(), &settings_, &options_, &ui_},
                         QFileInfo(path).fileName());
    OpenFirstWindow();
    return doc_.get();
}

// A measurement with intervals opens into a level-time diagram of the channels the person
// chooses; without a choice, the phase labelling decides.
void VareloApp::OpenFirstWindow() {
    if (doc_->Data().intervals.empty()) {
        OpenViewCommand(cmd::kGraphicalSummary);
        return;
    }
    if (std::optional<std::vector<int>> channels = ChooseTimeplotChannels(*doc_)) {
        doc_->HandOverChannels(*channels, {}, true);
    } else if (FirstWindowAfterOpen(true, options_.PhaseLabeling()) ==
               FirstWindow::LevelTimeDiagram) {
        doc_->HandOverChannels({kVoltageAverageL1}, {}, true);
    } else {
        OpenViewCommand(cmd::kGraphicalSummary);
        return;
    }
    OpenViewCommand(cmd::kTimeplotManual);
}

void VareloApp::CloseDocument() {
    if (!doc_) return;
    window_->ClearDocument();
    doc_.reset();
    docPath_.clear();
}

void VareloApp::FileNew() {
    if (settings_.ReadInt(setting::IsStartupScreenDisabled) != 0) return;
    StartMenuDialog dialog(window_.get());
    switch (ModalRunner::Exec(dialog)) {
        case StartMenuDialog::kOpen: FileOpen(); break;
        case StartMenuDialog::kSetUpA: SetUpLogger(kMeasFuncA); break;
        case StartMenuDialog::kSetUpP: SetUpLogger(kMeasFuncP); break;
        default: break;
    }
}

void VareloApp::FileOpen() {
    QFileDialog dialog(window_.get(), QStr(342),
                       Q(settings_.ReadString(setting::SavePathMeasurementfile)));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(DialogNameFilters(Str(1021)));
    dialog.setDefaultSuffix("VXM");
    if (ModalRunner::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    RememberMeasurementFolder(settings_, S(path));
    OpenMeasurement(path);
}

void VareloApp::GeneralSettings() {
    const bool open = doc_ != nullptr;
    GeneralSettingsDialog dialog(LoadGeneralSettings(settings_, options_),
                                 FlickerThdEditable(options_, open), window_.get());
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    GeneralSettingsHooks hooks{[this](const std::string& port, const std::string& baud) {
                                   if (link_.IsOpen()) link_.Open(port, baud, false);
                               },
                               [this] {
                                   if (!doc_) return;
                                   doc_->ComputeExtremes();
                                   // Open diagrams rescale with the next drawing.
                                   for (ResultView* view : window_->Views()) {
                                       if (auto* diagram = dynamic_cast<CPzdBaseView*>(view))
                                           diagram->MarkForRecalculation();
                                   }
                               }};
    ApplyGeneralSettings(dialog.Form(), settings_, options_, ui_, open, hooks);
    Reevaluate(false);
}

void VareloApp::Reevaluate(bool fullRebuild) {
    if (!doc_) return;
    WaitCursor wait(ui_);
    if (doc_->ReloadLimits(fullRebuild)) window_->UpdateViews();
}

void VareloApp::LimitEditor() {
    CLimitEditorModel model(ui_, UserDataFolder());
    model.Start(settings_.ReadString(setting::LimitFile), settings_.ReadInt(setting::Frequency));
    LimitEditorDialog dialog(model, ui_, settings_, window_.get());
    ModalRunner::Exec(dialog);
    // The editor never names the current file, but may have changed it.
    Reevaluate(true);
}

void VareloApp::AoaEditor() {
    const Language* language = FindLanguage(languages_.LoadedLanguage());
    CAoaEditorModel model(ui_, DataFolder(), language ? language->code : "ENG");
    model.Start(settings_.ReadString(setting::AoaFileName));
    AoaEditorDialog dialog(model, ui_, window_.get());
    ModalRunner::Exec(dialog);
}

void VareloApp::Colors() {
    ColorsDialog dialog(LoadColors(settings_), window_.get());
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    StoreColors(settings_, dialog.Colors());
    window_->UpdateViews();
}

void VareloApp::ChangeLanguage(int languageId) {
    if (languages_.LoadLanguage(languageId) == LanguageLoad::Restart) restart_();
}

void VareloApp::RestartProgram() {
    // A new program without arguments finds its language in the settings; this one ends at
    // once, without closing windows or asking.
    QByteArray program = QCoreApplication::applicationFilePath().toLocal8Bit();
    char* argv[] = {program.data(), nullptr};
    channel_.reset();  // the new program listens on the same name
    execv(program.constData(), argv);
    _exit(1);
}

void VareloApp::ShellOpenRequest(const QString& path) {
    const bool enabled = !QApplication::activeModalWidget() && window_->isEnabled();
    if (AcceptShellRequest(S(path), enabled)) OpenMeasurement(path);
}

void VareloApp::ReadFromLogger(uint16_t job) {
    ReadResultsOutcome outcome;
    {
        LoggerFunction running(*window_);
        outcome = ReadResults(link_, settings_, ui_, job);
    }
    // The main window is back in front before the measurement opens in it.
    if (!outcome.path.empty()) OpenMeasurement(Q(outcome.path));
}

void VareloApp::RunLoggerOperation(OperationResult (CLoggerOperations::*operation)()) {
    LoggerFunction running(*window_);
    CLoggerOperations operations(link_, settings_);
    (operations.*operation)();
}

bool VareloApp::ResetLogger() {
    ResetWizardDialog dialog(link_, settings_, FirmwareFolder(), window_.get());
    dialog.Start();
    return ModalRunner::Exec(dialog) == QDialog::Accepted;
}

void VareloApp::JobTemplates() {
    JobTemplatesDialog dialog(settings_, window_.get());
    if (ModalRunner::Exec(dialog) == QDialog::Accepted) dialog.Store();
}

void VareloApp::SetUpLogger(uint32_t function) {
    LoggerFunction running(*window_);
    CLoggerOperations operations(link_, settings_);
    LoggerJobAccess access(operations);
    const JobEditorContext context{settings_, ui_, DataFolder(), FirmwareFolder(),
                                   UserDataFolder()};
    // Identifying an accepted Logger also checks its firmware against the function; that only
    // informs.
    std::optional<JobEditor> editor = JobEditor::Open(
        function, &access, context, CTimeStamp::FromCalendarTime(SystemClock().Now()));
    if (!editor) return;
    JobEditorDialog dialog(*editor, ui_, settings_, &access, &operations, window_.get());
    ModalRunner::Exec(dialog);
}

void VareloApp::PrintActiveView(bool askPrinter) {
    if (ResultView* view = window_->ActiveView()) view->Print(askPrinter);
}

void VareloApp::PrinterSetup() {
    QPageSetupDialog dialog(&SharedPrinter(), window_.get());
    ModalRunner::Exec(dialog);
}

void VareloApp::About() {
    AboutDialog dialog(window_.get());
    ModalRunner::Exec(dialog);
}

}  // namespace varelo
