#pragma once

#include <array>
#include <string>
#include <vector>

#include "evaluation/LimitEditor/LimitEditorText.h"
#include "evaluation/LimitEditor/LimitItemLists.h"

namespace varelo {

class CLimitValues;

// The interharmonics sub-dialog: at most ten bins, each keyed by its start frequency.
class CInterharmonicLimitsModel {
public:
    enum Field { kFrequency, kValue };
    static constexpr size_t kMaxItems = 10;

    explicit CInterharmonicLimitsModel(const CLimitValues& limits);

    // "0095-0104": the bin starting at F, to F + 4, or F + 9 where F + 5 is a harmonic
    // frequency, and 3000 for the last bin.
    static std::string BinText(int start, int nominalFrequency);
    std::string ItemText(const LimitItem& item) const;
    const std::vector<LimitItem>& Items() const { return items_; }

    // "Set": the frequency rounded down to a multiple of 5, and 5 below a harmonic frequency,
    // shown so; 5 to 3000 Hz (164); the value 0 to 100 (166); an eleventh bin is refused (169),
    // replacing one is not.
    LimitCheck Set(std::string& frequency, const std::string& value);
    // "Delete": the row to select next, -1 when the list became empty.
    int Delete(int row);
    // OK: the Harm array with every interharmonic entry replaced by the list.
    std::array<float, 600> Apply(const std::array<float, 600>& harm) const;

private:
    int nominal_;
    std::vector<LimitItem> items_;
};

}  // namespace varelo
