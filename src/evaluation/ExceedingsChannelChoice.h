#pragma once

#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "measurement/QuantityCatalogue.h"

namespace varelo {

class CLimitValues;
class CMeasurementJob;

// The rules of the channel choice of the all exceedings report: the quantities that have a
// limit and exist in the measurement on the left, the chosen channels on the right, at most 99.
class ExceedingsChannelChoice {
public:
    static constexpr int kMaximum = 99;

    ExceedingsChannelChoice(const CLimitValues& limits, const CMeasurementJob& job,
                            const AvailabilityContext& availability,
                            PhaseLabels labels = PhaseLabels::L123);

    // Quantity identifiers of the left list, in their fixed order.
    const std::vector<int>& Offered() const { return offered_; }
    std::string OfferedName(int row) const;
    // Channel identifiers of the right list, in list order.
    const std::vector<int>& Chosen() const { return chosen_; }
    std::string ChosenName(int row) const;
    int OfferedSelection() const { return offeredRow_; }
    int ChosenSelection() const { return chosenRow_; }

    void SelectOffered(int row);
    void SelectChosen(int row);
    // ">": the selected quantity, as itself when it exists once, else one channel per present
    // phase that has it; channels already chosen are skipped, nothing beyond 99.
    void Add();
    // "<": the selected channel and every other channel of its quantity.
    void Remove();
    // "< <"
    void RemoveAll();

    bool CanAdd() const;
    bool CanRemove() const { return chosenRow_ >= 0 && chosenRow_ < int(chosen_.size()); }
    bool CanRemoveAll() const { return !chosen_.empty(); }
    bool CanAccept() const { return !chosen_.empty(); }
    // "%1 channels selected (maximum %2)"
    std::string CountText() const;

    // Whether the choice would offer a quantity; the command line checks channels with it.
    bool IsOffered(int quantityId) const;
    // The channels ">" adds for a quantity.
    std::vector<int> ChannelsOf(int quantityId) const;

private:
    const CMeasurementJob& job_;
    AvailabilityContext availability_;
    PhaseLabels labels_;
    std::vector<int> offered_;
    std::vector<int> chosen_;
    int offeredRow_ = -1;
    int chosenRow_ = -1;
};

// The order of the left list: whether the limits and the measurement offer each quantity.
std::vector<int> OfferedExceedingQuantities(const CLimitValues& limits, const CMeasurementJob& job,
                                            const AvailabilityContext& availability);

}  // namespace varelo
