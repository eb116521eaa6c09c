// varelo-screenshots [--language CODE] MEASUREMENT.VXM FOLDER: saves PNG pictures of the main
// window with each registered result view open and of the shell's dialogs. Run offscreen with its
// own settings. In another language than English the pictures go to FOLDER/CODE, and every text
// left in English where the language module translates it is listed; the exit status is then 3.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "EnglishLeftovers.h"
#include "app/AppOptions.h"
#include "app/ColorSlots.h"
#include "app/CommandTable.h"
#include "app/GeneralSettings.h"
#include "app/Language.h"
#include "document/MeasurementInformation.h"
#include "document/MeasurementTexts.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitEditor/HarmonicLimitsModel.h"
#include "evaluation/LimitEditor/InterharmonicLimitsModel.h"
#include "evaluation/LimitEditor/LimitEditorModel.h"
#include "evaluation/LimitEditor/SignallingLimitsModel.h"
#include "gui/aoa/AoaEditorDialog.h"
#include "gui/aoa/AoaSourceWindow.h"
#include "gui/aoa/ApplicationInfoDialog.h"
#include "gui/aoa/ChannelInfoDialog.h"
#include "gui/aoa/DragDropListBox.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/ProgressWindow.h"
#include "gui/app/QtText.h"
#include "gui/app/QtUserInterface.h"
#include "gui/app/Resources.h"
#include "gui/app/VareloApp.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/AoaChannelSelectionDialog.h"
#include "gui/dialogs/ChannelSelectionDialog.h"
#include "gui/dialogs/ClassLimitsDialog.h"
#include "gui/dialogs/ColorsDialog.h"
#include "gui/dialogs/EvaluationPeriodDialog.h"
#include "gui/dialogs/ExceedingsChannelDialog.h"
#include "gui/dialogs/GeneralSettingsDialog.h"
#include "gui/dialogs/LimitValueDialog.h"
#include "gui/dialogs/StartMenuDialog.h"
#include "gui/dialogs/TransformerDialog.h"
#include "gui/dialogs/ValueListPrintDialog.h"
#include "gui/dialogs/XAxisScalingDialog.h"
#include "gui/dialogs/YAxisScalingDialog.h"
#include "gui/export/AccessExportDialog.h"
#include "gui/export/AsciiFormatDialog.h"
#include "gui/export/ExportOptionsDialog.h"
#include "gui/export/ExportPeriodDialog.h"
#include "gui/export/HeaderTableDialog.h"
#include "gui/export/VseParameterDialog.h"
#include "gui/info/InterharmonicInfoDialog.h"
#include "gui/info/LoggerUsedDialog.h"
#include "gui/info/MeasurementAssessmentDialog.h"
#include "gui/info/MeasurementInfoDialog.h"
#include "gui/info/MeasurementTextDialog.h"
#include "gui/job/JobCurrentDialog.h"
#include "gui/job/JobEditorDialog.h"
#include "gui/job/JobGeneralDialog.h"
#include "gui/job/JobInterharmonicDialog.h"
#include "gui/job/JobPeriodDialog.h"
#include "gui/job/JobProtocolPrintout.h"
#include "gui/job/JobSummaryDialog.h"
#include "gui/job/JobTemplatesDialog.h"
#include "gui/limits/HarmonicLimitsDialog.h"
#include "gui/limits/InterharmonicLimitsDialog.h"
#include "gui/limits/LimitEditorDialog.h"
#include "gui/limits/SignallingLimitsDialog.h"
#include "gui/limits/VseDialog.h"
#include "gui/logger/LoggerClockDialog.h"
#include "gui/logger/LoggerDesignationDialog.h"
#include "gui/logger/LoggerDetailsDialog.h"
#include "gui/logger/LoggerInformationDialog.h"
#include "gui/main/MainWindow.h"
#include "gui/main/StartupScreen.h"
#include "gui/views/ResultView.h"
#include "gui/views/ViewRegistry.h"
#include "job/InterharmonicPage.h"
#include "job/JobEditor.h"
#include "job/MeasurementPeriodPage.h"
#include "logger/ReadOutProgress.h"
#include "logger/SaveDataProgress.h"
#include "logger/SoftwareInformation.h"
#include "measurement/MeasurementJob.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "timeplot/AoaDefinition/AoaEditorModel.h"
#include "timeplot/DiagramState.h"
#include "timeplot/NiceScale.h"
#include "timeplot/TimePeriodTable.h"

namespace {

QString folder;
std::optional<EnglishLeftovers> leftovers;

void Save(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    if (leftovers) leftovers->Walk(widget, name);
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
    SaveIconSheet(varelo::WindowToolBar(181, PhaseLabels::L123), "toolbar-icons-181");
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

// Where a diagram of the open measurement takes its ranges from: the measuring ranges and the
// recorded extremes (folded for range-limited quantities, as drawn).
varelo::ScaleSources SourcesOf(const varelo::CVamor800Doc& doc) {
    return {[&doc](int id, double& begin, double& end) { doc.MeasuringRange(id, begin, end); },
            [&doc](int id, double& minimum, double& maximum) {
                const varelo::ExtremeValue* e = doc.Extremes().Find(id < 1000 ? 1000 + id : id);
                if (!e) return false;
                const bool folded = varelo::IsRangeLimited(id % 1000);
                minimum = folded ? varelo::Fold(e->maximum) : e->minimum;
                maximum = folded ? varelo::Fold(e->minimum) : e->maximum;
                return true;
            }};
}

// The level-time diagram's dialogs over a diagram of voltages, a current, a power factor, a
// harmonic and the frequency, one day shown.
void SaveTimeplotDialogs(varelo::VareloApp& app, QWidget* parent) {
    using namespace varelo;
    const CVamor800Doc& doc = *app.Document();
    const CIntervalList& intervals = doc.Data().intervals;
    DiagramState diagram(
        TimeAxis(intervals.FirstTimeStamp(), intervals.LastTimeStamp(), doc.GetIntervalLength()));
    diagram.SetCurves({1011, 2011, 3011, 1031, 1084, 1305, 2});
    diagram.SetScalingMode(kScaleExtremes);
    diagram.AssignGroups();
    diagram.SetGroupScaling(true);
    diagram.ComputeRanges(SourcesOf(doc));
    diagram.ChooseAxisCurvesAfresh();
    diagram.SetLimitLine(0, 0);
    diagram.Axis().SetPeriod(kOneDayPeriod, true);

    ChannelSelectionDialog timeplot(doc, ChannelLayout::kTimeplot, app.AppSettings(), app.Ui(),
                                    &diagram, false, parent);
    timeplot.OfferedList()->setCurrentRow(3);
    SaveDialog(timeplot, "timeplot-channel-selection");
    ChannelSelectionDialog exporting(doc, ChannelLayout::kExport, app.AppSettings(), app.Ui(),
                                     nullptr, true, parent);
    for (int row : {0, 1, 16}) {
        exporting.OfferedList()->setCurrentRow(row);
        exporting.AddButton()->click();
    }
    SaveDialog(exporting, "export-channel-selection");
    YAxisScalingDialog yAxis(diagram, SourcesOf(doc), doc, app.AppSettings(), app.Ui(), parent);
    SaveDialog(yAxis, "timeplot-y-axis-scaling");
    XAxisScalingDialog xAxis(diagram.Axis(), parent);
    SaveDialog(xAxis, "timeplot-x-axis-scaling");
    LimitValueDialog limit(diagram, doc, parent);
    SaveDialog(limit, "timeplot-limit-value");
    // Dialog 152 over the default definitions, the first application of the first group chosen.
    AoaChannelSelectionDialog::ForgetLastChoice();
    AoaChannelSelectionDialog application(doc, app.AppSettings(), app.Ui(),
                                          AppOptions::Instance().PhaseLabeling(), parent);
    application.ApplicationList()->setCurrentRow(0);
    SaveDialog(application, "timeplot-application-selection");
}

// Dialog 133 with the voltages and a harmonic chosen.
void ChooseExceedingChannels(varelo::ExceedingsChannelDialog& dialog) {
    for (int row : {0, 1, 3, 9}) {
        dialog.OfferedList()->setCurrentRow(row);
        dialog.AddButton()->click();
    }
}

void SaveListDialogs(varelo::VareloApp& app, QWidget* parent) {
    using namespace varelo;
    const CVamor800Doc& doc = *app.Document();
    ExceedingsChannelDialog exceedings(doc, parent);
    ChooseExceedingChannels(exceedings);
    SaveDialog(exceedings, "exceedings-channel-selection");
    const CIntervalList& intervals = doc.Data().intervals;
    ValueListPrintDialog print(12, intervals[100].DateTime, intervals.FirstTimeStamp(),
                               intervals.LastTimeStamp(), parent);
    SaveDialog(print, "value-list-print-period");
}

// The export dialogs: output format (with the interval export's status), the event kinds, the
// export period and the statistic parts.
void SaveExportDialogs(varelo::VareloApp& app, QWidget* parent) {
    using namespace varelo;
    const CVamor800Doc& doc = *app.Document();
    AsciiFormatDialog format(AsciiFormat::Load(app.AppSettings(), '.'), true, parent);
    SaveDialog(format, "export-output-format");
    std::unique_ptr<ExportOptionsDialog> events(
        ExportOptionsDialog::Events({true, false, true}, parent));
    SaveDialog(*events, "export-events");
    const CMeasurementJob& job = doc.Data().job;
    ExportPeriodDialog period(job.MeasStartMeasured, job.MeasStopMeasured, job.MeasStartMeasured,
                              job.MeasStopMeasured, parent);
    SaveDialog(period, "export-period");
    std::unique_ptr<ExportOptionsDialog> statistics(ExportOptionsDialog::Statistics(parent));
    SaveDialog(*statistics, "export-statistics");
    VseSettings vse;
    vse.ewNumber = 815;
    vse.location = 2;
    vse.transformer = 5;
    VseParameterDialog vseParameters(vse, parent);
    SaveDialog(vseParameters, "export-vse-parameters");
    ChannelSelectionDialog vseChannels(doc, IsVseQuantity, 1395, app.AppSettings(), app.Ui(),
                                       parent);
    SaveDialog(vseChannels, "export-vse-channels");
    AccessExportDialog database(Q(InitialAccessConfigFile(app.AppSettings(), 'A')), true, parent);
    SaveDialog(database, "export-database");
    HeaderTableConfiguration header;
    for (int i = 6; i < HeaderTableConfiguration::kColumns; ++i)
        header.columns[size_t(i)] = kHeaderColumnKeys[size_t(i)];
    header.fixedText[5] = true;
    header.columns[5] = "Account";
    DefaultHeaderNames(header, job);
    HeaderTableDialog headerTable(header, DefaultHeaderValues(doc), parent);
    SaveDialog(headerTable, "export-database-header");
}

// The Logger's dialogs: designation, clock, information with its details, job templates.
void SaveLoggerDialogs(varelo::Settings& settings, QWidget* parent) {
    using namespace varelo;
    LoggerDesignationDialog designation("Feeder 7 Nord", parent);
    SaveDialog(designation, "logger-designation");
    LoggerClockDialog clock(CTimeStamp(2024, 5, 6, 7, 8, 9), SystemClock(), parent);
    SaveDialog(clock, "logger-clock");
    CLoggerInfo info;
    info.HardwType = "408b Power Logger   1";
    info.SerialNr = "408-000777";
    info.HardwBasicUnit = "BU 408";
    info.VersionBoot = " 1.20";
    info.FuncBoot = "Boot";
    info.Calibration = "2024-01-15";
    info.ClampId = 3;
    info.MeasFunc = "A Power quality";
    info.VersionCPU = info.VersionDSP = " 5.03";
    info.FuncCPU = "A;CPU";
    info.FuncDSP = "A;DSP";
    info.InstrTime = CTimeStamp(2024, 5, 6, 7, 8, 9);
    info.FirmwDescription = "Feeder 7 Nord";
    info.OperatingState = 'A';
    info.currentJob = {0, 4032, 0, 4, 0, 17, 1};
    info.jobFunction = {kMeasFuncA, 0};
    LoggerInformationDialog information(info, parent);
    SaveDialog(information, "logger-information");
    LoggerDetailsDialog details(information.Texts(), parent);
    SaveDialog(details, "logger-details");
    settings.Write(setting::JobTemplateA, "jobs/feeder-week.aua");
    JobTemplatesDialog templates(settings, parent);
    SaveDialog(templates, "job-templates");
}

// The job editor offline: its basic settings page, its summary and the printed job protocol.
void SaveJobEditor(varelo::VareloApp& varelo, QWidget* parent) {
    using namespace varelo;
    const JobEditorContext context{varelo.AppSettings(), varelo.Ui(), DataFolder(),
                                   FirmwareFolder(), UserDataFolder()};
    std::optional<JobEditor> editor =
        JobEditor::Open(kMeasFuncA, nullptr, context, CTimeStamp(2024, 3, 5, 14, 37, 21));
    if (!editor) return;
    JobEditorDialog basic(*editor, varelo.Ui(), varelo.AppSettings(), nullptr, nullptr, parent);
    SaveDialog(basic, "job-basic-settings");
    JobSummaryDialog summary(*editor, varelo.Ui(), varelo.AppSettings(), nullptr, parent);
    SaveDialog(summary, "job-summary");
    PrintJobProtocolToPdf(editor->Job(), "job.aua", S(folder + "/job-protocol.pdf"),
                          varelo.AppSettings(), varelo.Ui());
}

// The job editor's sub-pages on an offline editor for function A, with a segment and two
// interharmonic channels so that the lists show something.
// The limit value level file editor on the current limit file, with its four sub-dialogs and
// the VSE calculation.
void SaveLimitEditor(varelo::VareloApp& app, QWidget* parent) {
    using namespace varelo;
    CLimitEditorModel model(app.Ui(), UserDataFolder());
    model.Start(app.AppSettings().ReadString(setting::LimitFile), 50);
    LimitEditorDialog editor(model, app.Ui(), app.AppSettings(), parent);
    SaveDialog(editor, "limit-editor");
    CHarmonicLimitsModel voltage = model.Harmonics(false);
    HarmonicLimitsDialog voltageDialog(voltage, app.Ui(), parent);
    SaveDialog(voltageDialog, "limit-voltage-harmonics");
    CHarmonicLimitsModel current = model.Harmonics(true);
    HarmonicLimitsDialog currentDialog(current, app.Ui(), parent);
    SaveDialog(currentDialog, "limit-current-harmonics");
    CVseModel vse(current.Vse());
    VseDialog vseDialog(vse, app.Ui(), parent);
    SaveDialog(vseDialog, "limit-vse");
    CSignallingLimitsModel signalling = model.Signalling();
    SignallingLimitsDialog signallingDialog(signalling, app.Ui(), parent);
    SaveDialog(signallingDialog, "limit-signalling");
    CInterharmonicLimitsModel interharmonics = model.Interharmonics();
    std::string frequency = "100";
    interharmonics.Set(frequency, "0.5");
    InterharmonicLimitsDialog interharmonicDialog(interharmonics, app.Ui(), parent);
    SaveDialog(interharmonicDialog, "limit-interharmonics");
}

// The definition file editor on a copy of the default definitions, its source window on the
// default file itself, and the application and channel dialogs of the first items.
void SaveAoaEditor(varelo::VareloApp& app, QWidget* parent) {
    using namespace varelo;
    CAoaEditorModel model(app.Ui(), DataFolder(), "ENG");
    const std::string defaults = model.DefaultFile();
    const QString copy = folder + "/definitions.aoa";
    QFile::remove(copy);
    if (defaults.empty() || !QFile::copy(Q(defaults), copy)) return;
    model.Start(S(copy));
    model.LoadSource(defaults);
    AoaEditorDialog editor(model, app.Ui(), parent);
    editor.show();
    editor.adjustSize();
    for (AoaLevel level : {AoaLevel::Group, AoaLevel::Application, AoaLevel::Channel})
        editor.List(level)->setCurrentRow(0);
    AoaSourceWindow& source = *editor.SourceWindow();
    source.Refresh();
    for (AoaLevel level : {AoaLevel::Group, AoaLevel::Application, AoaLevel::Channel})
        source.List(level)->setCurrentRow(0);
    source.show();
    source.adjustSize();
    Save(editor, "aoa-editor");
    Save(source, "aoa-source");
    source.hide();
    editor.hide();
    CAoaListView& lists = model.Lists();
    if (CAOAApplication* application = lists.Application(lists.Selected(AoaLevel::Application))) {
        ApplicationInfoDialog info(*application, true, parent);
        SaveDialog(info, "aoa-application-info");
    }
    if (CAOAChannelInfo* channel = lists.Channel(lists.Selected(AoaLevel::Channel))) {
        ChannelInfoDialog channelDialog(*channel, lists.Function(), lists.PhaseMode(), false,
                                        app.Ui(), parent);
        SaveDialog(channelDialog, "aoa-channel-info");
    }
    QFile::remove(copy);
}

// The information about the open measurement (dialog 129) and the four dialogs of its buttons.
void SaveMeasurementInformation(varelo::VareloApp& app, QWidget* parent) {
    using namespace varelo;
    CVamor800Doc& doc = *app.Document();
    MeasurementInfoDialog information(doc, app.AppSettings(), app.Ui(), parent);
    SaveDialog(information, "measurement-information");
    MeasurementAssessmentDialog assessment(
        MakeMeasurementAssessment(doc.Data().job, doc.CountsIfMade()), parent);
    SaveDialog(assessment, "measurement-assessment");
    LoggerUsedDialog logger(LoggerInformationRows(doc.Data().logger), parent);
    SaveDialog(logger, "measurement-logger");
    InterharmonicInfoDialog interharmonics(doc.Data().job, parent);
    SaveDialog(interharmonics, "measurement-interharmonics");
    MeasurementTextDialog texts(MeasurementTexts::Of(doc.Data().job), app.Ui(), parent);
    SaveDialog(texts, "measurement-texts");
}

void SaveJobPages(varelo::VareloApp& app, QWidget* parent) {
    using namespace varelo;
    const JobEditorContext context{app.AppSettings(), app.Ui(), DataFolder(), ProgramFolder(),
                                   UserDataFolder()};
    const CTimeStamp now(2024, 5, 6, 7, 8, 9);
    std::optional<JobEditor> editor = JobEditor::OpenWith(kMeasFuncA, nullptr, context, now);
    if (!editor) return;
    CMeasurementJob job = editor->Job();
    job.JobTitle[0] = "Substation";
    job.JobText[0] = "Feeder 7 Nord";
    MeasurementPeriodPage period(job);
    period.AddSegment(SegmentTime(1, 6, 0), SegmentTime(5, 22, 0));
    period.SetBegin(period.Job().ProgStartMeas);  // the end counts the segment's intervals
    job = period.Job();
    AddInterharmonic(job, {false, 175, 2, "Ripple control"});
    AddInterharmonic(job, {true, 3.5, 0, ""});
    editor->TakePage(job);
    JobGeneralDialog general(*editor, app.Ui(), parent);
    SaveDialog(general, "job-general");
    JobPeriodDialog periodDialog(*editor, app.Ui(), parent, [now] { return now; });
    SaveDialog(periodDialog, "job-measurement-period");
    JobCurrentDialog current(*editor, app.Ui(), parent);
    SaveDialog(current, "job-current");
    JobInterharmonicDialog interharmonic(*editor, app.Ui(), parent);
    SaveDialog(interharmonic, "job-interharmonics");
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<std::string_view> args(argv + 1, argv + argc);
    const varelo::Language* language = nullptr;
    if (args.size() == 4 && args[0] == "--language") {
        language = varelo::FindLanguage(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 2 || (argc == 5 && !language)) {
        std::fprintf(stderr,
                     "usage: varelo-screenshots [--language CODE] MEASUREMENT.VXM FOLDER\n");
        return 2;
    }
    folder = QString::fromUtf8(args[1].data(), qsizetype(args[1].size()));
    if (language) folder += "/" + QString::fromLatin1(language->code);
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
    varelo.AppSettings().Write(varelo::setting::DialogLanguage,
                               language ? language->id : varelo::kEnglish);
    varelo::VareloApp::StartResult started = varelo.Start({});
    if (started != varelo::VareloApp::StartResult::Running) return 1;
    if (varelo::CurrentLanguage().id != varelo::kEnglish) leftovers.emplace();
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

    if (!varelo.OpenMeasurement(QString::fromUtf8(args[0].data(), qsizetype(args[0].size()))))
        return 1;
    for (const varelo::ViewKind& kind : varelo::ViewKinds()) {
        window.Mdi()->closeAllSubWindows();
        // The diagram shows the phase voltages, a current and a power.
        if (kind.templateId == 181)
            varelo.Document()->HandOverChannels({1011, 2011, 3011, 1031, 1067}, {}, true);
        if (kind.templateId == 179)
            varelo.Document()->SetValueListChannels({1011, 2011, 3011, 1017, 1031, 1067}, {});
        varelo::ModalRunner::SetHook([](QDialog& dialog) {
            auto* exceedings = qobject_cast<varelo::ExceedingsChannelDialog*>(&dialog);
            if (!exceedings) return int(QDialog::Rejected);
            ChooseExceedingChannels(*exceedings);
            return int(QDialog::Accepted);
        });
        const bool opened = window.OpenView(kind);
        varelo::ModalRunner::SetHook([](QDialog&) { return int(QDialog::Rejected); });
        if (!opened) continue;
        Save(window, QString("view-%1").arg(kind.templateId));
    }

    SaveTimeplotDialogs(varelo, &window);
    SaveListDialogs(varelo, &window);
    SaveExportDialogs(varelo, &window);
    SaveLoggerDialogs(varelo.AppSettings(), &window);
    SaveJobEditor(varelo, &window);
    SaveJobPages(varelo, &window);
    SaveLimitEditor(varelo, &window);
    SaveAoaEditor(varelo, &window);
    SaveMeasurementInformation(varelo, &window);
    varelo::ClassLimitsDialog classLimits(95, 5, varelo.Ui(), &window);
    SaveDialog(classLimits, "cumulative-class-limits");

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
    {
        // The transformer correction of a job with a phase transformer and a neutral.
        varelo::CMeasurementJob job;
        job.PhCurrTransformer = 1;
        job.NeutralMeas = 1;
        varelo::TransformerDialog transformer(job, varelo::AppOptions::Instance().PhaseLabeling(),
                                              varelo.Ui(), &window);
        SaveDialog(transformer, "change-current-transformer");
    }
    SaveProgressWindows(&window);
    if (leftovers && !leftovers->Found().isEmpty()) {
        for (const QString& text : leftovers->Found())
            std::fprintf(stderr, "English: %s\n", qPrintable(text));
        return 3;
    }
    return 0;
}
