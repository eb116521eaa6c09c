// The exports of a one-year function A measurement (52,560 intervals), in the same run as their
// yardsticks:
// - R: reading the measurement file;
// - S: the sqlite3 program creating the same table and importing a CSV file of the same rows.
// Goals: the database export of every offered channel at most 1.0 x S, the ASCII interval export
// of them (semicolon) at most 0.75 x S, the Spanish report at most 4 x R, the VSE export of every
// offered channel at most 2 x R.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "document/Vamor800Doc.h"
#include "export/AccessExport.h"
#include "export/AsciiExport.h"
#include "export/ExportSource.h"
#include "export/NumberText.h"
#include "export/SpanishReport.h"
#include "export/VseExport.h"
#include "measurement/MeasurementChannel.h"
#include "platform/Database.h"
#include "platform/SettingsStore.h"
#include "timeplot/ChannelSelection.h"

namespace varelo {
namespace {

std::string Folder() {
    return std::filesystem::path(bench::YearFile()).parent_path().string();
}

// Every channel "> >" offers for the year, as the export channel selection gives them.
std::vector<int> AllChannels(const CVamor800Doc& doc, Settings& settings,
                             std::function<bool(int)> only = {}) {
    ChannelSelectionSetup setup(doc.Data().job);
    setup.layout = ChannelLayout::kExport;
    setup.availability = doc.Availability();
    setup.functionLetter = doc.MeasurementLetter();
    setup.offerOnly = std::move(only);
    ChannelSelection selection(setup, settings);
    selection.RemoveAll();
    selection.AddAll();
    return selection.Chosen();
}

struct OpenedYear {
    OpenedYear() : store(Folder() + "/export-bench.conf"), settings(store) {
        FindDefaultLimitFile(settings, DataFolder());
        doc = std::make_unique<CVamor800Doc>(settings, ui, options);
        doc->OpenFile(bench::YearFile());
        channels = AllChannels(*doc, settings);
        plan.configuration.tables.push_back(Table());
        WriteSqliteInput();
    }

    AccessTableSpec Table() const {
        AccessTableSpec table{"Intervals", {{"Time", FieldType::kDate, -1, ColumnFill::kValue}}};
        for (int id : channels)
            table.columns.push_back(
                {"C" + std::to_string(id), FieldType::kSingle, id, ColumnFill::kValue});
        return table;
    }

    // The same table as the export makes, and a CSV file of the same rows for sqlite3.
    void WriteSqliteInput() {
        std::vector<DatabaseColumn> columns;
        for (const AccessColumnSpec& c : plan.configuration.tables[0].columns)
            columns.push_back({c.name, c.type, true});
        std::ofstream script(Folder() + "/export-bench.sql");
        script << Database::CreateTableSql("Intervals", columns) << ";\n.mode csv\n.import "
               << Folder() << "/export-bench.csv Intervals\n";
        std::vector<CMeasurementChannel> setups(channels.size());
        for (size_t c = 0; c < channels.size(); ++c)
            setups[c].SetupChannel(channels[c]);
        std::ofstream csv(Folder() + "/export-bench.csv");
        std::string line;
        for (const CIntervalRecord& r : doc->Data().intervals) {
            line = r.DateTime.FileText();
            for (const CMeasurementChannel& channel : setups) {
                line += ',';
                AppendValue(line, channel.ChannelValue(r, doc->Data().intervals.Scaling()), 4);
            }
            csv << line << '\n';
        }
    }

    SettingsStore store;
    Settings settings;
    bench::SilentUserInterface ui;
    AppOptions options;
    std::unique_ptr<CVamor800Doc> doc;
    std::vector<int> channels;
    AccessExportPlan plan;
};

OpenedYear& Year() {
    static OpenedYear year;
    return year;
}

void BM_ReadYear_R(benchmark::State& state) {
    for (auto _ : state) {
        MeasurementData data;
        if (!ReadMeasurementFile(bench::YearFile(), data)) state.SkipWithError("not read");
    }
}

void BM_Sqlite3Import_S(benchmark::State& state) {
    Year();
    const std::string db = Folder() + "/export-bench-import.sqlite";
    const std::string command =
        "sqlite3 " + db + " < " + Folder() + "/export-bench.sql > /dev/null 2>&1";
    for (auto _ : state) {
        std::filesystem::remove(db);
        if (std::system(command.c_str()) != 0) state.SkipWithError("sqlite3 failed");
    }
}

void BM_DatabaseExport(benchmark::State& state) {
    OpenedYear& year = Year();
    const std::string path = Folder() + "/export-bench.sqlite";
    for (auto _ : state)
        if (!WriteAccessDatabase(path, year.plan, *year.doc, year.ui))
            state.SkipWithError("not written");
    state.counters["channels"] = double(year.channels.size());
}

void BM_AsciiIntervalExport(benchmark::State& state) {
    OpenedYear& year = Year();
    IntervalExportRequest request;
    request.target.format.delimiter = 4;
    request.target.path = Folder() + "/export-bench.ASC";
    request.channels = year.channels;
    request.start = year.doc->Data().job.MeasStartMeasured;
    request.end = year.doc->Data().job.MeasStopMeasured;
    const ExportSource source = ExportSource::Of(*year.doc);
    for (auto _ : state)
        if (!ExportIntervals(source, request, year.ui).written) state.SkipWithError("not written");
}

void BM_SpanishReport(benchmark::State& state) {
    OpenedYear& year = Year();
    for (auto _ : state)
        if (!ExportSpanishReport(year.doc->Data(), {Folder() + "/export-bench-es.ASC"}, year.ui)
                 .written)
            state.SkipWithError("not written");
}

void BM_VseExport(benchmark::State& state) {
    OpenedYear& year = Year();
    VseRequest request;
    request.path = Folder() + "/export-bench.OSM";
    request.channels = AllChannels(*year.doc, year.settings, IsVseQuantity);
    const ExportSource source = ExportSource::Of(*year.doc);
    std::vector<VseMaximum> maxima;
    for (auto _ : state)
        if (!ExportVse(source, request, 1252, year.ui, maxima).written)
            state.SkipWithError("not written");
    state.counters["channels"] = double(request.channels.size());
}

BENCHMARK(BM_ReadYear_R)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Sqlite3Import_S)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DatabaseExport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AsciiIntervalExport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SpanishReport)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_VseExport)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace varelo

BENCHMARK_MAIN();
