#pragma once

#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "timeplot/LimitLine.h"

namespace varelo {

// The choice of the diagram curve that shows a limit line: one entry per curve whose quantity
// has a limit, two (one per band) for frequency and voltages. Entry texts are the channel name,
// a tab and the limit.
class LimitValueChoice {
public:
    struct Entry {
        int curve;
        int band;
        std::string text;
    };

    // curves: the diagram's channels in curve order; the current limit line's curve (-1: none)
    // and band are selected.
    LimitValueChoice(const std::vector<int>& curves, const LimitLineInputs& in, PhaseLabels labels,
                     int currentCurve, int currentBand);

    const std::vector<Entry>& Entries() const { return entries_; }
    int Selection() const { return selection_; }
    void Select(int index);
    bool CanAccept() const { return !entries_.empty(); }
    // The chosen curve (-1 for no limit line) and band.
    int Curve() const { return selection_ >= 0 ? entries_[size_t(selection_)].curve : -1; }
    int Band() const { return selection_ >= 0 ? entries_[size_t(selection_)].band : 0; }
    // "Without": no entry, so no limit line.
    void ChooseNone() { selection_ = -1; }

private:
    std::vector<Entry> entries_;
    int selection_ = -1;
};

}  // namespace varelo
