#include "evaluation/LimitValueFile.h"

#include <algorithm>
#include <filesystem>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "evaluation/LimitValues.h"
#include "measurement/ItemBlock.h"
#include "measurement/MeasurementFileFormat.h"
#include "measurement/MeasurementFileReader.h"
#include "measurement/MeasurementFileWriter.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace varelo {

namespace {

// The values of the limit block in their file order, for the reader and the writer alike.
template <class Visitor, class Limits>
void VisitLimitItems(Visitor& v, Limits& l) {
    v.Text("Text", l.Text);
    v.Integer("PowSysNomFreq", l.PowSysNomFreq);
    v.Integer("PowSysNomVolt", l.PowSysNomVolt);
    v.Integer("InterruptionLimit", l.InterruptionLimit);
    v.Integer("NrEvents", l.NrEvents);
    v.Real("NminusTol95", l.NminusTol95);
    v.Real("NplusTol95", l.NplusTol95);
    v.Real("NminusTol100", l.NminusTol100);
    v.Real("NplusTol100", l.NplusTol100);
    v.Integer("FminusTol95", l.FminusTol95);
    v.Integer("FplusTol95", l.FplusTol95);
    v.Integer("FminusTol100", l.FminusTol100);
    v.Integer("FplusTol100", l.FplusTol100);
    v.Real("FlickPst", l.FlickPst);
    v.Real("FlickPlt", l.FlickPlt);
    v.Real("VoltUnbal", l.VoltUnbal);
    v.Integer("Histogram", l.Histogram);
    v.Integer("MeasInterval", l.MeasInterval);
    v.Integer("FreqInterval", l.FreqInterval);
    v.Integer("SignalInterval", l.SignalInterval);
    v.Real("THD", l.THD);
    for (size_t k = 0; k < CLimitValues::kBins; ++k)
        v.Real("Harm" + std::to_string(k), l.Harm[k]);
    for (size_t k = 0; k < CLimitValues::kBins; ++k)
        v.Real("SignallingVolt" + std::to_string(k), l.SignallingVolt[k]);
    v.Real("CurrTHD", l.CurrTHD);
    for (size_t n = 0; n < CLimitValues::kOrders; ++n)
        v.Real("CurrHarm" + std::to_string(n + 1), l.CurrHarm[n]);
    v.Real("RatedCurrent", l.RatedCurrent);
    v.Real("RatedPower", l.RatedPower);
    v.Real("ShortCircuitPower", l.ShortCircuitPower);
    for (size_t n = 0; n < CLimitValues::kOrders; ++n)
        v.Real("ParameterN" + std::to_string(n + 1), l.ParameterN[n]);
}

}  // namespace

bool ReadLimitFile(const std::string& path, CLimitValues& target) {
    CMeasurementFileReader reader;
    if (!reader.Open(path)) return false;
    CLimitValues limits;
    std::string block;
    if (reader.ReadItemBlock(file_format::kLimitValues, block)) {  // no block: cleared limits
        ItemBlockReader items(block, reader.CodePage());
        VisitLimitItems(items, limits);
    }
    target = limits;
    return true;
}

bool WriteLimitFile(const std::string& path, const CLimitValues& limits, OsError* error) {
    CLimitValues written = limits;
    // Not std::max: it keeps a negated 0, which "%g" writes as "-0".
    for (float& limit : written.Harm)
        limit = limit > 0 ? limit : 0.0f;
    for (float& limit : written.CurrHarm)
        limit = limit > 0 ? limit : 0.0f;
    ItemBlockWriter items(file_format::kLimitValues);
    VisitLimitItems(items, written);
    CMeasurementFileWriter writer(path);
    bool ok = writer.Create();
    if (ok) {
        writer.OpenElement(file_format::kLimitValues);
        writer.WriteRaw(items.Result());
        writer.CloseElement(file_format::kLimitValues);
        ok = writer.Close();
    }
    if (!ok && error) *error = writer.Error();
    return ok;
}

bool IsValidLimitFile(const std::string& path) {
    return CheckFile(path);
}

bool LoadCurrentLimits(Settings& settings, UserInterface& ui, CLimitValues& target) {
    return LoadLimitFile(settings.ReadString(setting::LimitFile), ui, target);
}

bool LoadLimitFile(const std::string& path, UserInterface& ui, CLimitValues& target) {
    if (!FileIsReadable(path)) {
        ui.ShowMessage(168, Msg(168, {path}), MessageIcon::Stop);
        return false;
    }
    if (!ReadLimitFile(path, target)) {
        ui.ShowMessage(167, Msg(167, {path}), MessageIcon::Stop);
        return false;
    }
    return true;
}

bool IsStandardLimitFile(Settings& settings) {
    return IsStandardLimitFilePath(settings.ReadString(setting::LimitFile));
}

bool IsStandardLimitFilePath(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    return EqualsNoCase(name, "En50160-50Hz.gwd") || EqualsNoCase(name, "En50160-60Hz.gwd");
}

}  // namespace varelo
