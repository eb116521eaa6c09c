#include "export/VseExport.h"

#include <cmath>
#include <limits>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "export/ExportSource.h"
#include "export/NumberText.h"
#include "job/JobTexts.h"
#include "measurement/MeasurementChannel.h"

namespace varelo {

const std::array<int, 8> kVseLocationTexts = {1400, 1399, 1382, 1385, 1387, 1383, 1384, 1386};
const std::array<int, 13> kVseTransformerTexts = {1415, 1405, 1407, 1410, 1411, 1414, 1416,
                                                  1404, 1406, 1408, 1409, 1412, 1413};

namespace {

constexpr int kThd = 22;
constexpr int kFirstHarmonic = 301;
constexpr int kLastHarmonic = 350;
constexpr int kFirstInterharmonic = 401;
constexpr int kLastInterharmonic = 405;
constexpr int kDaily = 1426;  // then "Monday" ... "Sunday"
constexpr const char* kEnd = "\r\n";

int InRange(int value, int first, int last) {
    return value >= first && value <= last ? value : 0;
}

int Weekday(const CTimeStamp& t) {
    return t.weekday ? t.weekday : t.ComputeWeekday();
}

std::string Number(long long value, size_t width) {
    return PadLeft(std::to_string(value), width);
}

int NominalFrequency(const ExportSource& source) {
    return source.data.job.PowSysNomFreq == 60 ? 60 : 50;
}

double InterharmonicHz(const ExportSource& source, int quantity) {
    return source.data.job.HarmOrder[size_t(quantity - kFirstInterharmonic)] * 0.01 *
           NominalFrequency(source);
}

std::string FrequencyLabel(int quantity, const ExportSource& source) {
    if (quantity == kThd) return " THD";
    if (quantity <= kLastHarmonic) return Number(NominalFrequency(source) * (quantity - 300), 4);
    return Number(static_cast<long long>(InterharmonicHz(source, quantity)), 4);
}

std::string MaximumText(const VseMaximum& m, const ExportSource& source) {
    return FormatValue(m.value, source.Decimals(m.channelId));
}

// The protocol's name of a channel's frequency.
std::string FrequencyText(int quantity, const ExportSource& source) {
    if (quantity == kThd) return "THD";
    if (quantity <= kLastHarmonic) return Str(333) + std::to_string(quantity - 300);
    const size_t k = size_t(quantity - kFirstInterharmonic);
    const CMeasurementJob& job = source.data.job;
    std::string text =
        job.HarmFreqSync[k] == 1
            ? job_text::Fixed(job.HarmOrder[k] * 0.01, 2) + " \xC2\xB7 fo"
            : std::to_string(static_cast<long long>(InterharmonicHz(source, quantity))) + " Hz";
    static const char* const kPrinciples[] = {"", " min", " max", " 3s"};
    const int principle = job.HarmMeasPrinciple[k];
    return text + (principle >= 0 && principle < 4 ? kPrinciples[principle] : "");
}

std::string WeekdayDateTime(const CTimeStamp& t) {
    const int wd = Weekday(t);
    return (wd ? Str(kDaily + wd) + ", " : std::string()) + t.DisplayText();
}

}  // namespace

VseSettings LoadVseSettings(Settings& settings) {
    VseSettings vse;
    const int ew = settings.ReadInt(setting::VseEwNumber);
    vse.ewNumber = ew >= 0 && unsigned(ew) <= VseSettings::kMaxEwNumber ? unsigned(ew) : 0;
    vse.location = InRange(settings.ReadInt(setting::VseMeasurementPoint), 0, 7);
    vse.transformer = InRange(settings.ReadInt(setting::VseTransformer), 0, 12);
    const int protocol = settings.ReadInt(setting::VseProtocol);
    vse.protocol = protocol != 0;  // out of range reads as 1
    const int save = settings.ReadInt(setting::VseSave);
    vse.save = save != 0;
    return vse;
}

void StoreVseSettings(Settings& settings, const VseSettings& vse) {
    settings.Write(setting::VseSave, vse.save ? 1 : 0);
    if (!vse.save) return;
    settings.Write(setting::VseProtocol, vse.protocol ? 1 : 0);
    settings.Write(setting::VseEwNumber, int(vse.ewNumber));
    settings.Write(setting::VseMeasurementPoint, vse.location);
    settings.Write(setting::VseTransformer, vse.transformer);
}

bool IsVseQuantity(int quantity) {
    return quantity == kThd || (quantity >= kFirstHarmonic && quantity <= kLastHarmonic) ||
           (quantity >= kFirstInterharmonic && quantity <= kLastInterharmonic);
}

std::vector<VseMaximum> ScanVseMaxima(const ExportSource& source,
                                      const std::vector<int>& channels) {
    std::vector<VseMaximum> maxima;
    std::vector<CMeasurementChannel> setups;
    for (int id : channels) {
        CMeasurementChannel channel;
        if (!IsVseQuantity(id % 1000) || id / 1000 < 1 || id / 1000 > 3 ||
            !channel.SetupChannel(id))
            continue;
        channel.plt = source.plt;
        setups.push_back(channel);
        maxima.push_back({id, std::numeric_limits<double>::lowest(), {}, false});
    }
    const CIntervalList& intervals = source.data.intervals;
    for (const CIntervalRecord& record : intervals) {
        for (size_t c = 0; c < setups.size(); ++c) {
            const double value =
                setups[c].ChannelValue(record, intervals.Scaling(), source.quantities);
            VseMaximum& m = maxima[c];
            // Strictly greater: on equal values the earliest interval stays.
            if (value > m.value) {
                m.value = value;
                m.time = record.DateTime;
                m.found = true;
            }
        }
    }
    return maxima;
}

std::string VseChannelLine(const VseMaximum& m, const ExportSource& source) {
    const CTimeStamp& t = m.time;
    return FrequencyLabel(m.channelId % 1000, source) + ' ' +
           PadLeft(MaximumText(m, source), 3, '0') + Number(t.year, 5) + Number(t.month, 3) +
           Number(t.day, 3) + Number(t.hour, 3) + Number(t.minute, 3) + Number(Weekday(t), 3) +
           " L" + std::to_string(m.channelId / 1000);
}

std::string VseFileText(const VseSettings& vse, const std::vector<VseMaximum>& maxima,
                        const ExportSource& source) {
    std::string text = Number(vse.ewNumber, 4) + kEnd + Number(vse.location, 4) + kEnd +
                       Number(vse.transformer + 1, 4) + kEnd;
    for (int i = 0; i < 6; ++i)
        text += kEnd;
    for (const VseMaximum& m : maxima)
        if (m.found) text += VseChannelLine(m, source) + kEnd;
    return text;
}

ExportResult ExportVse(const ExportSource& source, const VseRequest& request, int codePage,
                       UserInterface& ui, std::vector<VseMaximum>& maxima) {
    WaitCursor wait(ui);
    maxima = ScanVseMaxima(source, request.channels);
    ExportFile file(request.path, codePage, ui);
    if (!file.Open() || !file.Write(VseFileText(request.settings, maxima, source)) ||
        !file.Finish())
        return {};
    ExportResult result;
    result.written = true;
    for (const VseMaximum& m : maxima)
        result.rows += m.found ? 1 : 0;
    result.channels = maxima.size();
    return result;
}

VseProtocol BuildVseProtocol(const ExportSource& source, const std::string& measurementPath,
                             const VseRequest& request, const std::vector<VseMaximum>& maxima) {
    const CMeasurementJob& job = source.data.job;
    VseProtocol p;
    auto line = [&p](std::string label, std::string value) {
        p.lines.push_back({std::move(label), std::move(value)});
    };
    line(Str(1123), measurementPath);
    line(Str(1392), request.path);
    line("", "");
    line(Str(1396),
         WeekdayDateTime(job.MeasStartMeasured) + " - " + WeekdayDateTime(job.MeasStopMeasured));
    line(Str(1398), job_text::Fixed(job.NomVoltRawVal * 0.01, 2) + " V");
    line(Str(1403), job.VoltTransformer == 1
                        ? job_text::Fixed(job.VoltPrimaryRawVal * 0.01, 2) + " V/ " +
                              job_text::Fixed(job.VoltSecondaryRawVal * 0.01, 2) + " V"
                        : "-");
    line(Str(1388), "200 ms");
    line(Str(1394), job_text::IntervalLength(job.Interval));
    line("", "");
    for (size_t i = 0; i < job.JobTitle.size(); ++i)
        line(job.JobTitle[i], job.JobText[i]);
    line("", "");
    const VseSettings& vse = request.settings;
    line(Str(1391), std::to_string(vse.ewNumber));
    line(Str(1397), Str(kVseLocationTexts[size_t(InRange(vse.location, 0, 7))]));
    line(Str(1417), Str(kVseTransformerTexts[size_t(InRange(vse.transformer, 0, 12))]));
    line("", "");
    p.head = {Str(1401), Str(1393), Str(1418), Str(1390), Str(1419)};
    for (const VseMaximum& m : maxima) {
        if (!m.found) continue;
        const int wd = Weekday(m.time);
        p.rows.push_back(
            {"L" + std::to_string(m.channelId / 1000), FrequencyText(m.channelId % 1000, source),
             MaximumText(m, source),
             (wd ? Str(kDaily + wd).substr(0, 2) + ", " : std::string()) + m.time.DisplayDate(),
             m.time.DisplayTime()});
    }
    return p;
}

}  // namespace varelo
