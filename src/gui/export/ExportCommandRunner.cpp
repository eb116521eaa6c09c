#include "gui/export/ExportCommandRunner.h"

#include <QPrinter>
#include <filesystem>
#include <memory>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "export/AccessExport.h"
#include "export/AsciiExport.h"
#include "export/ExportSource.h"
#include "export/SpanishReport.h"
#include "export/VseExport.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/ChannelSelectionDialog.h"
#include "gui/export/AccessExportDialog.h"
#include "gui/export/AsciiFormatDialog.h"
#include "gui/export/ExportOptionsDialog.h"
#include "gui/export/ExportPeriodDialog.h"
#include "gui/export/HeaderTableDialog.h"
#include "gui/export/VseParameterDialog.h"
#include "gui/export/VseProtocolPrintout.h"
#include "gui/print/PrintJob.h"
#include "gui/print/SharedPrinter.h"
#include "timeplot/StoredChannelSelection.h"

namespace varelo {

namespace {

constexpr int kSaveTitle = 202;
constexpr int kExtension = 203;
constexpr int kFilter = 204;
constexpr int kExportIntervals = 33034;
constexpr int kExportStatistics = 33035;
constexpr int kExportEvents = 33033;
constexpr int kSpanishReport = 33162;
constexpr int kExportVse = 33036;
constexpr int kExportDatabase = 33165;

std::string WithExtension(const std::string& measurementPath, const char* extension) {
    return std::filesystem::path(measurementPath).replace_extension(extension).string();
}

// The output format dialog; false on Cancel. OK stores the format when asked to.
bool AskFormat(Settings& settings, bool withStatus, QWidget* parent, AsciiExportTarget& target) {
    target.localeDecimal = LocaleDecimalSeparator();
    AsciiFormatDialog dialog(AsciiFormat::Load(settings, target.localeDecimal), withStatus, parent);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return false;
    target.format = dialog.Format();
    if (!withStatus) target.format.status = false;
    if (dialog.SaveChosen()) target.format.Save(settings, withStatus);
    target.codePage = ExportCodePage();
    return true;
}

bool AskPeriod(const CMeasurementJob& job, QWidget* parent, CTimeStamp& start, CTimeStamp& end) {
    ExportPeriodDialog dialog(job.MeasStartMeasured, job.MeasStopMeasured, start, end, parent);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return false;
    start = dialog.Start();
    end = dialog.End();
    return true;
}

}  // namespace

bool ExportCommandRunner::Run(int commandId) {
    if (!doc_.IsCommandEnabled(commandId)) return false;
    switch (commandId) {
        case kExportIntervals: Intervals(); return true;
        case kExportStatistics: Statistics(); return true;
        case kExportEvents: Events(); return true;
        case kSpanishReport: SpanishReport(); return true;
        case kExportVse: Vse(); return true;
        case kExportDatabase: Database(); return true;
        default: return false;
    }
}

bool ExportCommandRunner::ChooseFile(const char* suffix, std::string& path) {
    return ui_.ChooseSaveFile(Str(kSaveTitle), Str(kFilter), Str(kExtension),
                              ProposedExportPath(doc_.FilePath(true), suffix), path);
}

void ExportCommandRunner::Intervals() {
    IntervalExportRequest request;
    if (!AskFormat(settings_, true, parent_, request.target)) return;
    ChannelSelectionDialog channels(doc_, ChannelLayout::kExport, settings_, ui_, nullptr, true,
                                    parent_);
    if (ModalRunner::Exec(channels) != QDialog::Accepted) return;
    request.channels = channels.Channels();
    // The export remembers its list for the next time.
    const StoredChannelSelection stored =
        StoredChannelSelection::ForExport(doc_.MeasurementLetter());
    if (stored.Usable()) stored.Write(settings_, request.channels);
    const CMeasurementJob& job = doc_.Data().job;
    request.start = job.MeasStartMeasured;
    request.end = job.MeasStopMeasured;
    if (!AskPeriod(job, parent_, request.start, request.end)) return;
    if (!ChooseFile("_I", request.target.path)) return;
    ExportIntervals(ExportSource::Of(doc_), request, ui_);
}

void ExportCommandRunner::Statistics() {
    StatisticExportRequest request;
    if (!AskFormat(settings_, false, parent_, request.target)) return;
    std::unique_ptr<ExportOptionsDialog> options(ExportOptionsDialog::Statistics(parent_));
    if (ModalRunner::Exec(*options) != QDialog::Accepted) return;
    const std::vector<bool> checked = options->Checked();
    request.signalling = checked[0];
    request.frequency = checked[1];
    if (!ChooseFile("", request.target.path)) return;
    ExportStatistics(ExportSource::Of(doc_), request, ui_);
}

void ExportCommandRunner::Events() {
    EventExportRequest request;
    if (!AskFormat(settings_, false, parent_, request.target)) return;
    const auto present = EventGroupsPresent(doc_.Data());
    std::unique_ptr<ExportOptionsDialog> options(
        ExportOptionsDialog::Events(std::vector<bool>(present.begin(), present.end()), parent_));
    if (ModalRunner::Exec(*options) != QDialog::Accepted) return;
    const std::vector<bool> checked = options->Checked();
    for (size_t i = 0; i < request.groups.size(); ++i)
        request.groups[i] = checked[i];
    DefaultEventPeriod(doc_.Data(), request.start, request.end);
    if (!AskPeriod(doc_.Data().job, parent_, request.start, request.end)) return;
    if (!ChooseFile("_E", request.target.path)) return;
    ExportEvents(ExportSource::Of(doc_), request, ui_);
}

void ExportCommandRunner::SpanishReport() {
    SpanishReportRequest request;
    if (!ChooseFile("_V", request.path)) return;
    ExportSpanishReport(doc_.Data(), request, ui_);
}

}  // namespace varelo

namespace varelo {

void ExportCommandRunner::Vse() {
    VseParameterDialog parameters(LoadVseSettings(settings_), parent_);
    if (ModalRunner::Exec(parameters) != QDialog::Accepted) return;
    VseRequest request;
    request.settings = parameters.Settings();
    StoreVseSettings(settings_, request.settings);
    // The VSE list starts from the export's stored one and is not stored itself.
    ChannelSelectionDialog channels(doc_, IsVseQuantity, 1395, settings_, ui_, parent_);
    if (ModalRunner::Exec(channels) != QDialog::Accepted) return;
    request.channels = channels.Channels();
    if (!ui_.ChooseSaveFile(Str(1389), Str(1421), Str(1420),
                            WithExtension(doc_.FilePath(true), "OSM"), request.path))
        return;
    const ExportSource source = ExportSource::Of(doc_);
    std::vector<VseMaximum> maxima;
    if (!ExportVse(source, request, ExportCodePage(), ui_, maxima).written) return;
    if (!request.settings.protocol) return;
    VseProtocolPrintout printout(BuildVseProtocol(source, doc_.FilePath(true), request, maxima));
    PrintRequest print{printout, Q(request.path), nullptr, settings_, ui_, parent_};
    RunPrintJob(SharedPrinter(), print);
}

void ExportCommandRunner::Database() {
    const char letter = doc_.MeasurementLetter();
    AccessExportDialog dialog(Q(InitialAccessConfigFile(settings_, letter)),
                              settings_.ReadInt(setting::MdbAddHeaderTable) == 1, parent_);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    const std::string config = S(dialog.Path());
    StoreAccessSettings(settings_, letter, config, dialog.HeaderTable());
    AccessExportPlan plan;
    if (!PrepareAccessExport(doc_, config, dialog.HeaderTable(), ui_, plan)) return;
    if (plan.withHeader) {
        HeaderTableDialog header(plan.header, plan.headerValues, parent_);
        if (ModalRunner::Exec(header) != QDialog::Accepted) return;
        plan.header = header.Header();
        plan.headerValues = header.Values();
    }
    std::string path;
    if (!ui_.ChooseSaveFile(Str(1504), Str(1503), Str(1502),
                            WithExtension(doc_.FilePath(true), "sqlite"), path))
        return;
    WaitCursor wait(ui_);
    WriteAccessDatabase(path, plan, doc_, ui_);
}

}  // namespace varelo
