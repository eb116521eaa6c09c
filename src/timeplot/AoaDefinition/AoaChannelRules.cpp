#include "timeplot/AoaDefinition/AoaChannelRules.h"

#include <charconv>
#include <cmath>

#include "app/StringTable.h"
#include "measurement/MeasurementJob.h"
#include "measurement/QuantityCatalogue.h"
#include "timeplot/AoaDefinition/AOAApplication.h"

namespace varelo {

namespace {

constexpr int kVoltageHarmonicName = 333;        // "V h"
constexpr int kCurrentHarmonicName = 905;        // "I h"
constexpr int kVoltageInterharmonicName = 1524;  // "V %s Hz"
constexpr int kInterharmonicName = 283;          // "Interharmonic"
constexpr int kNameEmpty = 869;
constexpr int kNoChannel = 284;
constexpr int kNotAPercentage = 285;
constexpr int kOutOfRange = 61715;
constexpr int kValueType = 6;  // the only scaling type that is not a percentage
constexpr double kFrequencyMax = 1000000;
constexpr double kValueLimit = 999000;
constexpr double kPercentLimit = 100;

bool InRange(int id, int first, int last) {
    return id >= first && id <= last;
}

// A number as a field shows it: no trailing zeros, no exponent for the ranges allowed.
std::string FieldNumber(double value) {
    std::string text = FormatPrintf("%.6f", {value});
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

// The whole text must be a number; surrounding blanks are allowed.
bool ParseNumber(const std::string& text, double& value) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const size_t last = text.find_last_not_of(" \t");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

AoaChannelCheck Refusal(int message, AoaChannelField field,
                        std::initializer_list<std::string> args = {}) {
    return {message, Msg(message, args), field};
}

}  // namespace

std::string AoaChannelName(const CAOAChannelInfo& channel) {
    const int quantity = channel.Quantity;
    if (quantity == kAoaInterharmonicByParameters) {
        if (channel.FreqMeasurement == 1) {
            return Str(kVoltageHarmonicName) +
                   FieldNumber(std::round(channel.FreqOrOrder * 100) / 100);
        }
        return FormatPrintf(Str(kVoltageInterharmonicName),
                            {FormatPrintf("%.1f", {double(channel.FreqOrOrder)})});
    }
    if (InRange(quantity, kVoltageInterharmonicFirst, kVoltageInterharmonicLast))
        return Str(kInterharmonicName) + " " + std::to_string(quantity - 400);
    if (InRange(quantity, kVoltageHarmonicFirst, kVoltageHarmonicLast))
        return Str(kVoltageHarmonicName) + std::to_string(quantity - 300);
    if (InRange(quantity, kCurrentHarmonicFirst, kCurrentHarmonicLast))
        return Str(kCurrentHarmonicName) + std::to_string(quantity - 120);
    const QuantityRow* row = FindQuantity(quantity);
    return row ? Str(row->nameId) : std::string();
}

bool IsOncePerMeasurement(int quantity) {
    const QuantityRow* row = FindQuantity(quantity);
    return row && row->single;
}

std::vector<int> AoaQuantityChoices(uint32_t measFunc) {
    const bool aOrP = measFunc == kMeasFuncA || measFunc == kMeasFuncP;
    std::vector<int> list = {12, 11, 13};
    auto add = [&list](std::initializer_list<int> ids) { list.insert(list.end(), ids); };
    auto addRange = [&list](int first, int last) {
        for (int id = first; id <= last; ++id)
            list.push_back(id);
    };
    if (aOrP) add({20, 95, 102});
    add({31, 32});
    if (aOrP) add({38});
    add({41, 42});
    if (aOrP) add({48, 17, 18, 1, 110});
    add({111, 112});
    if (aOrP) add({2, 33, 37, 43, 47});
    if (measFunc == kMeasFuncA) {
        add({kAoaInterharmonicByParameters});
        addRange(kVoltageInterharmonicFirst, kVoltageInterharmonicLast);
        addRange(kVoltageHarmonicFirst, kVoltageHarmonicLast);
        addRange(kCurrentHarmonicFirst, kCurrentHarmonicLast);
    }
    if (aOrP) {
        add({22, 21, 39, 40, 49, 50, 109});
        addRange(60, 77);
        add({103, 105});
        addRange(78, 83);
        add({104, 106, 97, 96, 100, 99, 107, 108});
        addRange(84, 89);
    }
    return list;
}

std::vector<int> AoaPhaseChoices(uint8_t phaseMode) {
    if (phaseMode == CAOAApplication::kMixed) return {1, 2, 3};
    return {0};
}

AoaChannelFields AoaChannelFieldsOf(const CAOAChannelInfo& channel) {
    AoaChannelFields fields;
    fields.quantity = channel.Quantity;
    fields.phase = channel.Phase;
    fields.freqMeasurement = channel.FreqMeasurement;
    fields.freqOrOrder = FieldNumber(channel.FreqOrOrder);
    fields.measPrinciple = channel.MeasPrinciple;
    fields.beginType = channel.BeginType;
    fields.beginValue = FieldNumber(channel.BeginValue);
    fields.endType = channel.EndType;
    fields.endValue = FieldNumber(channel.EndValue);
    fields.rounding = channel.Rounding != 0;
    return fields;
}

AoaChannelCheck CheckAoaChannel(const AoaChannelFields& fields, uint8_t phaseMode,
                                CAOAChannelInfo& channel) {
    if (fields.quantity < 0) return Refusal(kNoChannel, AoaChannelField::Quantity);
    const bool byParameters = fields.quantity == kAoaInterharmonicByParameters;
    double frequency = 0;
    if (byParameters && !(ParseNumber(fields.freqOrOrder, frequency) && frequency >= 0 &&
                          frequency <= kFrequencyMax))
        return Refusal(kOutOfRange, AoaChannelField::FreqOrOrder, {"0", "1000000"});
    double begin = 0;
    double end = 0;
    const struct {
        const std::string& text;
        double& value;
        uint8_t type;
        AoaChannelField field;
    } values[] = {{fields.beginValue, begin, fields.beginType, AoaChannelField::BeginValue},
                  {fields.endValue, end, fields.endType, AoaChannelField::EndValue}};
    for (const auto& v : values) {
        if (!(ParseNumber(v.text, v.value) && std::fabs(v.value) <= kValueLimit))
            return Refusal(kOutOfRange, v.field, {"-999000", "999000"});
    }
    for (const auto& v : values) {
        if (v.type != kValueType && std::fabs(v.value) > kPercentLimit)
            return Refusal(kNotAPercentage, v.field);
    }

    CAOAChannelInfo taken = channel;
    taken.Quantity = fields.quantity;
    // A quantity measured once has no phase; "One" and "All" take theirs from the application.
    if (IsOncePerMeasurement(fields.quantity) || phaseMode != CAOAApplication::kMixed)
        taken.Phase = 0;
    else
        taken.Phase = int16_t(fields.phase >= 1 && fields.phase <= 3 ? fields.phase : 1);
    if (byParameters) {
        taken.FreqMeasurement = fields.freqMeasurement == 1 ? 1 : 0;
        taken.FreqOrOrder = float(frequency);
        taken.MeasPrinciple = fields.measPrinciple <= 3 ? fields.measPrinciple : 0;
    }
    taken.BeginType = fields.beginType;
    taken.BeginValue = float(begin);
    taken.EndType = fields.endType;
    taken.EndValue = float(end);
    taken.Rounding = fields.rounding ? 1 : 0;
    channel = taken;
    return {};
}

int CheckAoaName(const std::string& typed, std::string& name) {
    constexpr const char* kBlanks = " \t\r\n\v\f";
    const size_t first = typed.find_first_not_of(kBlanks);
    if (first == std::string::npos) return kNameEmpty;
    name = typed.substr(first, typed.find_last_not_of(kBlanks) - first + 1);
    return 0;
}

}  // namespace varelo
