#include "evaluation/LimitEditor/LimitPrintLines.h"

#include <cstdio>

#include "app/StringTable.h"
#include "evaluation/LimitEditor/LimitEditorText.h"
#include "evaluation/LimitValues.h"

namespace varelo {

namespace {

// Texts of the printout.
constexpr int kFileTitle = 835;
constexpr int kColumns = 843;
constexpr int kNone = 838;
constexpr int kWithinTolerance = 2100;
constexpr int kVoltageVariations = 2101;
constexpr int kAllowedEvents = 2102;
constexpr int kInterruptionLimit = 2103;
constexpr int kVoltageHarmonics = 2104;
constexpr int kCurrentHarmonics = 2105;
constexpr int kOrderColumn = 2106;
constexpr int kFlickerPst = 2107;
constexpr int kUnbalance = 2108;
constexpr int kSignalling = 2109;
constexpr int kLineFrequency = 2110;
constexpr int kFundamental = 2111;
constexpr int kThdV = 2112;
constexpr int kThdI = 2113;
constexpr int kInterharmonics = 2114;

using Style = LimitPrintLine::Style;

std::string Digits(int value, int places) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", places, value);
    return text;
}

LimitPrintLine Row(std::string parameter, std::string value, std::string unit) {
    return {Style::Row, std::move(parameter), std::move(value), std::move(unit)};
}

LimitPrintLine Heading(int id, std::string column = {}) {
    return {Style::Heading, Str(id), std::move(column), {}};
}

}  // namespace

std::vector<LimitPrintLine> LimitPrintLines(const CLimitValues& l, const std::string& fileName) {
    std::vector<LimitPrintLine> lines;
    const std::string histogram = std::to_string(l.Histogram);
    lines.push_back({Style::Title, Str(kFileTitle) + ":  " + fileName, {}, {}});
    if (!l.Text.empty()) lines.push_back({Style::Description, l.Text, {}, {}});
    // "\tParameter\tValue\tUnit": the columns after the leading tab.
    const std::string columns = Str(kColumns);
    LimitPrintLine header{Style::Header, {}, {}, {}};
    std::string* cells[] = {&header.parameter, &header.value, &header.unit};
    size_t cell = 0, start = columns.find('\t') == 0 ? 1 : 0;
    while (cell < 3 && start <= columns.size()) {
        const size_t tab = columns.find('\t', start);
        *cells[cell++] = columns.substr(start, tab == std::string::npos ? tab : tab - start);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    lines.push_back(header);
    lines.push_back(Row(Str(kWithinTolerance), histogram, "%"));

    lines.push_back(Heading(kVoltageVariations));
    lines.push_back(Row(Msg(844, {histogram}), FormatFixed2(l.NplusTol95), "%"));
    lines.push_back(Row(Msg(839, {histogram}), FormatFixed2(l.NminusTol95), "%"));
    lines.push_back(Row(Msg(844, {"100"}), FormatFixed2(l.NplusTol100), "%"));
    lines.push_back(Row(Msg(839, {"100"}), FormatFixed2(l.NminusTol100), "%"));

    lines.push_back(Row(Str(kAllowedEvents), std::to_string(l.NrEvents), {}));
    lines.push_back(Row(Str(kInterruptionLimit), std::to_string(l.InterruptionLimit), "%"));

    for (bool current : {false, true}) {
        lines.push_back(
            Heading(current ? kCurrentHarmonics : kVoltageHarmonics, Str(kOrderColumn)));
        bool any = false;
        for (int n = 2; n <= int(CLimitValues::kOrders); ++n) {
            const float limit = current ? l.CurrentHarmonicLimit(n) : l.HarmonicLimit(n);
            if (!(limit > 0)) continue;
            lines.push_back(Row(Digits(n, 2), FormatFixed2(limit), current ? "A" : "%"));
            any = true;
        }
        if (!any) lines.push_back(Row(Str(kNone), {}, {}));
    }

    lines.push_back(Row(Str(kFlickerPst), FormatFixed2(l.FlickPst), "Pst"));
    lines.push_back(Row(Msg(829, {histogram}), FormatFixed2(l.FlickPlt), "Plt"));
    lines.push_back(Row(Str(kUnbalance), FormatFixed2(l.VoltUnbal), "%"));

    lines.push_back(Heading(kSignalling));
    bool any = false;
    for (size_t k = 0; k < CLimitValues::kBins; ++k) {
        if (!(l.SignallingVolt[k] > 0)) continue;
        lines.push_back(
            Row(Digits(int(k + 1) * 5, 4) + " Hz", FormatFixed2(l.SignallingVolt[k]), "%"));
        any = true;
    }
    if (!any) lines.push_back(Row(Str(kNone), {}, {}));

    lines.push_back(Heading(kLineFrequency));
    lines.push_back(Row(Str(kFundamental), std::to_string(l.PowSysNomFreq), "Hz"));
    lines.push_back(Row(Msg(834, {"99.5"}), std::to_string(l.FplusTol95), "%"));
    lines.push_back(Row(Msg(832, {"99.5"}), std::to_string(l.FminusTol95), "%"));
    lines.push_back(Row(Str(833), std::to_string(l.FplusTol100), "%"));
    lines.push_back(Row(Str(831), std::to_string(l.FminusTol100), "%"));

    lines.push_back(Row(Str(kThdV), FormatFixed2(l.THD), "%"));
    lines.push_back(Row(Str(kThdI), FormatFixed2(l.CurrTHD), "%"));

    lines.push_back(Heading(kInterharmonics));
    any = false;
    for (size_t k = 0; k < CLimitValues::kBins; ++k) {
        if (l.IsHarmonicEntry(k) || !(l.Harm[k] > 0)) continue;
        lines.push_back(Row(Digits(int(k + 1) * 5, 4) + " Hz", FormatFixed2(l.Harm[k]), "%"));
        any = true;
    }
    if (!any) lines.push_back(Row(Str(kNone), {}, {}));
    return lines;
}

}  // namespace varelo
