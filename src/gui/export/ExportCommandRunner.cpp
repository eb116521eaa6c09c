#include "gui/export/ExportCommandRunner.h"

#include <memory>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "export/AsciiExport.h"
#include "export/ExportSource.h"
#include "export/SpanishReport.h"
#include "gui/app/ModalRunner.h"
#include "gui/dialogs/ChannelSelectionDialog.h"
#include "gui/export/AsciiFormatDialog.h"
#include "gui/export/ExportOptionsDialog.h"
#include "gui/export/ExportPeriodDialog.h"
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

// The output format dialog; false on Cancel. OK stores the format when asked to.
bool AskFormat(Settings& settings, bool withStatus, QWidget* parent, AsciiExportTarget& target) {
    target.localeDecimal = LocaleDecimalSeparator();
    AsciiFormatDialog dialog(AsciiFormat::Load(settings, target.localeDecimal), withStatus, parent);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return false;
    target.format = dialog.Format();
    if (!withStatus) target.format.status = false;
    if (dialog.SaveChosen()) target.format.Save(settings, withStatus);
    target.codePage = ExportCodePage(settings);
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
