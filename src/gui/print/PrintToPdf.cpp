#include "gui/print/PrintToPdf.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <cstdlib>
#include <functional>
#include <memory>

#include "app/AppOptions.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "evaluation/LimitValues.h"
#include "gui/export/VseProtocolPrintout.h"
#include "gui/info/MeasurementInfoPrintout.h"
#include "gui/job/JobProtocolPrintout.h"
#include "gui/limits/LimitEditorPrintout.h"
#include "gui/print/PrintJob.h"
#include "gui/print/Printout.h"
#include "gui/views/AllExceedingsView.h"
#include "gui/views/DisDipView.h"
#include "gui/views/EventListView.h"
#include "gui/views/GraphicalSummaryView.h"
#include "gui/views/MeasurementValueListView.h"
#include "gui/views/MostCriticalValuesView.h"
#include "gui/views/PzdView.h"
#include "gui/views/ShfgView.h"
#include "gui/views/StatisticalValuesView.h"
#include "gui/views/TableSummaryView.h"
#include "measurement/MeasurementFile.h"
#include "measurement/MeasurementFileReader.h"

namespace varelo {

namespace {

// What a printout is made from: the opened document and the choices of the command line.
struct PrintSource {
    CVamor800Doc& doc;
    Settings& settings;
    UserInterface& ui;
    const PrintChoices& choices;

    ViewContext Context() const { return {&doc, &settings, &AppOptions::Instance(), &ui}; }
};

std::unique_ptr<Printout> Timeplot(const PrintSource& s) {
    s.doc.HandOverChannels(s.choices.channels, {}, true);
    std::unique_ptr<CPzdView> view(CPzdView::Create(s.Context(), nullptr));
    if (!view) return nullptr;
    if (!s.choices.ranges.empty()) {
        view->State().SetScalingMode(kScaleManual);
        for (size_t i = 0; i < s.choices.ranges.size(); ++i)
            view->State().SetRange(int(i), s.choices.ranges[i]);
    }
    if (s.choices.period > 0) view->State().Axis().SetPeriod(s.choices.period, true);
    if (s.choices.energy) view->RunCommand(33044);
    view->State().SetLimitLine(s.choices.limitCurve, s.choices.limitBand);
    return view->MakePrintout();  // a copy of what the window shows, for the pages
}

template <class View>
std::unique_ptr<Printout> Cumulative(const PrintSource& s) {
    return View(s.Context()).MakePrintout();
}

struct PrintoutEntry {
    const char* name;
    std::function<std::unique_ptr<Printout>(const PrintSource&)> make;
};

const PrintoutEntry kPrintouts[] = {
    {"graphical-summary",
     [](const PrintSource& s) { return GraphicalSummaryView::MakePrintout(s.doc, s.settings); }},
    {"table-summary",
     [](const PrintSource& s) { return TableSummaryView::MakePrintout(s.doc, s.settings); }},
    {"events", [](const PrintSource& s) { return EventListView::MakePrintout(s.doc); }},
    {"disdip", [](const PrintSource& s) { return DisDipView::MakePrintout(s.doc, 0); }},
    {"timeplot", Timeplot},
    {"voltage-cumulative", Cumulative<CShfgView>},
    {"current-cumulative", Cumulative<CShfgViewCurrent>},
    {"statistical-values",
     [](const PrintSource& s) { return StatisticalValuesView::MakePrintout(s.doc); }},
    {"most-critical",
     [](const PrintSource& s) { return MostCriticalValuesView::MakePrintout(s.doc); }},
    {"exceedings",
     [](const PrintSource& s) {
         return AllExceedingsView::MakePrintout(s.doc, s.choices.channels, s.choices.status);
     }},
    {"value-list",
     [](const PrintSource& s) {
         return MeasurementValueListView::MakePrintout(s.doc, s.choices.channels, s.choices.status,
                                                       s.choices.period > 0 ? s.choices.period : 2,
                                                       s.choices.start);
     }},
};

const PrintoutEntry* Find(const std::string& name) {
    for (const PrintoutEntry& entry : kPrintouts) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

// Painting needs a GUI application; without a display the offscreen platform serves. One made
// here lives until the printout is done, not until static destruction, where Qt's threads
// would outlive it.
std::unique_ptr<QApplication> EnsureApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "varelo-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

const char* PrintoutNames() {
    return "graphical-summary|table-summary|events|disdip|timeplot|voltage-cumulative|"
           "current-cumulative|statistical-values|most-critical|exceedings|value-list";
}

bool IsPrintoutName(const std::string& name) {
    return Find(name) != nullptr;
}

bool PrintToPdf(CVamor800Doc& doc, const std::string& printout, const std::string& output,
                Settings& settings, UserInterface& ui, const PrintChoices& choices) {
    const PrintoutEntry* entry = Find(printout);
    if (!entry) return false;
    const std::unique_ptr<QApplication> application = EnsureApplication();
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, QString::fromStdString(output),
                    QString::fromStdString(doc.FilePath(true)));
    std::unique_ptr<Printout> pages = entry->make({doc, settings, ui, choices});
    if (!pages) return false;
    PrintRequest request{*pages, QString::fromStdString(doc.FilePath(true)), &doc, settings, ui,
                         nullptr};
    return RunPrintJob(printer, request);
}

bool PrintJobProtocolToPdf(const std::string& file, const std::string& output, Settings& settings,
                           UserInterface& ui) {
    CMeasurementJob job;
    if (!CheckFile(file) || !ReadJobFile(file, job)) return false;
    const std::unique_ptr<QApplication> application = EnsureApplication();
    return PrintJobProtocolToPdf(job, file, output, settings, ui);
}

bool PrintMeasurementInfoFileToPdf(const std::string& file, const std::string& output,
                                   Settings& settings, UserInterface& ui) {
    MeasurementData data;
    if (!ReadMeasurementFile(file, data)) {
        ui.ShowMessage(374, Str(374), MessageIcon::Warning);
        return false;
    }
    const std::unique_ptr<QApplication> application = EnsureApplication();
    return PrintMeasurementInfoToPdf(MeasurementInformationLines(data.job, data.logger, file), file,
                                     output, settings, ui);
}

bool PrintLimitFileToPdf(const std::string& file, const std::string& output, Settings& settings,
                         UserInterface& ui) {
    CLimitValues limits;
    if (!ReadLimitFile(file, limits)) return false;
    const std::unique_ptr<QApplication> application = EnsureApplication();
    return PrintLimitsToPdf(limits, file, output, settings, ui);
}

bool PrintVseProtocolToPdf(const VseProtocol& protocol, const std::string& documentName,
                           const std::string& output, Settings& settings, UserInterface& ui) {
    const std::unique_ptr<QApplication> application = EnsureApplication();
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, QString::fromStdString(output), QString::fromStdString(documentName));
    VseProtocolPrintout printout(protocol);
    PrintRequest request{printout, QString::fromStdString(documentName), nullptr, settings, ui,
                         nullptr};
    return RunPrintJob(printer, request);
}

}  // namespace varelo
