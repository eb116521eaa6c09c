#pragma once

#include <string>

#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

// The items of the Logger and job sections in their order in the file. One list serves the
// reader (ItemBlockReader) and the writer (ItemBlockWriter), so the two cannot disagree.
// Writers always use the newest version; older versions carry a few more job items.

inline constexpr int kFileVersion100 = 100;
inline constexpr int kFileVersion101 = 101;
inline constexpr int kFileVersion102 = 102;

template <class Visitor, class Info>
void VisitLoggerInfoItems(Visitor& v, Info& info) {
    v.Text("HardwType", info.HardwType);
    v.Text("SerialNr", info.SerialNr);
    v.Text("HardwBasicUnit", info.HardwBasicUnit);
    v.Integer("HardwSupplyVoltage", info.HardwSupplyVoltage);
    v.Integer("HardwNomFreq", info.HardwNomFreq);
    v.Integer("HardwVoltRange", info.HardwVoltRange);
    v.Integer("HardwCurrRange", info.HardwCurrRange);
    v.Text("VersionBoot", info.VersionBoot);
    v.Text("FuncBoot", info.FuncBoot);
    v.Text("Calibration", info.Calibration);
    v.Integer("ClampId", info.ClampId);
    v.Integer("MaxClampCurr", info.MaxClampCurr);
    v.Bytes("ClampSerNr", info.ClampSerNr);
    v.Text("MeasFunc", info.MeasFunc);
    v.Text("VersionCPU", info.VersionCPU);
    v.Text("FuncCPU", info.FuncCPU);
    v.Text("VersionDSP", info.VersionDSP);
    v.Text("FuncDSP", info.FuncDSP);
    v.Time("InstrTime", info.InstrTime);
    v.Text("FirmwDescription", info.FirmwDescription);
    v.Char("OperatingState", info.OperatingState);
    v.Char("OnlineState", info.OnlineState);
    v.Integer("EventReady", info.currentJob.completeEvents);
    v.Integer("EventOpen", info.currentJob.incompleteEvents);
}

// phNrCurrTransducer: written as 1 for 2-Element Delta, else 0; read into the variable for
// the caller's version rule.
template <class Visitor, class Job>
void VisitJobItems(Visitor& v, Job& job, int version, int& phNrCurrTransducer) {
    const bool older = version < kFileVersion102;
    v.Integer("MeasFunc", job.MeasFunc);
    for (int n = 0; n < kJobLineCount; ++n) {
        v.Text("JobTitle" + std::to_string(n + 1), job.JobTitle[size_t(n)]);
        v.Text("JobText" + std::to_string(n + 1), job.JobText[size_t(n)]);
    }
    v.Integer("PowSysNomFreq", job.PowSysNomFreq);
    v.Integer("PowSysNomVolt", job.PowSysNomVolt);
    v.Integer("InstrHardwNr", job.InstrHardwNr);
    v.Integer("JobType", job.JobType);
    v.Time("ProgStartMeas", job.ProgStartMeas);
    v.Time("ProgStopMeas", job.ProgStopMeas);
    v.Integer("NrMeasSectionsProg", job.NrMeasSectionsProg);
    for (int n = 0; n < kMeasSectionCount; ++n) {
        v.SegmentTime("NrMeasSectionsProgStart" + std::to_string(n),
                      job.NrMeasSectionsProgStart[size_t(n)]);
        v.SegmentTime("NrMeasSectionsProgEnd" + std::to_string(n),
                      job.NrMeasSectionsProgEnd[size_t(n)]);
    }
    v.Integer("Interval", job.Interval);
    v.Integer("IntervalMemModel", job.IntervalMemModel);
    v.Integer("NrInterHarm", job.NrInterHarm);
    for (int j = 0; j < kInterharmonicCount; ++j) {
        std::string n = std::to_string(j);
        v.Integer("HarmOrder" + n, job.HarmOrder[size_t(j)]);
        v.Text("HarmText" + n, job.HarmText[size_t(j)]);
        v.Integer("HarmFreqSync" + n, job.HarmFreqSync[size_t(j)]);
        v.Integer("HarmMeasPrinciple" + n, job.HarmMeasPrinciple[size_t(j)]);
    }
    v.Integer("VoltPowSysType", job.VoltPowSysType);
    v.Integer("VoltInputRangeCode", job.VoltInputRangeCode);
    v.Integer("VoltMinMaxValInterval", job.VoltMinMaxValInterval);
    v.Integer("THDVoltMaxValInterval", job.THDVoltMaxValInterval);
    v.Integer("NomVoltRawVal", job.NomVoltRawVal);
    v.Integer("VoltTransformer", job.VoltTransformer);
    v.Integer("VoltPrimaryRawVal", job.VoltPrimaryRawVal);
    v.Integer("VoltSecondaryRawVal", job.VoltSecondaryRawVal);
    v.Real("VoltUpperThreshShort", job.VoltUpperThreshShort);
    v.Real("VoltLowerThreshShort", job.VoltLowerThreshShort);
    v.Integer("EventMemModel", job.EventMemModel);
    v.Integer("CurrPowSys", job.CurrPowSys);
    if (older) v.Discard();
    v.Integer("PhMaxValInterval", job.PhMaxValInterval);
    v.Integer("THDPhaseMaxValInterval", job.THDPhaseMaxValInterval);
    if (older) v.Discard();
    v.Integer("PhNrCurrTransducer", phNrCurrTransducer);
    v.Integer("PhCurrClampRawVal", job.PhCurrClampRawVal);
    v.Integer("PhCurrTransformer", job.PhCurrTransformer);
    v.Integer("PhCurrPrimaryRawVal", job.PhCurrPrimaryRawVal);
    v.Integer("PhCurrSecondaryRawVal", job.PhCurrSecondaryRawVal);
    v.Integer("SpecialTransformerPhase", job.SpecialTransformerPhase);
    v.Integer("PhaseCorrRawVal", job.PhaseCorrRawVal);
    v.Integer("NeutralMeas", job.NeutralMeas);
    v.Integer("NeutralMaxValInterval", job.NeutralMaxValInterval);
    v.Integer("THDNeutralMaxValInterval", job.THDNeutralMaxValInterval);
    v.Integer("NeutralClampCurrRawVal", job.NeutralClampCurrRawVal);
    v.Integer("NeutralCurrTransformer", job.NeutralCurrTransformer);
    v.Integer("NeutralCurrPrimaryRawVal", job.NeutralCurrPrimaryRawVal);
    v.Integer("NeutralCurrSecondaryRawVal", job.NeutralCurrSecondaryRawVal);
    if (older) v.Discard();
    v.Integer("PowMinMaxValInterval", job.PowMinMaxValInterval);
    v.Integer("ClampId", job.ClampId);
    v.Integer("MaxClampCurr", job.MaxClampCurr);
    v.Bytes("ClampSerNr", job.ClampSerNr);
    v.Integer("NrIntervalMax", job.NrIntervalMax);
    v.Time("MeasStartMeasured", job.MeasStartMeasured);
    v.Time("MeasStopMeasured", job.MeasStopMeasured);
    v.Integer("IntervalMem", job.IntervalMem);
    v.Integer("NrInterval", job.NrInterval);
    v.Integer("EventMem", job.EventMem);
    v.Integer("EventReady", job.EventReady);
    v.Integer("EventOpen", job.EventOpen);
    v.Integer("StatMem", job.StatMem);
    v.Integer("NrStat", job.NrStat);
    v.Integer("FactorVoltUpperLowerThresh", job.FactorVoltUpperLowerThresh);
    if (version >= kFileVersion101) v.Real("EventHysteresis", job.EventHysteresis);
}

}  // namespace varelo
