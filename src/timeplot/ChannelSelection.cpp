#include "timeplot/ChannelSelection.h"

#include <algorithm>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kZoomQuestion = 373;
constexpr int kCountText = 1171;

// The plain quantities in the order of the list; harmonics and signalling follow.
constexpr int kPlainOrder[] = {
    11, 13, 91, 12, 90, 95, 20,  102, 22, 21, 17,  18, 1,  110, 111, 112, 2,
    31, 32, 92, 93, 94, 38, 40,  39,  33, 37, 109, 67, 68, 66,  73,  74,  72,
    70, 71, 69, 76, 77, 75, 103, 105, 79, 80, 78,  82, 83, 81,  104, 106, 61,
    62, 60, 64, 65, 63, 97, 96,  100, 99, 84, 85,  86, 87, 107, 108, 88,  89,
};
constexpr int kHighestOrderOfFunctionP = 340;

bool IsSingle(int quantity) {
    const QuantityRow* row = FindQuantity(quantity);
    return row && row->single;
}

bool IsCurrentHarmonic(int q) {
    return (q >= kCurrentHarmonicFirst && q <= kCurrentHarmonicLast) ||
           (q >= kCurrentInterharmonicFirst && q <= kCurrentInterharmonicLast);
}

// The channel that measures a phase quantity on the neutral conductor; 0 for none.
int NeutralCounterpart(int q) {
    if (q >= 31 && q <= 40) return q + 10;  // the single neutral quantities 41 .. 50
    if (IsCurrentHarmonic(q)) return ChannelIdOf(ChannelSelection::kNeutral, q);
    return 0;
}

bool ChannelAvailable(int channelId, const AvailabilityContext& availability) {
    CMeasurementChannel channel;
    return channel.SetupChannel(channelId) && channel.IsAvailable(availability);
}

// Single quantities are kept by their bare identifier, however they were stored.
int Normalized(int channelId) {
    const int q = channelId % 1000;
    return IsSingle(q) && channelId / 1000 == 1 ? q : channelId;
}

}  // namespace

std::vector<int> OfferedQuantities(const AvailabilityContext& availability,
                                   const CMeasurementJob& job) {
    std::vector<int> offered;
    auto offer = [&](int first, int last) {
        for (int q = first; q <= last; ++q) {
            if (IsAvailable(q, availability)) offered.push_back(q);
        }
    };
    for (int q : kPlainOrder)
        offer(q, q);
    offer(kVoltageHarmonicFirst,
          availability.measFunc == kMeasFuncA ? kVoltageHarmonicLast : kHighestOrderOfFunctionP);
    offer(kCurrentHarmonicFirst, kCurrentHarmonicLast);
    const int signalling = std::clamp(int(job.NrInterHarm), 0, kInterharmonicCount);
    offer(kVoltageInterharmonicFirst, kVoltageInterharmonicFirst + signalling - 1);
    offer(kCurrentInterharmonicFirst, kCurrentInterharmonicFirst + signalling - 1);
    return offered;
}

ChannelSelection::ChannelSelection(const ChannelSelectionSetup& setup, Settings& settings)
    : layout_(setup.layout),
      job_(setup.job),
      availability_(setup.availability),
      labels_(setup.labels),
      stored_(setup.layout == ChannelLayout::kTimeplot
                  ? StoredChannelSelection::ForTimeplot(setup.online, setup.functionLetter)
                  : StoredChannelSelection::ForExport(setup.functionLetter)),
      zoomHistory_(setup.layout == ChannelLayout::kTimeplot && setup.zoomHistory),
      settings_(settings),
      offered_(OfferedQuantities(setup.availability, setup.job)) {
    if (setup.offerOnly) std::erase_if(offered_, [&](int q) { return !setup.offerOnly(q); });
    for (int p = 0; p < 3; ++p)
        provided_[size_t(p)] = availability_.phases[size_t(p)];
    provided_[kNeutral] = availability_.neutral;
    ReadPhaseSwitches();
    const bool fromStored = setup.layout == ChannelLayout::kExport || setup.fromStored;
    Load(fromStored ? stored_.Read(settings_) : setup.currentCurves);
}

void ChannelSelection::ReadPhaseSwitches() {
    static constexpr const SettingKey* kKeys[kPhases] = {
        &setting::ChanelSelection1, &setting::ChanelSelection2, &setting::ChanelSelection3,
        &setting::ChanelSelectionN};
    const bool only = std::count(provided_.begin(), provided_.end(), true) == 1;
    for (int p = 0; p < kPhases; ++p) {
        const bool wanted =
            layout_ == ChannelLayout::kExport || only || settings_.ReadInt(*kKeys[p]) == 1;
        on_[size_t(p)] = provided_[size_t(p)] && wanted;
    }
}

void ChannelSelection::WritePhaseSwitches() {
    static constexpr const SettingKey* kKeys[kPhases] = {
        &setting::ChanelSelection1, &setting::ChanelSelection2, &setting::ChanelSelection3,
        &setting::ChanelSelectionN};
    // A phase this measurement lacks keeps the choice made for measurements that have it.
    for (int p = 0; p < kPhases; ++p) {
        if (provided_[size_t(p)]) settings_.Write(*kKeys[p], on_[size_t(p)] ? 1 : 0);
    }
}

std::string ChannelSelection::OfferedName(int index) const {
    if (index < 0 || index >= int(offered_.size())) return {};
    const int q = offered_[size_t(index)];
    CMeasurementChannel channel;
    if (!channel.SetupChannel(IsSingle(q) ? q : ChannelIdOf(0, q))) return {};
    return channel.QuantityName(job_);
}

std::string ChannelSelection::ChosenName(int index) const {
    if (index < 0 || index >= int(chosen_.size())) return {};
    CMeasurementChannel channel;
    if (!channel.SetupChannel(chosen_[size_t(index)])) return {};
    return channel.ChannelName(job_, labels_);
}

void ChannelSelection::SelectOffered(int index) {
    offeredSelection_ = index >= 0 && index < int(offered_.size()) ? index : -1;
}

void ChannelSelection::SelectChosen(int index) {
    chosenSelection_ = index >= 0 && index < int(chosen_.size()) ? index : -1;
}

bool ChannelSelection::PhaseEnabled(int phase) const {
    const bool several = std::count(provided_.begin(), provided_.end(), true) > 1;
    return provided_[size_t(phase)] && several;
}

void ChannelSelection::SetPhaseOn(int phase, bool on) {
    if (phase >= 0 && phase < kPhases && PhaseEnabled(phase)) on_[size_t(phase)] = on;
}

std::string ChannelSelection::PhaseName(int phase) const {
    return PhaseLabel(1, phase, labels_);
}

bool ChannelSelection::IsChosen(int channel) const {
    return std::find(chosen_.begin(), chosen_.end(), channel) != chosen_.end();
}

bool ChannelSelection::IsOffered(int quantity) const {
    return std::find(offered_.begin(), offered_.end(), quantity) != offered_.end();
}

std::vector<int> ChannelSelection::ChannelsOf(int q) const {
    std::vector<int> channels;
    if (!IsOffered(q)) return channels;
    if (IsSingle(q)) {
        channels.push_back(q);
        return channels;
    }
    const bool none = std::none_of(on_.begin(), on_.end(), [](bool on) { return on; });
    for (int p = 0; p < 3; ++p) {
        const int channel = ChannelIdOf(p, q);
        if ((none || on_[size_t(p)]) && ChannelAvailable(channel, availability_))
            channels.push_back(channel);
    }
    const int neutral = NeutralCounterpart(q);
    if (on_[kNeutral] && neutral > 0 && ChannelAvailable(neutral, availability_))
        channels.push_back(neutral);
    return channels;
}

void ChannelSelection::AddQuantity(int quantity, bool replacing) {
    for (int channel : ChannelsOf(quantity)) {
        if (IsChosen(channel)) continue;
        if (replacing) {
            chosen_[size_t(chosenSelection_)] = channel;
            replacing = false;
        } else if (int(chosen_.size()) < Maximum()) {
            chosen_.push_back(channel);
        } else {
            break;
        }
    }
}

bool ChannelSelection::CanAdd() const {
    if (offeredSelection_ < 0) return false;
    const std::vector<int> channels = ChannelsOf(offered_[size_t(offeredSelection_)]);
    const bool missing =
        std::any_of(channels.begin(), channels.end(), [&](int c) { return !IsChosen(c); });
    const bool replacing = replace_ && chosenSelection_ >= 0;
    return missing && (int(chosen_.size()) < Maximum() || replacing);
}

void ChannelSelection::Add() {
    if (CanAdd())
        AddQuantity(offered_[size_t(offeredSelection_)], replace_ && chosenSelection_ >= 0);
    replace_ = false;
}

bool ChannelSelection::CanAddAll() const {
    return layout_ == ChannelLayout::kExport && !offered_.empty() &&
           int(chosen_.size()) < Maximum();
}

void ChannelSelection::AddAll() {
    if (!CanAddAll()) return;
    for (int q : offered_)
        AddQuantity(q, false);
}

void ChannelSelection::Remove() {
    if (!CanRemove()) return;
    chosen_.erase(chosen_.begin() + chosenSelection_);
    // The selection stays in place, or moves to the new last channel.
    chosenSelection_ = std::min(chosenSelection_, int(chosen_.size()) - 1);
    if (chosenSelection_ < 0) replace_ = false;
}

void ChannelSelection::RemoveAll() {
    chosen_.clear();
    chosenSelection_ = -1;
    replace_ = false;
}

std::string ChannelSelection::CountText() const {
    return Msg(kCountText, {std::to_string(chosen_.size()), std::to_string(Maximum())});
}

void ChannelSelection::Load(const std::vector<int>& channels) {
    for (int stored : channels) {
        if (int(chosen_.size()) >= Maximum()) break;
        if (stored <= 0) continue;
        const int channel = Normalized(stored);
        if (!IsOffered(channel % 1000) || IsChosen(channel)) continue;
        if (ChannelAvailable(channel, availability_)) chosen_.push_back(channel);
    }
}

bool ChannelSelection::Accept(UserInterface& ui) {
    if (!CanAccept()) return false;
    if (layout_ != ChannelLayout::kTimeplot) return true;
    if (zoomHistory_ && !ui.AskYesNo(kZoomQuestion, Str(kZoomQuestion), MessageIcon::Warning))
        return false;
    WritePhaseSwitches();
    stored_.Write(settings_, chosen_);
    return true;
}

}  // namespace varelo
