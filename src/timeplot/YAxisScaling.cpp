#include "timeplot/YAxisScaling.h"

#include <algorithm>
#include <cmath>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "timeplot/NiceScale.h"

namespace varelo {

namespace {

constexpr int kZoomQuestion = 373;
constexpr int kNotRising = 1172;
constexpr int kOutOfRange = 1173;
constexpr int kLargestValue = 999000;
constexpr double kSmallestSpan = 0.01;

bool LimitedQuantity(int channelId) {
    return IsRangeLimited(channelId % 1000);
}

// Fields show a range at least this wide: for range-limited quantities on the folded scale
// and within it.
YRange Widened(YRange r, bool limited) {
    if (!r.IsSet()) r = {0, 0};
    if (r.Span() < kSmallestSpan) r.top = r.bottom + kSmallestSpan;
    if (limited && r.top > 1) {
        r.top = 1;
        r.bottom = std::min(r.bottom, 1 - kSmallestSpan);
    }
    return r;
}

// The value a folded one stands for. The ends of the folded scale both stand for 0: -1 is the
// 0 approached from below and shown as "-0", so that the whole scale can be entered again.
double Unfold(double folded) {
    if (folded > 0) return 1 - folded;
    if (folded < 0) return -(1 + folded);
    return 1;
}

}  // namespace

YAxisScaling::YAxisScaling(const DiagramState& diagram, ScaleSources sources,
                           RecordedExtremes recorded)
    : copy_(diagram),
      sources_(std::move(sources)),
      recorded_(std::move(recorded)),
      zoomHistory_(diagram.HasZoomHistory()),
      fromZoom_(zoomHistory_),
      mode_(diagram.ScalingMode()),
      groupScaling_(diagram.GroupScaling()) {
    for (int row = 0; row < Rows(); ++row)
        zoomed_[size_t(row)] = diagram.Range(row);
    const auto& curves = copy_.Curves();
    if (std::any_of(curves.begin(), curves.end(), [](const Curve& c) { return c.group == 0; }))
        copy_.AssignGroups();
    if (!fromZoom_) copy_.ComputeRanges(sources_);
    ShowRanges();
}

bool YAxisScaling::Recorded(int row, double& minimum, double& maximum) const {
    return recorded_ && recorded_(ChannelId(row), minimum, maximum);
}

void YAxisScaling::SetFromZoom(bool on) {
    if (!zoomHistory_ || on == fromZoom_) return;
    fromZoom_ = on;
    if (on) {
        for (int row = 0; row < Rows(); ++row)
            copy_.SetRange(row, zoomed_[size_t(row)]);
    } else {
        // Manual ranges are the ones set before the first zoom; the other modes compute theirs.
        const ViewState* before = copy_.StateBeforeZooms();
        if (mode_ == kScaleManual && before) {
            for (int row = 0; row < Rows(); ++row)
                copy_.SetRange(row, before->ranges[size_t(row)]);
        }
        copy_.SetScalingMode(mode_);
        copy_.ComputeRanges(sources_);
    }
    ShowRanges();
}

void YAxisScaling::SetMode(int mode) {
    if (fromZoom_ || mode < kScaleMeasuringRange || mode > kScaleManual) return;
    mode_ = mode;
    copy_.SetScalingMode(mode);
    // Manual starts from the values shown.
    Recompute();
}

bool YAxisScaling::GroupScalingVisible() const {
    return !fromZoom_ && (mode_ == kScaleExtremes || mode_ == kScaleManual);
}

void YAxisScaling::SetGroupScaling(bool on) {
    groupScaling_ = on;
    copy_.SetGroupScaling(on);
    Recompute();
}

int YAxisScaling::GroupChoices() const {
    int used = 0;
    for (int row = 0; row < Rows(); ++row)
        used = std::max(used, Group(row));
    return std::min(used + 1, Rows());
}

bool YAxisScaling::SetGroup(int row, int group) {
    if (row < 0 || row >= Rows() || group < 1 || group > GroupChoices()) return false;
    const bool limited = LimitedQuantity(ChannelId(row));
    for (int other = 0; other < Rows(); ++other) {
        if (other != row && Group(other) == group && LimitedQuantity(ChannelId(other)) != limited)
            return false;
    }
    copy_.SetGroup(row, group);
    // Numbers stay consecutive: a group left empty closes up.
    std::vector<int> used;
    for (int r = 0; r < Rows(); ++r)
        used.push_back(Group(r));
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    for (int r = 0; r < Rows(); ++r)
        copy_.SetGroup(
            r, int(std::lower_bound(used.begin(), used.end(), Group(r)) - used.begin()) + 1);
    Recompute();
    return true;
}

void YAxisScaling::SetBottom(int row, double value) {
    if (FieldsEditable() && row >= 0 && row < Rows()) shown_[size_t(row)].bottom = value;
}

void YAxisScaling::SetTop(int row, double value) {
    if (FieldsEditable() && row >= 0 && row < Rows()) shown_[size_t(row)].top = value;
}

void YAxisScaling::Recompute() {
    if (fromZoom_ || mode_ == kScaleManual) return;
    copy_.ComputeRanges(sources_);
    ShowRanges();
}

void YAxisScaling::ShowRanges() {
    for (int row = 0; row < Rows(); ++row) {
        const bool limited = LimitedQuantity(ChannelId(row));
        const YRange r = Widened(copy_.Range(row), limited);
        copy_.SetRange(row, r);
        shown_[size_t(row)] = limited ? YRange{Unfold(r.bottom), Unfold(r.top)} : r;
    }
}

std::optional<YAxisScaling::Refusal> YAxisScaling::Check() const {
    if (!FieldsEditable()) return std::nullopt;
    for (int row = 0; row < Rows(); ++row) {
        const bool limited = LimitedQuantity(ChannelId(row));
        const int bound = limited ? 1 : kLargestValue;
        const YRange& r = shown_[size_t(row)];
        const auto outside = [&](double v) { return !(v >= -bound && v <= bound); };
        if (outside(r.bottom) || outside(r.top)) {
            const std::string text =
                Msg(kOutOfRange, {std::to_string(-bound), std::to_string(bound)});
            return Refusal{kOutOfRange, text, row, !outside(r.bottom)};
        }
        // Folding reverses the order of positive values: a range-limited range rises when its
        // folded values do.
        const double bottom = limited ? FoldEntered(r.bottom) : r.bottom;
        const double top = limited ? FoldEntered(r.top) : r.top;
        if (!(top > bottom)) return Refusal{kNotRising, Str(kNotRising), row, true};
    }
    return std::nullopt;
}

bool YAxisScaling::Accept(UserInterface& ui, Settings& settings, DiagramState& diagram,
                          Refusal* refusal) {
    if (zoomHistory_ && !fromZoom_ &&
        !ui.AskYesNo(kZoomQuestion, Str(kZoomQuestion), MessageIcon::Warning))
        return false;
    if (const std::optional<Refusal> refused = Check()) {
        ui.ShowMessage(refused->message, refused->text, MessageIcon::Warning);
        if (refusal) *refusal = *refused;
        return false;
    }
    if (FieldsEditable()) {
        for (int row = 0; row < Rows(); ++row) {
            const YRange& r = shown_[size_t(row)];
            copy_.SetRange(row, LimitedQuantity(ChannelId(row))
                                    ? YRange{FoldEntered(r.bottom), FoldEntered(r.top)}
                                    : r);
        }
    }
    const bool history = diagram.HasZoomHistory();
    for (int row = 0; row < Rows() && row < diagram.CurveCount(); ++row) {
        diagram.SetRange(row, copy_.Range(row));
        diagram.SetGroup(row, Group(row));
    }
    diagram.SetRightCurve(-1);
    diagram.SetLeftCurve(copy_.LeftCurve());
    diagram.SetRightCurve(copy_.RightCurve());
    diagram.SetScalingMode(mode_);
    if (!history) settings.Write(setting::Yscaling, mode_);
    diagram.SetGroupScaling(groupScaling_);
    diagram.DiscardZoomHistory();
    return true;
}

}  // namespace varelo
