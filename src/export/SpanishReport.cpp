#include "export/SpanishReport.h"

#include <algorithm>
#include <vector>

#include "app/UserInterface.h"
#include "export/NumberText.h"
#include "job/JobTexts.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementFile.h"
#include "measurement/QuantityValues.h"
#include "platform/CodePage.h"

namespace varelo {

namespace {

constexpr char kEnd = '\r';
constexpr int kPowerFactor = 84;
constexpr int kVoltageUnbalance = 111;
constexpr int kCurrentUnbalance = 112;
constexpr size_t kSerialLength = 20;

const char* const kColumnHeads[] = {"Fecha",
                                    "Hora",
                                    "UR (V)",
                                    "US (V)",
                                    "UT (V)",
                                    "(KWh) R",
                                    "(KWh) S",
                                    "(KWh) T",
                                    "TDTR (%)",
                                    "TDTS (%)",
                                    "TDTT (%)",
                                    "PstR",
                                    "PstS",
                                    "PstT",
                                    "FPR (%)",
                                    "FPS (%)",
                                    "FPT (%)",
                                    "Asimetría I2/I1",
                                    "Asimetría V2/V1",
                                    "IR (A)",
                                    "IS (A)",
                                    "IT (A)",
                                    "THDIR (%)",
                                    "THDIS (%)",
                                    "THDIT (%)"};

std::string Doubled(std::string_view text) {
    std::string out;
    for (char c : text) {
        out.push_back(c);
        if (c == '"') out.push_back('"');
    }
    return out;
}

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string Two(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

std::string DateText(const CTimeStamp& t) {
    return std::to_string(t.year) + "/" + Two(t.month) + "/" + Two(t.day);
}

std::string TimeText(const CTimeStamp& t) {
    return Two(t.hour) + ":" + Two(t.minute) + ":" + Two(t.second);
}

std::string Whole(double value) {
    return FormatFixed(value, 0);
}

void Record(std::string& out, std::string_view label, std::string_view value) {
    out += '"';
    out += label;
    out += ' ';
    out += Doubled(value);
    out += '"';
}

void Empty(std::string& out, int count) {
    out.append(size_t(count), kEnd);
}

void Header(std::string& out, const MeasurementData& data) {
    const CMeasurementJob& job = data.job;
    Record(out, "Marca del equipo:", kSpanishReportBrand);
    out += kEnd;
    Record(out, "Modelo:", DeviceDesignation(data.logger));
    out += kEnd;
    Record(out, "Numero Serial:", Trimmed(Utf8Prefix(data.logger.SerialNr, kSerialLength)));
    out += kEnd;
    Record(out, "Clase de Registrador:", "Power Quality Recorder");
    out += kEnd;
    Empty(out, 2);
    Record(out, "Nombre de la Empresa Distribuidora:", job.JobText[0]);
    out += kEnd;
    Record(out, "Dirección del Punto de Medición:", job.JobText[4]);
    out += kEnd;
    Record(out, "Numero de cuenta:", job.JobText[5]);
    out += kEnd;
    Record(out, "Municipio:", job.JobText[1]);
    out += kEnd;
    Empty(out, 2);
    Record(out, "Período de medición:", SpanishIntervalText(job.Interval));
    out += kEnd;
    Record(out, "Tensión nominal:", Whole(job.NomVoltRawVal * 0.01) + " V");
    out += kEnd;
    // The transformer ratios stand in one column after the voltage and the current.
    const std::string range = Whole(job_text::InputRangeVolts(job));
    const std::string current = Whole(job.PhCurrClampRawVal * 0.01);
    const size_t a = range.size() + 13;
    const size_t b = current.size() + 15;
    const size_t k = std::max(a, b);
    Record(out, "Tensión:", range + " V");
    out.append(k - a + 1, ' ');
    Record(out,
           "Relación TP:", Whole(TransformerRatio(job.VoltPrimaryRawVal, job.VoltSecondaryRawVal)));
    out += kEnd;
    Record(out, "Corriente:", current + " A");
    out.append(k - b + 1, ' ');
    Record(out, "Relación TC:",
           Whole(TransformerRatio(job.PhCurrPrimaryRawVal, job.PhCurrSecondaryRawVal)));
    out += kEnd;
    const bool delta =
        job.VoltPowSysType == kPowSysDelta || job.VoltPowSysType == kPowSysTwoElementDelta;
    Record(out, "Configuración:", delta ? "Delta" : "Y Aterrado");
    out += kEnd;
    Empty(out, 2);
    out += "\"Fecha y hora de instalación:\" \"" + DateText(job.MeasStartMeasured) + "\" \"" +
           TimeText(job.MeasStartMeasured) + "\"";
    out += kEnd;
    out += "\"Fecha y hora de retiro:\"      \"" + DateText(job.MeasStopMeasured) + "\" \"" +
           TimeText(job.MeasStopMeasured) + "\"";
    out += kEnd;
    Empty(out, 1);
    for (size_t i = 0; i < std::size(kColumnHeads); ++i) {
        if (i) out += '\t';
        out += kColumnHeads[i];
    }
    out += kEnd;
}

void Number(std::string& out, double value) {
    out += '\t';
    out += FormatReportNumber(value);
}

}  // namespace

std::string SpanishIntervalText(int seconds) {
    if (seconds >= 60) {
        const int minutes = seconds / 60;
        return std::to_string(minutes) + (seconds == 60 ? " minuto" : " minutos");
    }
    return std::to_string(seconds) + (seconds == 1 ? " segundo" : " segundos");
}

ExportResult ExportSpanishReport(const MeasurementData& data, const SpanishReportRequest& request,
                                 UserInterface& ui) {
    ExportFile file(request.path, kSpanishReportCodePage, ui);
    if (!file.Open()) return {};
    WaitCursor wait(ui);
    std::string out;
    Header(out, data);

    const CRawScaling& s = data.intervals.Scaling();
    const QuantitySettings settings = QuantitySettings::Current();
    std::array<CMeasurementChannel, kPhaseCount> powerFactor;
    for (int p = 0; p < kPhaseCount; ++p)
        powerFactor[size_t(p)].SetupChannel(ChannelIdOf(p, kPowerFactor));
    CMeasurementChannel voltageUnbalance, currentUnbalance;
    voltageUnbalance.SetupChannel(kVoltageUnbalance);
    currentUnbalance.SetupChannel(kCurrentUnbalance);
    const int interval = data.job.Interval;

    ExportResult result;
    result.channels = std::size(kColumnHeads) - 2;
    for (const CIntervalRecord& r : data.intervals) {
        out += '"' + DateText(r.DateTime) + "\"\t\"" + TimeText(r.DateTime) + '"';
        for (int p = 0; p < kPhaseCount; ++p)
            Number(out, r.Voltage(&CIntervalRecord::VoltAvgPhaseLxRawVal, p, s));
        for (int p = 0; p < kPhaseCount; ++p)
            Number(out, Energy(r.Power(&CIntervalRecord::RealPowAvgPhaseLxRawVal, p, s, false),
                               interval));
        for (int p = 0; p < kPhaseCount; ++p)
            Number(out, r.VoltTHDAvgCalc[size_t(p)]);
        for (int p = 0; p < kPhaseCount; ++p)
            Number(out, r.FlickPstPhaseLxRawVal[size_t(p)] * 0.001);
        for (int p = 0; p < kPhaseCount; ++p)
            Number(out, powerFactor[size_t(p)].ChannelValue(r, s, settings));
        Number(out, currentUnbalance.ChannelValue(r, s, settings));
        Number(out, voltageUnbalance.ChannelValue(r, s, settings));
        for (int p = 0; p < kPhaseCount; ++p)
            Number(out, r.Current(&CIntervalRecord::CurrAvgPhaseLxRawVal, p, s));
        for (int p = 0; p < kPhaseCount; ++p)
            Number(out, r.CurrTHDAvgCalc[size_t(p)]);
        out += kEnd;
        ++result.rows;
        if (!file.Take(out)) break;
    }
    result.written = file.Finish(out);
    return result;
}

}  // namespace varelo
