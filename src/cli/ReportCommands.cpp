// varelo-cli statistics and critical: the statistical values and the most critical values of a
// measurement file, as the desktop program's block tables show them.
#include <cstdio>
#include <string>

#include "app/AppOptions.h"
#include "app/StringTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "document/Vamor800Doc.h"
#include "evaluation/MostCriticalValues.h"
#include "evaluation/StatisticalValues.h"
#include "platform/JsonWriter.h"

namespace varelo {

namespace {

constexpr int kCellWidth = 12;

// The phases a row shows: the present ones, or the middle one alone for a merged row.
std::vector<int> Cells(const BlockReport& r, bool merged) {
    if (merged) return {1};
    std::vector<int> cells;
    for (int p = 0; p < 3; ++p) {
        if (r.presence.Has(p)) cells.push_back(p);
    }
    return cells;
}

// A critical row's value sits in the cell of its phase; a value of an absent phase (the middle
// of a system without L2) in the first.
int CriticalCell(const BlockReport& r, int column) {
    return r.presence.Has(column) ? column : 0;
}

std::string Marked(const std::string& text, int mark) {
    if (mark == kMarkFramed) return "[" + text + "]";
    if (mark == kMarkGrey) return text + " *";
    return text;
}

void PrintText(const BlockReport& r) {
    const bool critical = r.kind == BlockReport::Kind::kCritical;
    const std::vector<int> phases = Cells(r, false);
    std::printf("%-32s %-9s %-24s", Str(1307).c_str(), Str(1277).c_str(),
                critical ? "" : Str(1284).c_str());
    for (int part = 0; part < (critical ? 1 : 2); ++part) {
        for (int p : phases) {
            std::string head = (part == 0 ? "" : "Dev. ") + r.phaseNames[size_t(p)];
            std::printf(" %*s", kCellWidth, head.c_str());
        }
    }
    std::printf(critical ? " %s\n" : "\n", Str(1276).c_str());
    for (const ReportBlock& b : r.blocks) {
        std::printf("\n");
        for (const BlockHeaderLine& h : b.header)
            std::printf("%-32s %-9s %-24s\n", h.label.c_str(), h.unit.c_str(), h.limit.c_str());
        for (const StatisticalRow& row : b.statistical) {
            std::printf("  %-30s %-9s %-24s", row.label.c_str(), row.unit.c_str(),
                        row.limit.c_str());
            for (int part = 0; part < 2; ++part) {
                const auto& texts = part == 0 ? row.measured : row.deviation;
                const auto& marks = part == 0 ? row.measuredMark : row.deviationMark;
                for (int p : phases) {
                    const bool shown = !row.merged || p == phases[phases.size() / 2];
                    const int cell = row.merged ? 1 : p;
                    std::string text =
                        shown ? Marked(texts[size_t(cell)], marks[size_t(cell)]) : "";
                    std::printf(" %*s", kCellWidth, text.c_str());
                }
            }
            std::printf("\n");
        }
        for (const CriticalRow& row : b.critical) {
            std::printf("  %-30s %-9s %-24s", "", row.unit.c_str(), row.time.c_str());
            for (int p : phases) {
                const bool here = p == CriticalCell(r, row.column);
                std::printf(" %*s", kCellWidth, here ? row.value.c_str() : "");
            }
            std::printf(" %s\n", row.duration.c_str());
        }
    }
    if (!critical)
        std::printf("\n[x] = below the required share, x * = outside its band or limit\n");
}

void WriteCells(JsonWriter& j, const BlockReport& r, bool merged,
                const std::array<std::string, 3>& texts, const std::array<int, 3>& marks) {
    j.BeginArray();
    for (int p : Cells(r, merged))
        j.BeginObject()
            .Key("text")
            .String(texts[size_t(p)])
            .Key("mark")
            .Int(marks[size_t(p)])
            .EndObject();
    j.EndArray();
}

void WriteJson(const CVamor800Doc& doc, const BlockReport& r) {
    JsonWriter j;
    j.BeginObject();
    j.Key("file").String(doc.FilePath(true));
    j.Key("limitFile").String(doc.LimitFilePath());
    j.Key("phases").BeginArray();
    for (int p : Cells(r, false))
        j.String(r.phaseNames[size_t(p)]);
    j.EndArray();
    j.Key("blocks").BeginArray();
    for (const ReportBlock& b : r.blocks) {
        j.BeginObject().Key("header").BeginArray();
        for (const BlockHeaderLine& h : b.header) {
            j.BeginObject().Key("label").String(h.label).Key("unit").String(h.unit);
            j.Key("limit").String(h.limit).EndObject();
        }
        j.EndArray().Key("rows").BeginArray();
        for (const StatisticalRow& row : b.statistical) {
            j.BeginObject().Key("label").String(row.label).Key("unit").String(row.unit);
            j.Key("limit").String(row.limit).Key("merged").Bool(row.merged);
            j.Key("measured");
            WriteCells(j, r, row.merged, row.measured, row.measuredMark);
            j.Key("deviation");
            WriteCells(j, r, row.merged, row.deviation, row.deviationMark);
            j.EndObject();
        }
        for (const CriticalRow& row : b.critical) {
            j.BeginObject().Key("unit").String(row.unit).Key("time").String(row.time);
            j.Key("cells").BeginArray();
            for (int p : Cells(r, false)) {
                const bool here = p == CriticalCell(r, row.column);
                j.BeginObject().Key("text").String(here ? row.value : "").Key("mark").Int(0);
                j.EndObject();
            }
            j.EndArray().Key("duration").String(row.duration).EndObject();
        }
        j.EndArray().EndObject();
    }
    j.EndArray().EndObject();
    std::printf("%s\n", j.Text().c_str());
}

int Report(CliContext& context, Arguments& args, bool critical) {
    const bool json = args.Flag("json");
    auto limits = args.Value("limits");
    auto files = args.Positionals();
    if (files.size() != 1) args.Fail("name one measurement file");
    if (!args.Problems().empty()) return kExitUsage;

    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (limits) doc.SetLimitFileOverride(*limits);
    if (!doc.OpenFile(files[0])) return kExitFailed;
    const PhaseLabels labels = AppOptions::Instance().PhaseLabeling();
    const BlockReport report = critical ? MostCriticalValues::Build(doc.Evaluated(), labels)
                                        : StatisticalValues::Build(doc.Evaluated(), labels);
    if (json) {
        WriteJson(doc, report);
        return kExitOk;
    }
    std::printf("%s\n%s\n%s: %s\n\n", doc.FilePath(true).c_str(),
                Str(critical ? 1294 : 1312).c_str(), Str(835).c_str(), doc.LimitFilePath().c_str());
    PrintText(report);
    return kExitOk;
}

int Statistics(CliContext& context, Arguments& args) {
    return Report(context, args, false);
}

int Critical(CliContext& context, Arguments& args) {
    return Report(context, args, true);
}

constexpr Command kCommands[] = {
    {"statistics", "statistics FILE [--limits FILE.GWD] [--json]",
     "the statistical values of a measurement file", Statistics},
    {"critical", "critical FILE [--limits FILE.GWD] [--json]",
     "the most critical values of a measurement file", Critical},
};

}  // namespace

std::span<const Command> ReportCommands() {
    return kCommands;
}

}  // namespace varelo
