#pragma once

#include <array>
#include <string>

#include "evaluation/LimitEditor/LimitEditorText.h"
#include "evaluation/LimitEditor/LimitItemLists.h"
#include "evaluation/LimitEditor/VseModel.h"

namespace varelo {

class CLimitValues;

// The harmonics sub-dialog (1004 voltage, 1003 current) over orders 2 to 50. An order in the
// selected list is evaluated; one in the unselected list keeps its value negated, so that it
// survives being moved back while the editor is open.
class CHarmonicLimitsModel {
public:
    enum class Mode { Voltage, Current };
    enum Field { kOrder, kValue, kThd };
    static constexpr int kFirstOrder = 2;
    static constexpr int kLastOrder = 50;
    using Orders = std::array<float, kLastOrder - kFirstOrder + 1>;

    // changed: this kind's change flag. Without it, an order without a limit offers its
    // built-in default in the unselected list; with it, the magnitude of the kept value.
    CHarmonicLimitsModel(Mode mode, const CLimitValues& limits, bool changed);

    Mode GetMode() const { return mode_; }
    int TitleId() const { return mode_ == Mode::Voltage ? 1004 : 1003; }
    CLimitItemLists& Lists() { return lists_; }
    const CLimitItemLists& Lists() const { return lists_; }
    std::string ThdText() const { return FormatFixed2(thd_); }

    // "Set": order 2 to 50 (171); the value rounded to two decimals, within 0 to 100 in
    // voltage mode (166).
    LimitCheck Set(const std::string& order, const std::string& value);
    // OK: the THD field; the lists become the limits of orders 2 to 50.
    LimitCheck Accept(const std::string& thd);

    float Thd() const { return thd_; }
    // After Accept: the limit of each order 2 to 50, negated for unselected orders.
    const Orders& Limits() const { return limits_; }

    // Current mode: the VSE/VEOE/VDN inputs, and taking a calculation over: every order's
    // limit becomes Pn x k, the THD 2 x sqrt(SkV / SA).
    const VseInputs& Vse() const { return vse_; }
    void TakeVse(const CVseModel& vse);

private:
    Mode mode_;
    CLimitItemLists lists_;
    float thd_ = 0;
    Orders limits_{};
    VseInputs vse_;
};

}  // namespace varelo
