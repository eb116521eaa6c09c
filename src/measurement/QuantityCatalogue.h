#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace varelo {

class CIntervalRecord;
class CRawScaling;
class CMeasurementJob;
struct CLoggerInfo;

// Harmonic quantity identifiers: current harmonics of order id - 120, current interharmonic
// channels id - 201, voltage harmonics of order id - 300, voltage interharmonic channels
// id - 401.
inline constexpr int kCurrentHarmonicFirst = 121;
inline constexpr int kCurrentHarmonicLast = 170;
inline constexpr int kCurrentInterharmonicFirst = 201;
inline constexpr int kCurrentInterharmonicLast = 205;
inline constexpr int kVoltageHarmonicFirst = 301;
inline constexpr int kVoltageHarmonicLast = 350;
inline constexpr int kVoltageInterharmonicFirst = 401;
inline constexpr int kVoltageInterharmonicLast = 405;

// Phase group of a quantity: which phase labels it takes in a phase-to-phase system.
enum QuantityGroup : uint8_t {
    kGroupNone = 0,
    kGroupCurrent = 1,
    kGroupVoltage = 2,
    kGroupPower = 3,
};

// Conditions under which a quantity is offered; a quantity needs all of its codes.
enum AvailabilityCode : uint16_t {
    kAvailAlways = 0,
    kAvailNever = 1 << 0,
    kAvailF = 1 << 1,    // measurement function A or P
    kAvailNO = 1 << 2,   // not an online document
    kAvail3P = 1 << 3,   // three phases
    kAvailNS = 1 << 4,   // not single phase
    kAvailPN = 1 << 5,   // phase-to-neutral voltages
    kAvailN = 1 << 6,    // neutral current measured
    kAvailT40 = 1 << 7,  // extended Logger family
    kAvailFL = 1 << 8,   // flicker shown
    kAvailTH = 1 << 9,   // THD shown
    kAvailEU = 1 << 10,  // the evaluation has unbalance results
    kAvailEP = 1 << 11,  // the evaluation has Plt values
};

// The options that shape harmonic values.
struct QuantitySettings {
    int voltageReference = 2;  // HarmonicReference; nominal
    int currentReference = 4;  // absolute
    int thdOrder = 50;
    // The process-wide application options.
    static QuantitySettings Current();
};

// The reference a voltage harmonic channel is shown in: the options' reference when the channel
// is relative, else percent of the nominal voltage.
int VoltageHarmonicReference(bool relative, const QuantitySettings& settings);

// Long-term flicker comes from the evaluation, not from the interval: the document provides it
// per interval and phase once it has evaluated the measurement.
using PltProvider = std::function<double(const CIntervalRecord&, int phase)>;

// What a value function needs: the interval, the scaling and the channel's state.
struct QuantityArgs {
    const CIntervalRecord& record;
    const CRawScaling& scaling;
    int phase;     // 0-2, 3 = N for current harmonics
    int harmonic;  // order, or interharmonic channel 0-4
    bool relative;
    bool watts;
    int intervalSeconds;
    const QuantitySettings& settings;
    const PltProvider* plt;
};
using QuantityValueFn = double (*)(const QuantityArgs&);

struct QuantityRow {
    int16_t id;
    bool single;  // one value per measurement rather than one per phase
    uint8_t group;
    int16_t nameId;
    uint16_t availability;
    QuantityValueFn value;
};

// The 75 plain quantities ordered by identifier.
std::span<const QuantityRow> QuantityTable();
// The row of a plain quantity; none for harmonic or unknown identifiers.
const QuantityRow* FindQuantity(int quantityId);
bool IsHarmonicQuantity(int quantityId);
bool IsKnownQuantity(int quantityId);
// The value function of a plain or harmonic quantity; none for unknown identifiers.
QuantityValueFn ValueFunctionOf(int quantityId);

// The facts of one measurement document that decide which quantities it offers. The flicker
// and THD switches are read from the application options when asked, as they may change
// while the document is open.
struct AvailabilityContext {
    uint32_t measFunc = 0;
    bool neutral = false;
    std::array<bool, 3> phases{true, false, false};
    bool threePhase = false;
    bool t40 = false;
    int fileVersion = 102;
    bool online = false;
    bool phaseToPhase = false;
    bool splitPhase = false;
    bool singlePhase = false;
    // Results of the evaluation, which runs after the document is built.
    bool evaluationUnbalance = false;
    bool evaluationPlt = false;

    static AvailabilityContext Build(const CMeasurementJob& job, const CLoggerInfo& logger,
                                     int fileVersion, bool online, bool evaluationUnbalance,
                                     bool evaluationPlt);
};

// Whether the document offers the quantity (for some phase).
bool IsAvailable(int quantityId, const AvailabilityContext& context);
// Whether a job of this measurement function offers the quantity at all, without a document.
bool IsAvailableForFunction(int quantityId, uint32_t measFunc);

}  // namespace varelo
