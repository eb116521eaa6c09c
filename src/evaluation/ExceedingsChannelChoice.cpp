#include "evaluation/ExceedingsChannelChoice.h"

#include <algorithm>

#include "app/StringTable.h"
#include "evaluation/ExceedingsLimits.h"
#include "evaluation/LimitValues.h"
#include "measurement/IntervalRecord.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kCountText = 1171;  // "%1 channels selected (maximum %2)"

}  // namespace

std::vector<int> OfferedExceedingQuantities(const CLimitValues& limits, const CMeasurementJob& job,
                                            const AvailabilityContext& availability) {
    std::vector<int> offered;
    auto offer = [&](int quantity) {
        if (IsAvailable(quantity, availability) && ExceedingLimitUsable(quantity, limits, job))
            offered.push_back(quantity);
    };
    for (int quantity : {11, 13, 12, 17, 18, 22, 40, 1, 2})
        offer(quantity);
    if (job.MeasFunc != kMeasFuncA) return offered;
    for (int q = kVoltageInterharmonicFirst; q <= kVoltageInterharmonicLast; ++q)
        offer(q);
    for (int q = kVoltageHarmonicFirst; q <= kVoltageHarmonicLast; ++q)
        offer(q);
    for (int q = kCurrentHarmonicFirst; q <= kCurrentHarmonicLast; ++q)
        offer(q);
    return offered;
}

ExceedingsChannelChoice::ExceedingsChannelChoice(const CLimitValues& limits,
                                                 const CMeasurementJob& job,
                                                 const AvailabilityContext& availability,
                                                 PhaseLabels labels)
    : job_(job),
      availability_(availability),
      labels_(labels),
      offered_(OfferedExceedingQuantities(limits, job, availability)) {
    if (!offered_.empty()) offeredRow_ = 0;
}

std::string ExceedingsChannelChoice::OfferedName(int row) const {
    if (row < 0 || row >= int(offered_.size())) return {};
    CMeasurementChannel channel;
    channel.SetupChannel(offered_[size_t(row)]);
    return channel.QuantityName(job_);
}

std::string ExceedingsChannelChoice::ChosenName(int row) const {
    if (row < 0 || row >= int(chosen_.size())) return {};
    CMeasurementChannel channel;
    channel.SetupChannel(chosen_[size_t(row)]);
    return channel.ChannelName(job_, labels_);
}

void ExceedingsChannelChoice::SelectOffered(int row) {
    offeredRow_ = row >= 0 && row < int(offered_.size()) ? row : -1;
}

void ExceedingsChannelChoice::SelectChosen(int row) {
    chosenRow_ = row >= 0 && row < int(chosen_.size()) ? row : -1;
}

bool ExceedingsChannelChoice::IsOffered(int quantityId) const {
    return std::find(offered_.begin(), offered_.end(), quantityId) != offered_.end();
}

std::vector<int> ExceedingsChannelChoice::ChannelsOf(int quantityId) const {
    const QuantityRow* row = FindQuantity(quantityId);
    if (row && row->single) return {quantityId};
    std::vector<int> channels;
    for (int phase = 0; phase < kPhaseCount; ++phase) {
        CMeasurementChannel channel;
        if (availability_.phases[size_t(phase)] &&
            channel.SetupChannel(ChannelIdOf(phase, quantityId)) &&
            channel.IsAvailable(availability_))
            channels.push_back(channel.ChannelId());
    }
    return channels;
}

bool ExceedingsChannelChoice::CanAdd() const {
    if (offeredRow_ < 0 || int(chosen_.size()) >= kMaximum) return false;
    const std::vector<int> channels = ChannelsOf(offered_[size_t(offeredRow_)]);
    return std::any_of(channels.begin(), channels.end(), [this](int id) {
        return std::find(chosen_.begin(), chosen_.end(), id) == chosen_.end();
    });
}

void ExceedingsChannelChoice::Add() {
    if (!CanAdd()) return;
    for (int id : ChannelsOf(offered_[size_t(offeredRow_)])) {
        if (int(chosen_.size()) >= kMaximum) break;
        if (std::find(chosen_.begin(), chosen_.end(), id) == chosen_.end()) chosen_.push_back(id);
    }
}

void ExceedingsChannelChoice::Remove() {
    if (!CanRemove()) return;
    const int quantity = chosen_[size_t(chosenRow_)] % 1000;
    std::erase_if(chosen_, [quantity](int id) { return id % 1000 == quantity; });
    chosenRow_ = chosen_.empty() ? -1 : std::min(chosenRow_, int(chosen_.size()) - 1);
}

void ExceedingsChannelChoice::RemoveAll() {
    chosen_.clear();
    chosenRow_ = -1;
}

std::string ExceedingsChannelChoice::CountText() const {
    return Msg(kCountText, {std::to_string(chosen_.size()), std::to_string(kMaximum)});
}

}  // namespace varelo
