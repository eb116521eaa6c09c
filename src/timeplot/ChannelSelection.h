#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "measurement/QuantityCatalogue.h"
#include "timeplot/StoredChannelSelection.h"

namespace varelo {

class CMeasurementJob;
class Settings;
class UserInterface;

enum class ChannelLayout {
    kTimeplot,  // at most 9 channels, with Replace
    kExport,    // at most 999 channels, with "> >"
};

// What a channel selection opens with.
struct ChannelSelectionSetup {
    explicit ChannelSelectionSetup(const CMeasurementJob& job) : job(job) {}

    ChannelLayout layout = ChannelLayout::kTimeplot;
    const CMeasurementJob& job;
    AvailabilityContext availability;
    PhaseLabels labels = PhaseLabels::L123;
    // 'A' or 'P'; anything else has no stored selection.
    char functionLetter = 0;
    // Timeplot: the diagram is fed online, its selection is stored apart.
    bool online = false;
    // Timeplot: start from the stored selection rather than the diagram's curves. The export
    // always starts from the stored one.
    bool fromStored = true;
    std::vector<int> currentCurves;
    // Timeplot: OK would delete the diagram's zoom history.
    bool zoomHistory = false;
    // An export for a few quantities offers only those; none offers every available one.
    std::function<bool(int quantity)> offerOnly;
};

// The channel selection of a timeplot or an export: base quantities on the left, chosen
// channels on the right, phase switches that decide which phases of a quantity are added.
// Single quantities are chosen by their bare identifier.
class ChannelSelection {
public:
    static constexpr int kPhases = 4;  // L1, L2, L3, N
    static constexpr int kNeutral = 3;
    static constexpr int kTimeplotMaximum = 9;
    static constexpr int kExportMaximum = 999;

    // Reads the phase switches and the channels to start from.
    ChannelSelection(const ChannelSelectionSetup& setup, Settings& settings);

    ChannelLayout Layout() const { return layout_; }
    int Maximum() const {
        return layout_ == ChannelLayout::kTimeplot ? kTimeplotMaximum : kExportMaximum;
    }

    const std::vector<int>& Offered() const { return offered_; }
    std::string OfferedName(int index) const;
    int OfferedSelection() const { return offeredSelection_; }
    void SelectOffered(int index);

    const std::vector<int>& Chosen() const { return chosen_; }
    std::string ChosenName(int index) const;
    int ChosenSelection() const { return chosenSelection_; }
    void SelectChosen(int index);

    bool PhaseProvided(int phase) const { return provided_[size_t(phase)]; }
    bool PhaseEnabled(int phase) const;
    bool PhaseOn(int phase) const { return on_[size_t(phase)]; }
    void SetPhaseOn(int phase, bool on);
    // "L1" .. "N" or "A" .. "N" after the phase label option.
    std::string PhaseName(int phase) const;

    bool Replace() const { return replace_; }
    void SetReplace(bool on) { replace_ = on; }

    // The channels ">" adds for a base quantity under the current phase switches.
    std::vector<int> ChannelsOf(int quantity) const;
    void Add();
    void AddAll();
    void Remove();
    void RemoveAll();

    bool CanAdd() const;
    bool CanAddAll() const;
    bool CanRemove() const { return chosenSelection_ >= 0; }
    bool CanRemoveAll() const { return !chosen_.empty(); }
    bool CanReplace() const { return layout_ == ChannelLayout::kTimeplot && CanRemove(); }
    bool CanAccept() const { return !chosen_.empty(); }
    // Message 1171 with the count and the maximum.
    std::string CountText() const;

    // OK: false keeps the dialog open (the zoom question was answered No). A timeplot stores
    // its phase switches and channels; the export stores nothing here.
    bool Accept(UserInterface& ui);

private:
    void Load(const std::vector<int>& channels);
    // Adds what ">" adds for a quantity; the first channel replaces the selected one when
    // replacing.
    void AddQuantity(int quantity, bool replacing);
    bool IsChosen(int channel) const;
    bool IsOffered(int quantity) const;
    void ReadPhaseSwitches();
    void WritePhaseSwitches();

    ChannelLayout layout_;
    const CMeasurementJob& job_;
    AvailabilityContext availability_;
    PhaseLabels labels_;
    StoredChannelSelection stored_;
    bool zoomHistory_;
    Settings& settings_;
    std::vector<int> offered_;
    std::vector<int> chosen_;
    int offeredSelection_ = -1;
    int chosenSelection_ = -1;
    std::array<bool, kPhases> provided_{};
    std::array<bool, kPhases> on_{};
    bool replace_ = false;
};

// The base quantities a measurement offers for a channel choice, in the order of the list.
std::vector<int> OfferedQuantities(const AvailabilityContext& availability,
                                   const CMeasurementJob& job);

}  // namespace varelo
