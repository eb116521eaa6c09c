// The statistic data export: the frequency histogram and the mains-signalling histograms,
// each summed over every statistic segment.
#include <algorithm>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "export/AsciiExport.h"
#include "export/AsciiLineWriter.h"
#include "export/ExportSource.h"
#include "export/NumberText.h"
#include "measurement/IntervalRecord.h"
#include "measurement/StatisticList.h"

namespace varelo {

namespace {

constexpr int kFrequencyTable = 760;
constexpr int kNumberOfIntervals = 209;
constexpr int kFrequencyClass = 759;
constexpr int kNumberOf = 754;
constexpr int kSignalling = 767;
constexpr int kSignallingFrequencyCount = 755;
constexpr int kHz = 824;
constexpr int kClassInPercent = 764;
constexpr int kPhase = 765;

constexpr int kCountColumn = 22;
constexpr int kClassWidth = 9;
constexpr int kCountWidth = 6;
constexpr int kSignalColumn = 21;
constexpr int kSignalStep = 20;
constexpr int kSignalTitleWidth = 18;
constexpr int kSignalCountWidth = 12;
constexpr int kSignalLines = kSignallingClasses + 1;

std::string Count(unsigned long long n) {
    return std::to_string(n);
}

std::string WithoutColon(std::string text) {
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return text;
}

// Label of signalling line i: 1.0, then 2.0, 3.0, 3.5 ... 11.5, and ">11.5" for the last.
std::string SignalClassLabel(int line, char decimal) {
    const double value = line == 0 ? 1.0 : line == 1 ? 2.0 : 3.0 + (std::min(line, 19) - 2) * 0.5;
    std::string text = FormatFixed(value, 1);
    ReplaceDecimalPoint(text, decimal);
    return line == kSignalLines - 1 ? ">" + PadLeft(text, kClassWidth - 1) : text;
}

}  // namespace

ExportResult ExportStatistics(const ExportSource& source, const StatisticExportRequest& request,
                              UserInterface& ui) {
    const AsciiExportTarget& target = request.target;
    const CMeasurementJob& job = source.data.job;
    const bool table = target.format.TableFormat();
    auto col = [table](int column) { return table ? column : -1; };
    auto width = [table](int w) { return table ? w : 0; };

    // Every segment added up.
    std::array<unsigned long long, kFrequencyClasses> frequency{};
    std::array<
        std::array<std::array<unsigned long long, kSignallingClasses>, kSignallingFrequencies>,
        kPhaseCount>
        signal{};
    unsigned long long signalIntervals = 0;
    for (const CStatisticSegment& s : source.data.statistics) {
        for (int i = 0; i < kFrequencyClasses; ++i)
            frequency[size_t(i)] += s.Freq10sec[size_t(i)];
        for (size_t p = 0; p < kPhaseCount; ++p)
            for (size_t j = 0; j < kSignallingFrequencies; ++j)
                for (size_t c = 0; c < kSignallingClasses; ++c)
                    signal[p][j][c] += s.SignalVal[p][j][c];
        signalIntervals += s.NrSignalVoltInterval;
    }

    ExportFile file(target.path, target.codePage, ui);
    if (!file.Open()) return {};
    WaitCursor wait(ui);
    AsciiLineWriter w(target.format, target.format.DecimalSeparator(target.localeDecimal));
    w.WriteHeaderBlock(ExportHeader::Of(source.data, job.MeasStartMeasured, job.MeasStopMeasured));
    ExportResult result;

    if (request.frequency) {
        unsigned long long total = 0;
        for (unsigned long long n : frequency)
            total += n;
        w.NewLine();
        w.WriteField(Str(kFrequencyTable));
        w.WriteLabeled(Str(kNumberOfIntervals), Count(total));
        w.NewLine();
        w.WriteField(Str(kFrequencyClass));
        w.WriteField(Str(kNumberOf), col(kCountColumn));
        for (int i = 0; i < kFrequencyClasses; ++i) {
            w.NewLine();
            const int limit = CStatisticSegment::FrequencyClassLimit(i, job.PowSysNomFreq);
            w.WriteNumber(limit * 0.01, 1, -1, width(kClassWidth));
            w.WriteField(Count(frequency[size_t(i)]), col(kCountColumn), width(kCountWidth));
            ++result.rows;
        }
    }

    if (request.signalling) {
        const int frequencies = std::clamp(int(job.NrInterHarm), 0, kSignallingFrequencies);
        w.NewLine();
        w.WriteField(Str(kSignalling));
        w.WriteLabeled(Str(kNumberOfIntervals), Count(signalIntervals));
        w.NewLine();
        w.WriteLabeled(WithoutColon(Str(kSignallingFrequencyCount)), std::to_string(frequencies));
        std::vector<std::string> hertz;
        for (int j = 0; j < frequencies; ++j) {
            hertz.push_back(
                std::to_string(int(job.PowSysNomFreq * job.HarmOrder[size_t(j)] * 0.01)));
            w.NewLine();
            w.WriteField(PadLeft(hertz.back(), 4) + " " + Str(kHz));
            w.WriteField(job.HarmText[size_t(j)]);
        }
        w.NewLine();
        w.WriteField(Str(kClassInPercent));
        int column = kSignalColumn;
        for (int j = 0; j < frequencies; ++j) {
            for (int p = 0; p < kPhaseCount; ++p, column += kSignalStep) {
                w.WriteField(hertz[size_t(j)] + " " + Str(kHz) + " " + Str(kPhase) + " " +
                                 std::to_string(p + 1),
                             col(column), width(kSignalTitleWidth));
            }
        }
        for (int line = 0; line < kSignalLines; ++line) {
            w.NewLine();
            w.WriteField(SignalClassLabel(line, w.DecimalSeparator()), -1, width(kClassWidth));
            column = kSignalColumn + kSignalTitleWidth - kSignalCountWidth;
            for (size_t j = 0; j < size_t(frequencies); ++j) {
                for (size_t p = 0; p < kPhaseCount; ++p, column += kSignalStep) {
                    unsigned long long n = 0;
                    if (line == 0) {
                        unsigned long long classified = 0;
                        for (unsigned long long c : signal[p][j])
                            classified += c;
                        // Broken counts never show as a huge number.
                        n = signalIntervals > classified ? signalIntervals - classified : 0;
                    } else {
                        n = signal[p][j][size_t(line - 1)];
                    }
                    w.WriteField(Count(n), col(column), width(kSignalCountWidth));
                }
            }
            ++result.rows;
        }
    }
    w.NewLine();
    result.written = file.Finish(w.Text());
    return result;
}

}  // namespace varelo
