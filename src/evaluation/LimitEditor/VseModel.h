#pragma once

#include <array>
#include <string>
#include <vector>

#include "evaluation/LimitEditor/LimitEditorText.h"
#include "evaluation/LimitEditor/LimitItemLists.h"

namespace varelo {

// The inputs of the VSE/VEOE/VDN calculation of current harmonic limits.
struct VseInputs {
    float ratedCurrent = 0;              // IA, A
    float ratedPower = 0;                // SA, kVA
    float shortCircuitPower = 0;         // SkV, kVA
    std::array<float, 50> parameters{};  // Pn of orders 1 to 50; order 1 is never used

    bool operator==(const VseInputs&) const = default;
};

// The dialog "Limits for current harmonics - VSE/VEOE/VDN": the three inputs and the list of
// parameters Pn of orders 2 to 50.
class CVseModel {
public:
    enum Field { kRatedCurrent, kRatedPower, kShortCircuitPower, kOrder, kValue };
    static constexpr const char* kLabels[3] = {"Rated current IA", "Rated apparent power SA",
                                               "Short circuit apparent power SkV"};

    explicit CVseModel(const VseInputs& inputs);

    static float StandardParameter(int order);

    std::string FieldText(Field field) const;
    const std::vector<LimitItem>& Parameters() const { return parameters_; }
    // "Standard": the standard parameters into the list.
    void Standard();
    // "Set": order 2 to 50 (171); a negative parameter becomes 0. The row of the order is
    // replaced in place; its index goes to row.
    LimitCheck Set(const std::string& order, const std::string& value, int& row);
    // OK: the inputs rounded to two decimals, each greater than 0 in order (1378).
    LimitCheck Accept(const std::string& ratedCurrent, const std::string& ratedPower,
                      const std::string& shortCircuitPower);

    // After Accept: the inputs and parameters, and the factor k = sqrt(SkV / SA) x IA x 0.001.
    const VseInputs& Inputs() const { return inputs_; }
    double K() const;
    // The voltage THD that goes with the inputs: 2 x sqrt(SkV / SA).
    double Thd() const;

private:
    VseInputs inputs_;
    std::vector<LimitItem> parameters_;
};

}  // namespace varelo
