#pragma once

#include <functional>

namespace varelo {

// Reference of harmonic values in views and exports.
enum HarmonicReference : int {
    kHarmonicsUnset = 0,
    kHarmonicsInFundamental = 1,
    kHarmonicsInNominal = 2,
    kHarmonicsInRms = 3,
    kHarmonicsAbsolute = 4,
};

enum class PhaseLabels { L123, ABC };

// Process-wide options, set at start-up and by the general settings dialog.
class AppOptions {
public:
    static AppOptions& Instance();

    int VoltageHarmonicReference() const { return voltageReference_; }
    void SetVoltageHarmonicReference(int reference) { voltageReference_ = reference; }
    // Values other than 1 and 3 count as absolute for currents.
    int CurrentHarmonicReference() const { return currentReference_; }
    void SetCurrentHarmonicReference(int reference) { currentReference_ = reference; }

    int ThdOrder() const { return thdOrder_; }
    // Notifies the observer, which recomputes the THD values of an open measurement.
    void SetThdOrder(int order);
    void SetThdOrderObserver(std::function<void(int)> observer) { thdObserver_ = std::move(observer); }

    PhaseLabels PhaseLabeling() const { return phaseLabels_; }
    void SetPhaseLabeling(PhaseLabels labels) { phaseLabels_ = labels; }

    bool FlickerHidden() const { return flickerHidden_; }
    void SetFlickerHidden(bool hidden) { flickerHidden_ = hidden; }
    bool ThdHidden() const { return thdHidden_; }
    void SetThdHidden(bool hidden) { thdHidden_ = hidden; }
    bool En50160WarningHidden() const { return en50160WarningHidden_; }
    void SetEn50160WarningHidden(bool hidden) { en50160WarningHidden_ = hidden; }

    bool Configure() const { return configure_; }
    void SetConfigure(bool on) { configure_ = on; }

    // Back to the initial values of a new process.
    void Reset() { *this = AppOptions(); }

private:
    int voltageReference_ = kHarmonicsUnset;
    int currentReference_ = kHarmonicsUnset;
    int thdOrder_ = 50;
    PhaseLabels phaseLabels_ = PhaseLabels::L123;
    bool flickerHidden_ = false;
    bool thdHidden_ = false;
    bool en50160WarningHidden_ = false;
    bool configure_ = false;
    std::function<void(int)> thdObserver_;
};

}  // namespace varelo
