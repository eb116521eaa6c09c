#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "timeplot/AoaDefinition/AOAChannelInfo.h"

namespace varelo {

inline constexpr int kAoaInterharmonicByParameters = 400;

// A channel's name without a phase: the quantity's name; 400 named from its frequency or order,
// 401..405 "Interharmonic 1" .. "Interharmonic 5". Empty for a quantity that has no name.
std::string AoaChannelName(const CAOAChannelInfo& channel);
// Whether a quantity exists once per measurement (it then carries no phase).
bool IsOncePerMeasurement(int quantity);

// The quantities the channel dialog offers for a measurement function, in the order shown.
std::vector<int> AoaQuantityChoices(uint32_t measFunc);
// The phases the channel dialog offers for an application's phase mode: "Any" alone for "One"
// and "All", the three phases for "Mixed".
std::vector<int> AoaPhaseChoices(uint8_t phaseMode);

// The channel dialog's fields as typed.
struct AoaChannelFields {
    int quantity = -1;  // -1: none selected
    int phase = 0;
    uint8_t freqMeasurement = 0;
    std::string freqOrOrder;
    uint8_t measPrinciple = 0;
    uint8_t beginType = 3;
    std::string beginValue;
    uint8_t endType = 3;
    std::string endValue;
    bool rounding = false;
};

// The fields a refusal points at.
enum class AoaChannelField { None, Quantity, FreqOrOrder, BeginValue, EndValue };

struct AoaChannelCheck {
    int message = 0;  // 0: accepted
    std::string text;
    AoaChannelField field = AoaChannelField::None;
    bool Ok() const { return message == 0; }
};

// The fields of a channel as the dialog shows them.
AoaChannelFields AoaChannelFieldsOf(const CAOAChannelInfo& channel);
// Checks the fields in the order OK does and, when they hold, gives the channel they describe:
// a quantity must be chosen, numbers must lie in their fields' ranges, and a value of any
// scaling type but "Value" is a percentage.
AoaChannelCheck CheckAoaChannel(const AoaChannelFields& fields, uint8_t phaseMode,
                                CAOAChannelInfo& channel);

// A group's or application's name as OK takes it: without surrounding white space, and not
// empty (else message 869).
int CheckAoaName(const std::string& typed, std::string& name);

}  // namespace varelo
