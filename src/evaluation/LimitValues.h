#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace varelo {

// One complete set of limits a measurement is evaluated against. A limit of 0 or less means
// that the quantity is not evaluated. Frequency-bin arrays hold one entry per 5-Hz bin from
// 5 Hz to 3000 Hz: entry k belongs to (k + 1) x 5 Hz.
class CLimitValues {
public:
    static constexpr size_t kBins = 600;
    static constexpr size_t kOrders = 50;

    int16_t PowSysNomFreq = 50;
    int16_t PowSysNomVolt = 1;
    int16_t InterruptionLimit = 1;
    int16_t NrEvents = 0;
    float NminusTol95 = 0;
    float NplusTol95 = 0;
    float NminusTol100 = 0;
    float NplusTol100 = 0;
    int16_t FminusTol95 = 0;
    int16_t FplusTol95 = 0;
    int16_t FminusTol100 = 0;
    int16_t FplusTol100 = 0;
    float FlickPst = 0;
    float FlickPlt = 0;
    float VoltUnbal = 0;
    int16_t Histogram = 0;
    int16_t MeasInterval = 600;
    int16_t FreqInterval = 10;
    int16_t SignalInterval = 3;
    std::string Text;  // at most 360 characters
    std::array<float, kBins> Harm{};
    float THD = 0;
    std::array<float, kBins> SignallingVolt{};
    float CurrTHD = 0;
    std::array<float, kOrders> CurrHarm{};
    float RatedCurrent = 0;
    float RatedPower = 0;
    float ShortCircuitPower = 0;
    std::array<float, kOrders> ParameterN{};

    bool operator==(const CLimitValues&) const = default;

    // The built-in EN50160 set for the nominal frequency (60, anything else counts as 50).
    void SetDefaults(int nominalFrequency);

    // Harmonic order n (1 to 50) in % of the nominal voltage; 0 outside the table.
    float HarmonicLimit(int order) const;
    void SetHarmonicLimit(int order, float limit);
    // Interharmonic at frequency F in Hz: its bin, or the bin below when F is a harmonic
    // frequency. No limit for frequencies outside the bins (an unused channel has 0 Hz).
    float InterharmonicLimit(int frequency) const;
    void SetInterharmonicLimit(int frequency, float limit);
    float SignallingLimit(int frequency) const;
    void SetSignallingLimit(int frequency, float limit);
    // Current harmonic order n in A; negative values read as 0.
    float CurrentHarmonicLimit(int order) const;
    float VseParameter(int order) const;

    void ClearHarmonics();
    void ClearInterharmonics();
    void ClearSignalling() { SignallingVolt.fill(0); }
    void ClearCurrentHarmonics() { CurrHarm.fill(0); }

    // Nominal frequency as the bin arithmetic uses it: 60 or 50; a damaged file's 0 or other
    // value counts as 50.
    int NominalFrequency() const { return PowSysNomFreq == 60 ? 60 : 50; }
    // Entry of Harm of harmonic order n; -1 outside 1..50 or beyond the bins.
    int HarmonicEntry(int order) const;
    bool IsHarmonicEntry(size_t entry) const;
};

// Built-in current harmonic limits (A) for orders 1 to 50, offered by the limit editor.
float DefaultCurrentHarmonicLimit(int order);

}  // namespace varelo
