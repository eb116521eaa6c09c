#include "support/MeasurementJobPrinter.h"

#include <string>

namespace varelo {

namespace {

std::string Text(const CTimeStamp& t) {
    return t.FileText() + " wd" + std::to_string(t.weekday);
}

template <typename T>
void Field(std::ostream& out, const char* key, const T& value) {
    out << "\n  " << key << "=" << value;
}

template <typename T, size_t N>
void Fields(std::ostream& out, const char* key, const std::array<T, N>& values) {
    for (size_t i = 0; i < N; ++i) {
        out << "\n  " << key << "[" << i << "]=";
        if constexpr (std::is_same_v<T, CTimeStamp>) {
            out << Text(values[i]);
        } else {
            out << +values[i];
        }
    }
}

}  // namespace

void PrintTo(const CMeasurementJob& j, std::ostream* out) {
    std::ostream& o = *out;
    o << "CMeasurementJob{";
    Field(o, "NrIntervalMax", j.NrIntervalMax);
    Field(o, "MeasFunc", j.MeasFunc);
    Field(o, "PowSysNomFreq", j.PowSysNomFreq);
    Field(o, "PowSysNomVolt", j.PowSysNomVolt);
    for (size_t i = 0; i < j.JobTitle.size(); ++i) {
        o << "\n  JobTitle[" << i << "]=\"" << j.JobTitle[i] << "\" JobText[" << i << "]=\""
          << j.JobText[i] << "\"";
    }
    Field(o, "JobType", j.JobType);
    Field(o, "ProgStartMeas", Text(j.ProgStartMeas));
    Field(o, "ProgStopMeas", Text(j.ProgStopMeas));
    Field(o, "NrMeasSectionsProg", j.NrMeasSectionsProg);
    Fields(o, "NrMeasSectionsProgStart", j.NrMeasSectionsProgStart);
    Fields(o, "NrMeasSectionsProgEnd", j.NrMeasSectionsProgEnd);
    Field(o, "Interval", j.Interval);
    Field(o, "IntervalMemModel", j.IntervalMemModel);
    Field(o, "InstrHardwNr", j.InstrHardwNr);
    Field(o, "VoltMinMaxValInterval", j.VoltMinMaxValInterval);
    Field(o, "VoltPowSysType", j.VoltPowSysType);
    Field(o, "NomVoltRawVal", j.NomVoltRawVal);
    Field(o, "VoltInputRangeCode", j.VoltInputRangeCode);
    Field(o, "VoltTransformer", j.VoltTransformer);
    Field(o, "VoltPrimaryRawVal", j.VoltPrimaryRawVal);
    Field(o, "VoltSecondaryRawVal", j.VoltSecondaryRawVal);
    Field(o, "NrInterHarm", j.NrInterHarm);
    Fields(o, "HarmOrder", j.HarmOrder);
    for (size_t i = 0; i < j.HarmText.size(); ++i)
        o << "\n  HarmText[" << i << "]=\"" << j.HarmText[i] << "\"";
    Fields(o, "HarmFreqSync", j.HarmFreqSync);
    Fields(o, "HarmMeasPrinciple", j.HarmMeasPrinciple);
    Field(o, "VoltUpperThreshShort", j.VoltUpperThreshShort);
    Field(o, "VoltLowerThreshShort", j.VoltLowerThreshShort);
    Field(o, "FactorVoltUpperLowerThresh", j.FactorVoltUpperLowerThresh);
    Field(o, "EventMemModel", j.EventMemModel);
    Field(o, "CurrPowSys", j.CurrPowSys);
    Field(o, "PhMaxValInterval", j.PhMaxValInterval);
    Field(o, "PhCurrClampRawVal", j.PhCurrClampRawVal);
    Field(o, "PhCurrTransformer", j.PhCurrTransformer);
    Field(o, "PhCurrPrimaryRawVal", j.PhCurrPrimaryRawVal);
    Field(o, "PhCurrSecondaryRawVal", j.PhCurrSecondaryRawVal);
    Field(o, "NeutralMeas", j.NeutralMeas);
    Field(o, "NeutralMaxValInterval", j.NeutralMaxValInterval);
    Field(o, "NeutralClampCurrRawVal", j.NeutralClampCurrRawVal);
    Field(o, "NeutralCurrTransformer", j.NeutralCurrTransformer);
    Field(o, "NeutralCurrPrimaryRawVal", j.NeutralCurrPrimaryRawVal);
    Field(o, "NeutralCurrSecondaryRawVal", j.NeutralCurrSecondaryRawVal);
    Field(o, "IntervalMem", j.IntervalMem);
    Field(o, "NrInterval", j.NrInterval);
    Field(o, "StatMem", j.StatMem);
    Field(o, "NrStat", j.NrStat);
    Field(o, "EventMem", j.EventMem);
    Field(o, "EventReady", j.EventReady);
    Field(o, "EventOpen", j.EventOpen);
    Field(o, "MeasStartMeasured", Text(j.MeasStartMeasured));
    Field(o, "MeasStopMeasured", Text(j.MeasStopMeasured));
    Field(o, "SpecialTransformerPhase", j.SpecialTransformerPhase);
    Field(o, "PhaseCorrRawVal", j.PhaseCorrRawVal);
    Field(o, "THDVoltMaxValInterval", j.THDVoltMaxValInterval);
    Field(o, "THDPhaseMaxValInterval", j.THDPhaseMaxValInterval);
    Field(o, "THDNeutralMaxValInterval", j.THDNeutralMaxValInterval);
    Field(o, "PowMinMaxValInterval", j.PowMinMaxValInterval);
    Field(o, "EventHysteresis", j.EventHysteresis);
    Field(o, "ClampId", +j.ClampId);
    Field(o, "MaxClampCurr", j.MaxClampCurr);
    Fields(o, "ClampSerNr", j.ClampSerNr);
    o << "\n}";
}

}  // namespace varelo
