#include "export/AccessNames.h"

#include <array>
#include <cctype>

namespace varelo {
namespace {

enum class Suffix { kNone, kPhases, kPhasesAndN };

struct Stem {
    std::string_view text;
    int quantity;
    int maxOrder;  // 0: no order number
    Suffix suffix;
};

constexpr Stem kStems[] = {
    {"Uharm", 300, 50, Suffix::kPhases},
    {"UZharm", 400, 5, Suffix::kPhases},
    {"Iharm", 120, 50, Suffix::kPhasesAndN},
    {"IZharm", 200, 5, Suffix::kPhasesAndN},
    {"THDIA", 109, 0, Suffix::kPhasesAndN},
    {"Umean", 11, 0, Suffix::kPhases},
    {"Umax", 12, 0, Suffix::kPhases},
    {"Umin", 13, 0, Suffix::kPhases},
    {"FlickerPst", 17, 0, Suffix::kPhases},
    {"FlickerPlt", 18, 0, Suffix::kPhases},
    {"Uh1mean", 20, 0, Suffix::kPhases},
    {"UTHDmax", 21, 0, Suffix::kPhases},
    {"UTHDmean", 22, 0, Suffix::kPhases},
    {"Imean", 31, 0, Suffix::kPhases},
    {"Imax", 32, 0, Suffix::kPhases},
    {"Ipeak", 33, 0, Suffix::kPhases},
    {"ICrestfaktor", 37, 0, Suffix::kPhases},
    {"Ih1mean", 38, 0, Suffix::kPhases},
    {"ITHDmax", 39, 0, Suffix::kPhases},
    {"ITHDmean", 40, 0, Suffix::kPhases},
    {"Smax", 60, 0, Suffix::kPhases},
    {"Smean", 61, 0, Suffix::kPhases},
    {"Smin", 62, 0, Suffix::kPhases},
    {"Pmax", 66, 0, Suffix::kPhases},
    {"Pmean", 67, 0, Suffix::kPhases},
    {"Pmin", 68, 0, Suffix::kPhases},
    {"PmaxAbsolute", 72, 0, Suffix::kPhases},
    {"PmeanAbsolute", 73, 0, Suffix::kPhases},
    {"PminAbsolute", 74, 0, Suffix::kPhases},
    {"Qmax", 78, 0, Suffix::kPhases},
    {"Qmean", 79, 0, Suffix::kPhases},
    {"Qmin", 80, 0, Suffix::kPhases},
    {"PowerFactor", 84, 0, Suffix::kPhases},
    {"TangensLambda", 86, 0, Suffix::kPhases},
    {"Energy", 88, 0, Suffix::kPhases},
    {"UmaxAct", 90, 0, Suffix::kPhases},
    {"UminAct", 91, 0, Suffix::kPhases},
    {"ImaxAct", 92, 0, Suffix::kPhases},
    {"IactUmax", 93, 0, Suffix::kPhases},
    {"IactUmin", 94, 0, Suffix::kPhases},
    {"UactImax", 95, 0, Suffix::kPhases},
    {"Dmax", 96, 0, Suffix::kPhases},
    {"Dmean", 97, 0, Suffix::kPhases},
    {"UDeltaRms", 102, 0, Suffix::kPhases},
    {"Ph1mean", 103, 0, Suffix::kPhases},
    {"Qh1mean", 104, 0, Suffix::kPhases},
    {"CosPhi", 107, 0, Suffix::kPhases},
    {"VoltageUnbalance", 1, 0, Suffix::kNone},
    {"Frequency", 2, 0, Suffix::kNone},
    {"ImeanN", 41, 0, Suffix::kNone},
    {"ImaxN", 42, 0, Suffix::kNone},
    {"IpeakN", 43, 0, Suffix::kNone},
    {"ICrestfaktorN", 47, 0, Suffix::kNone},
    {"Ih1meanN", 48, 0, Suffix::kNone},
    {"ITHDmaxN", 49, 0, Suffix::kNone},
    {"ITHDmeanN", 50, 0, Suffix::kNone},
    {"SmaxTotal", 63, 0, Suffix::kNone},
    {"SmeanTotal", 64, 0, Suffix::kNone},
    {"SminTotal", 65, 0, Suffix::kNone},
    {"PmaxTotal", 69, 0, Suffix::kNone},
    {"PmeanTotal", 70, 0, Suffix::kNone},
    {"PminTotal", 71, 0, Suffix::kNone},
    {"PmaxAbsoluteTotal", 75, 0, Suffix::kNone},
    {"PmeanAbsoluteTotal", 76, 0, Suffix::kNone},
    {"PminAbsoluteTotal", 77, 0, Suffix::kNone},
    {"QmaxTotal", 81, 0, Suffix::kNone},
    {"QmeanTotal", 82, 0, Suffix::kNone},
    {"QminTotal", 83, 0, Suffix::kNone},
    {"PowerFactorTotal", 85, 0, Suffix::kNone},
    {"TangensLambdaTotal", 87, 0, Suffix::kNone},
    {"EnergyTotal", 89, 0, Suffix::kNone},
    {"DmaxTotal", 99, 0, Suffix::kNone},
    {"DmeanTotal", 100, 0, Suffix::kNone},
    {"Ph1Total", 105, 0, Suffix::kNone},
    {"Qh1Total", 106, 0, Suffix::kNone},
    {"CosPhiTotal", 108, 0, Suffix::kNone},
    {"CurrentUnbalance", 110, 0, Suffix::kNone},
    {"VoltageUnbalance2", 111, 0, Suffix::kNone},
    {"CurrentUnbalance2", 112, 0, Suffix::kNone},
};

// Both label styles are always accepted.
constexpr std::array<std::string_view, 8> kPhaseSuffixes = {"L1", "L2", "L3", "N",
                                                            "A",  "B",  "C",  ""};

// The phase index of a suffix (0-3), -1 when the stem takes no such suffix.
int PhaseOf(std::string_view rest, Suffix suffix) {
    if (suffix == Suffix::kNone) return rest.empty() ? -2 : -1;
    for (int i = 0; i < 7; ++i) {
        if (rest != kPhaseSuffixes[size_t(i)]) continue;
        int phase = i < 4 ? i : i - 4;
        if (phase == 3 && suffix != Suffix::kPhasesAndN) return -1;
        return phase;
    }
    return -1;
}

// The whole text after the stem, -1 when it does not fit this stem.
int ChannelOf(const Stem& stem, std::string_view rest) {
    bool held = true;
    int order = 0;
    if (stem.maxOrder > 0) {
        size_t digits = 0;
        while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits])))
            ++digits;
        if (digits == 0) return -1;
        // More digits than any order has would overflow; such a name is read, but nothing
        // measures it.
        held = digits <= 4;
        if (held) order = std::stoi(std::string(rest.substr(0, digits)));
        held = held && order >= 1 && order <= stem.maxOrder;
        rest.remove_prefix(digits);
    }
    int phase = PhaseOf(rest, stem.suffix);
    if (phase == -1) return -1;
    if (!held) return kChannelNotHeld;
    return (phase == -2 ? 0 : (phase + 1) * 1000) + stem.quantity + order;
}

}  // namespace

int ParseQuantityName(std::string_view text) {
    for (const Stem& stem : kStems) {
        if (!text.starts_with(stem.text)) continue;
        int channel = ChannelOf(stem, text.substr(stem.text.size()));
        if (channel != -1) return channel;
    }
    return -1;
}

bool IsValidAccessName(std::string& name) {
    size_t first = name.find_first_not_of(" \t\r\n\v\f");
    size_t last = name.find_last_not_of(" \t\r\n\v\f");
    name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    size_t characters = 0;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if ((u & 0xC0) != 0x80) ++characters;
        if ((u >= 1 && u <= 31) || c == '.' || c == '!' || c == '`' || c == '[' || c == ']')
            return false;
    }
    return characters >= 1 && characters <= 64;
}

}  // namespace varelo
