#include "app/GeneralSettings.h"

#include <iterator>

#include "app/AppOptions.h"
#include "app/HarmonicReferenceKeys.h"
#include "app/PortNaming.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"

namespace varelo {

namespace {

// The reference of the last checked button, as start-up reads the keys; unset when none is.
template <size_t N>
int CheckedReference(const bool (&checked)[N], const HarmonicReferenceKey (&keys)[N]) {
    int reference = kHarmonicsUnset;
    for (size_t i = 0; i < N; ++i) {
        if (checked[i]) reference = keys[i].reference;
    }
    return reference;
}

int Flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

bool FlickerThdEditable(const AppOptions& options, bool measurementOpen) {
    return options.Configure() && !measurementOpen;
}

GeneralSettingsForm LoadGeneralSettings(Settings& settings, const AppOptions& options) {
    GeneralSettingsForm form;
    form.printHeader = settings.ReadString(setting::PrintHeader).substr(0, 50);
    form.limitFile = settings.ReadString(setting::LimitFile);
    form.aoaFile = settings.ReadString(setting::AoaFileName);
    const int port = settings.ReadInt(setting::ComPort);
    form.comPortIndex = port >= 1 && port <= 9 ? port - 1 : -1;
    form.baudRate = settings.ReadString(setting::BaudRate);
    form.thdUpTo50 = options.ThdOrder() != 40;
    form.phasesAbc = options.PhaseLabeling() == PhaseLabels::ABC;
    for (size_t i = 0; i < std::size(kVoltageHarmonicKeys); ++i)
        form.voltage[i] = settings.ReadInt(*kVoltageHarmonicKeys[i].key) != 0;
    for (size_t i = 0; i < std::size(kCurrentHarmonicKeys); ++i)
        form.current[i] = settings.ReadInt(*kCurrentHarmonicKeys[i].key) != 0;
    form.showSplash = settings.ReadInt(setting::IsSplashScreenDisabled) == 0;
    form.showStartMenu = settings.ReadInt(setting::IsStartupScreenDisabled) == 0;
    form.autoTimeSync = settings.ReadInt(setting::AutoTimeSync) != 0;
    form.showEn50160Warning = !options.En50160WarningHidden();
    form.showFlicker = !options.FlickerHidden();
    form.showThd = !options.ThdHidden();
    return form;
}

std::vector<SettingWrite> GeneralSettingsWrites(const GeneralSettingsForm& form,
                                                bool flickerThdEditable) {
    std::vector<SettingWrite> writes;
    auto number = [&](const SettingKey& key, int value, int step) {
        writes.push_back({&key, value, {}, step});
    };
    auto text = [&](const SettingKey& key, const std::string& value, int step) {
        writes.push_back({&key, 0, value, step});
    };
    text(setting::LimitFile, form.limitFile, 1);
    text(setting::PrintHeader, form.printHeader.substr(0, 50), 1);
    text(setting::AoaFileName, form.aoaFile, 1);
    number(setting::ComPort, form.comPortIndex < 0 ? 1 : form.comPortIndex + 1, 2);
    text(setting::BaudRate, form.baudRate, 2);
    number(setting::AutoTimeSync, Flag(form.autoTimeSync), 2);
    for (size_t i = 0; i < std::size(kVoltageHarmonicKeys); ++i)
        number(*kVoltageHarmonicKeys[i].key, Flag(form.voltage[i]), 4);
    for (size_t i = 0; i < std::size(kCurrentHarmonicKeys); ++i)
        number(*kCurrentHarmonicKeys[i].key, Flag(form.current[i]), 4);
    number(setting::SelectionOfHarmonicsForTHD, form.thdUpTo50 ? 50 : 40, 5);
    number(setting::PhaseLabeling, Flag(form.phasesAbc), 6);
    number(setting::IsSplashScreenDisabled, Flag(!form.showSplash), 7);
    number(setting::IsStartupScreenDisabled, Flag(!form.showStartMenu), 7);
    number(setting::IsEN50160Disabled, Flag(!form.showEn50160Warning), 7);
    if (flickerThdEditable) {
        number(setting::IsFlickerDisabled, Flag(!form.showFlicker), 8);
        number(setting::IsThdDisabled, Flag(!form.showThd), 8);
    }
    return writes;
}

void ApplyGeneralSettings(const GeneralSettingsForm& form, Settings& settings, AppOptions& options,
                          UserInterface& ui, bool measurementOpen,
                          const GeneralSettingsHooks& hooks) {
    const int voltageBefore = options.VoltageHarmonicReference();
    const int currentBefore = options.CurrentHarmonicReference();
    const bool editable = FlickerThdEditable(options, measurementOpen);
    const auto writes = GeneralSettingsWrites(form, editable);
    auto write = [&](int step) {
        for (const auto& w : writes) {
            if (w.step != step) continue;
            if (w.key->isString)
                settings.Write(*w.key, w.text);
            else
                settings.Write(*w.key, w.number);
        }
    };
    write(1);
    write(2);
    if (hooks.switchPort)
        hooks.switchPort(PortLabel(settings.ReadInt(setting::ComPort)),
                         settings.ReadString(setting::BaudRate));
    write(4);
    const int voltage = CheckedReference(form.voltage, kVoltageHarmonicKeys);
    const int current = CheckedReference(form.current, kCurrentHarmonicKeys);
    if (voltage != kHarmonicsUnset) options.SetVoltageHarmonicReference(voltage);
    if (current != kHarmonicsUnset) options.SetCurrentHarmonicReference(current);
    write(5);
    options.SetThdOrder(settings.ReadInt(setting::SelectionOfHarmonicsForTHD));
    write(6);
    options.SetPhaseLabeling(form.phasesAbc ? PhaseLabels::ABC : PhaseLabels::L123);
    write(7);
    options.SetEn50160WarningHidden(!form.showEn50160Warning);
    if (editable) {
        write(8);
        options.SetFlickerHidden(!form.showFlicker);
        options.SetThdHidden(!form.showThd);
    }
    const bool changed = options.VoltageHarmonicReference() != voltageBefore ||
                         options.CurrentHarmonicReference() != currentBefore;
    if (!changed) return;
    ui.SetStatusText(Str(281));
    {
        WaitCursor wait(ui);
        if (hooks.recalculate) hooks.recalculate();
    }
    ui.SetStatusText(Str(57345));
}

}  // namespace varelo
