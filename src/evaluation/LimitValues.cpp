#include "evaluation/LimitValues.h"

#include <span>
#include <utility>

namespace varelo {

namespace {

constexpr std::pair<int, float> kHarmonics50[] = {
    {2, 2.0f},  {3, 5.0f},  {4, 1.0f},  {5, 6.0f},  {6, 0.5f},  {7, 5.0f},  {8, 0.5f},
    {9, 1.5f},  {10, 0.5f}, {11, 3.5f}, {12, 0.5f}, {13, 3.0f}, {14, 0.5f}, {15, 0.5f},
    {16, 0.5f}, {17, 2.0f}, {18, 0.5f}, {19, 1.5f}, {20, 0.5f}, {21, 0.5f}, {22, 0.5f},
    {23, 1.5f}, {24, 0.5f}, {25, 1.5f},
};
constexpr std::pair<int, float> kHarmonics60[] = {
    {5, 3.26f},  {7, 3.14f},  {11, 2.73f}, {13, 2.51f}, {17, 2.02f}, {19, 1.74f},
    {23, 1.56f}, {25, 1.36f}, {29, 1.38f}, {31, 1.26f}, {35, 1.31f},
};
// Signalling curve from 505 Hz to 865 Hz in 5-Hz steps.
constexpr float kSignallingSlope[] = {
    8.61f, 8.53f, 8.44f, 8.36f, 8.28f, 8.20f, 8.13f, 8.05f, 7.98f, 7.91f, 7.83f, 7.76f, 7.70f,
    7.63f, 7.56f, 7.50f, 7.43f, 7.37f, 7.31f, 7.25f, 7.19f, 7.13f, 7.07f, 7.01f, 6.96f, 6.90f,
    6.85f, 6.79f, 6.74f, 6.69f, 6.64f, 6.59f, 6.54f, 6.49f, 6.44f, 6.39f, 6.35f, 6.30f, 6.26f,
    6.21f, 6.17f, 6.12f, 6.08f, 6.04f, 6.00f, 5.96f, 5.92f, 5.88f, 5.84f, 5.80f, 5.76f, 5.72f,
    5.68f, 5.65f, 5.61f, 5.57f, 5.54f, 5.50f, 5.47f, 5.43f, 5.40f, 5.37f, 5.33f, 5.30f, 5.27f,
    5.24f, 5.21f, 5.18f, 5.15f, 5.12f, 5.09f, 5.06f, 5.03f,
};
static_assert(std::size(kSignallingSlope) == (865 - 505) / 5 + 1);

constexpr float kCurrentHarmonics[] = {
    0,    1.08f, 2.30f, 0.43f, 1.14f, 0.30f, 0.77f, 0.23f, 0.40f, 0.18f, 0.33f, 0.15f, 0.21f, 0.13f,
    0.15f, 0.12f, 0.13f, 0.10f, 0.12f, 0.09f, 0.11f, 0.08f, 0.10f, 0.08f, 0.09f, 0.07f, 0.08f,
    0.07f, 0.08f, 0.06f, 0.07f, 0.06f, 0.07f, 0.05f, 0.06f, 0.05f, 0.06f, 0.05f, 0.06f, 0.05f,
};  // orders 1 to 40

float DefaultSignalling(int frequency) {
    if (frequency < 100) return 0;
    if (frequency <= 500) return 8.7f;
    if (frequency <= 865) return kSignallingSlope[(frequency - 505) / 5];
    return 5.0f;
}

// Entry of a frequency-bin array of frequency F; -1 outside the bins.
int BinEntry(int frequency) {
    int entry = frequency / 5 - 1;
    return entry >= 0 && entry < int(CLimitValues::kBins) ? entry : -1;
}

}  // namespace

float DefaultCurrentHarmonicLimit(int order) {
    return order >= 1 && order <= int(std::size(kCurrentHarmonics)) ? kCurrentHarmonics[order - 1]
                                                                     : 0.0f;
}

int CLimitValues::HarmonicEntry(int order) const {
    if (order < 1 || order > int(kOrders)) return -1;
    int entry = order * NominalFrequency() / 5 - 1;
    return entry < int(kBins) ? entry : -1;
}

bool CLimitValues::IsHarmonicEntry(size_t entry) const {
    return (entry + 1) % size_t(NominalFrequency() / 5) == 0;
}

void CLimitValues::SetDefaults(int nominalFrequency) {
    const bool sixty = nominalFrequency == 60;
    *this = CLimitValues();
    PowSysNomFreq = int16_t(sixty ? 60 : 50);
    InterruptionLimit = 1;
    NrEvents = 100;
    Histogram = 95;
    FminusTol95 = 1;
    FplusTol95 = 1;
    FminusTol100 = 6;
    FplusTol100 = 4;
    NminusTol95 = 10;
    FlickPst = 1.0f;
    FlickPlt = 1.0f;
    VoltUnbal = 2.0f;
    PowSysNomVolt = int16_t(sixty ? 2 : 1);
    NplusTol95 = sixty ? 5 : 10;
    NminusTol100 = sixty ? 10 : 15;
    NplusTol100 = sixty ? 5 : 10;
    THD = CurrTHD = sixty ? 7.13f : 8.0f;
    for (auto [order, limit] : sixty ? std::span<const std::pair<int, float>>(kHarmonics60)
                                     : std::span<const std::pair<int, float>>(kHarmonics50))
        SetHarmonicLimit(order, limit);
    ClearInterharmonics();
    for (size_t k = 0; k < kBins; ++k) SignallingVolt[k] = DefaultSignalling(int(k + 1) * 5);
}

float CLimitValues::HarmonicLimit(int order) const {
    int entry = HarmonicEntry(order);
    return entry < 0 ? 0.0f : Harm[size_t(entry)];
}

void CLimitValues::SetHarmonicLimit(int order, float limit) {
    if (int entry = HarmonicEntry(order); entry >= 0) Harm[size_t(entry)] = limit;
}

namespace {
int InterharmonicEntry(int frequency, int nominal) {
    int entry = BinEntry(frequency);
    if (entry >= 0 && (frequency / 5) % (nominal / 5) == 0) --entry;  // the bin just below
    return entry;
}
}  // namespace

float CLimitValues::InterharmonicLimit(int frequency) const {
    int entry = InterharmonicEntry(frequency, NominalFrequency());
    return entry < 0 ? 0.0f : Harm[size_t(entry)];
}

void CLimitValues::SetInterharmonicLimit(int frequency, float limit) {
    if (int entry = InterharmonicEntry(frequency, NominalFrequency()); entry >= 0)
        Harm[size_t(entry)] = limit;
}

float CLimitValues::SignallingLimit(int frequency) const {
    int entry = BinEntry(frequency);
    return entry < 0 ? 0.0f : SignallingVolt[size_t(entry)];
}

void CLimitValues::SetSignallingLimit(int frequency, float limit) {
    if (int entry = BinEntry(frequency); entry >= 0) SignallingVolt[size_t(entry)] = limit;
}

float CLimitValues::CurrentHarmonicLimit(int order) const {
    if (order < 1 || order > int(kOrders)) return 0;
    float limit = CurrHarm[size_t(order - 1)];
    return limit < 0 ? 0.0f : limit;
}

float CLimitValues::VseParameter(int order) const {
    return order >= 1 && order <= int(kOrders) ? ParameterN[size_t(order - 1)] : 0.0f;
}

void CLimitValues::ClearHarmonics() {
    for (int order = 1; order <= int(kOrders); ++order) SetHarmonicLimit(order, 0);
}

void CLimitValues::ClearInterharmonics() {
    for (size_t k = 0; k < kBins; ++k) {
        if (!IsHarmonicEntry(k)) Harm[k] = 0;
    }
}

}  // namespace varelo
