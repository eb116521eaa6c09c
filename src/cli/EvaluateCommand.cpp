// varelo-cli evaluate: a measurement file opened as the desktop program opens it, its table
// summary, event counts and UNIPEDE DISDIP table.
#include <cstdio>
#include <string>

#include "app/AppOptions.h"
#include "app/StringTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "document/Vamor800Doc.h"
#include "evaluation/DisDipTable.h"
#include "evaluation/TableSummary.h"
#include "platform/JsonWriter.h"

namespace varelo {

namespace {

const char* const kKindNames[] = {"short interruptions", "long interruptions", "dips and swells"};

void PrintTable(const TableSummary& t) {
    std::printf("%-30s %-9s %-16s", "Parameter", "Unit", t.limitFileName.substr(0, 16).c_str());
    for (int part = 0; part < 2; ++part) {
        for (int p = 0; p < 3; ++p) {
            if (!t.phases[size_t(p)]) continue;
            std::string head =
                (part == 0 ? "Max " : t.shareHeading + " ") + t.phaseNames[size_t(p)];
            std::printf(" %14s", head.c_str());
        }
    }
    std::printf("\n");
    for (const SummaryRow& row : t.rows) {
        std::printf("%-30s %-9s %-16s", row.label.c_str(), row.unit.c_str(), row.limit.c_str());
        for (int part = 0; part < 2; ++part) {
            bool merged = part == 0 ? row.mergedMaximum : row.mergedShare;
            for (int p = 0; p < 3; ++p) {
                if (!t.phases[size_t(p)]) continue;
                size_t cell = size_t(part * 3 + (merged ? 1 : p));
                if (merged && p != 1 && t.phases[1]) {
                    std::printf(" %14s", "");
                    continue;
                }
                std::string text = row.cells[cell];
                if (row.marks[cell] != SummaryRow::kNone) text += " !";  // limit reached
                std::printf(" %14s", text.c_str());
            }
        }
        std::printf("\n");
    }
    std::printf("(! = %s / %s)\n", t.maximumLegend.c_str(), t.shareLegend.c_str());
}

void PrintEvents(const CVamor800Doc& doc, const CDisDipTable& disdip) {
    const CEventStatistics* events = doc.Evaluation().Events();
    std::printf("\nEvents and interruptions\n");
    for (int kind = 0; kind < 3; ++kind) {
        std::printf("  %-22s", kKindNames[kind]);
        int total = 0;
        for (int p = 0; p < 3; ++p) {
            int count = events ? events->Count(p, kind) : 0;
            total += count;
            std::printf(" L%d %4d", p + 1, count);
        }
        std::printf("  total %d\n", total);
    }
    std::printf("\n%s\n%-28s", Str(1368).c_str(),
                disdip.CornerText(AppOptions::Instance().PhaseLabeling()).c_str());
    for (int c = 0; c < CDisDipTable::kColumns; ++c) {
        auto [line1, line2] = CDisDipTable::ColumnLabel(c);
        std::printf(" %11s", (line1 + " " + line2).c_str());
    }
    std::printf("\n");
    for (int r = 0; r < CDisDipTable::kRows; ++r) {
        std::printf("%-28s", disdip.RowLabel(r).c_str());
        for (int c = 0; c < CDisDipTable::kColumns; ++c)
            std::printf(" %11d", disdip.Cell(r, c));
        std::printf("\n");
    }
    for (const auto& [label, count] : disdip.Totals())
        std::printf("%s: %d\n", label.c_str(), count);
}

void WriteJson(const CVamor800Doc& doc, const TableSummary& t, const CDisDipTable& disdip) {
    JsonWriter j;
    j.BeginObject();
    j.Key("file").String(doc.FilePath(true));
    j.Key("limitFile").String(doc.LimitFilePath());
    j.Key("period").BeginObject();
    j.Key("start").String(doc.Period().start.FileText());
    j.Key("end").String(doc.Period().end.FileText());
    j.EndObject();
    j.Key("phases").BeginArray();
    for (int p = 0; p < 3; ++p) {
        if (t.phases[size_t(p)]) j.String(t.phaseNames[size_t(p)]);
    }
    j.EndArray();
    j.Key("shareHeading").String(t.shareHeading);
    j.Key("rows").BeginArray();
    for (const SummaryRow& row : t.rows) {
        j.BeginObject();
        j.Key("label").String(row.label).Key("unit").String(row.unit).Key("limit").String(
            row.limit);
        j.Key("header").Bool(row.header);
        for (int part = 0; part < 2; ++part) {
            bool merged = part == 0 ? row.mergedMaximum : row.mergedShare;
            j.Key(part == 0 ? "maximum" : "share").BeginArray();
            for (int p = 0; p < 3; ++p) {
                if (!t.phases[size_t(p)]) continue;
                size_t cell = size_t(part * 3 + (merged ? 1 : p));
                j.BeginObject().Key("value").String(row.cells[cell]);
                j.Key("limitReached").Bool(row.marks[cell] != SummaryRow::kNone).EndObject();
            }
            j.EndArray();
        }
        j.EndObject();
    }
    j.EndArray();
    const CEventStatistics* events = doc.Evaluation().Events();
    j.Key("events").BeginObject();
    for (int kind = 0; kind < 3; ++kind) {
        j.Key(kKindNames[kind]).BeginArray();
        for (int p = 0; p < 3; ++p)
            j.Int(events ? events->Count(p, kind) : 0);
        j.EndArray();
    }
    j.EndObject();
    j.Key("disdip").BeginObject().Key("rows").BeginArray();
    for (int r = 0; r < CDisDipTable::kRows; ++r) {
        j.BeginObject().Key("label").String(disdip.RowLabel(r)).Key("cells").BeginArray();
        for (int c = 0; c < CDisDipTable::kColumns; ++c)
            j.Int(disdip.Cell(r, c));
        j.EndArray().EndObject();
    }
    j.EndArray().Key("totals").BeginObject();
    for (const auto& [label, count] : disdip.Totals())
        j.Key(label).Int(count);
    j.EndObject().EndObject();
    j.EndObject();
    std::printf("%s\n", j.Text().c_str());
}

int Evaluate(CliContext& context, Arguments& args) {
    bool json = args.Flag("json");
    auto limits = args.Value("limits");
    auto from = args.Value("from");
    auto to = args.Value("to");
    auto files = args.Positionals();
    if (files.size() != 1) args.Fail("name one measurement file");
    CTimeStamp start, end;
    if (from && !ParseDate(*from, start)) args.Fail("--from takes a date YYYY-MM-DD [HH:MM[:SS]]");
    if (to && !ParseDate(*to, end)) args.Fail("--to takes a date YYYY-MM-DD [HH:MM[:SS]]");
    if (!args.Problems().empty()) return kExitUsage;
    context.Ui().SetEvaluationPeriod(start, end);

    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (limits) doc.SetLimitFileOverride(*limits);
    if (!doc.OpenFile(files[0])) return kExitFailed;
    TableSummary summary =
        TableSummary::Build(doc.Evaluated(), AppOptions::Instance().PhaseLabeling());
    CDisDipTable disdip;
    disdip.Build(doc.Data().events, doc.Data().job, doc.Limits(), 0);
    if (json) {
        WriteJson(doc, summary, disdip);
        return kExitOk;
    }
    std::printf("%s\n%s: %s - %s\n%s: %s\n\n", doc.FilePath(true).c_str(), "Evaluation period",
                doc.Period().start.DisplayText().c_str(), doc.Period().end.DisplayText().c_str(),
                Str(835).c_str(), doc.LimitFilePath().c_str());
    PrintTable(summary);
    PrintEvents(doc, disdip);
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"evaluate", "evaluate FILE [--limits FILE.GWD] [--from DATE --to DATE] [--json]",
     "evaluate a measurement file against EN50160 limits", Evaluate},
};

}  // namespace

std::span<const Command> EvaluateCommands() {
    return kCommands;
}

}  // namespace varelo
