#include "timeplot/DiagramState.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "timeplot/NiceScale.h"

namespace varelo {

namespace {

constexpr int kSmallestBand = 15;  // pixels: a smaller rubber band is a click, not a zoom
constexpr double kSmallestSpan = 0.01;

struct Family {
    int first, last;
};

// Ranges of quantities that scale together; the other sets are listed one by one below.
constexpr Family kFamilyRanges[] = {{301, 301}, {302, 350}, {401, 405}, {121, 170}, {201, 205}};
const std::initializer_list<int> kFamilySets[] = {
    {11, 12, 13, 20},
    {17, 18},
    {21, 22, 39, 40, 49, 50},
    {31, 32, 33, 38},
    {37, 47},
    {41, 42, 43, 48},
    {60, 61, 62, 66, 67, 68, 72, 73, 74, 78, 79, 80, 88, 96, 97},
    {63, 64, 65, 69, 70, 71, 75, 76, 77, 81, 82, 83, 89, 99, 100},
    {84, 85},
    {86, 87},
    {90, 91, 95},
    {92, 93, 94},
    {103, 104},
    {105, 106},
};

int QuantityOf(const Curve& curve) {
    return curve.channelId % 1000;
}

YRange Widened(YRange r, double begin, double end) {
    r.bottom = std::min(r.bottom, begin);
    r.top = std::max(r.top, end);
    return r;
}

}  // namespace

bool IsPowerQuantity(int q) {
    return (q >= 60 && q <= 83) || (q >= 96 && q <= 100) || (q >= 103 && q <= 106);
}

int ScaleFamily(int quantity) {
    int family = 1;
    for (const Family& f : kFamilyRanges) {
        if (quantity >= f.first && quantity <= f.last) return family;
        ++family;
    }
    for (const auto& set : kFamilySets) {
        if (std::find(set.begin(), set.end(), quantity) != set.end()) return family;
        ++family;
    }
    return 1000 + quantity;  // a family of its own
}

void DiagramState::SetCurves(const std::vector<int>& channelIds) {
    const std::vector<Curve> before = curves_;
    const std::array<YRange, kMaxCurves> rangesBefore = ranges_;
    auto follow = [&](int index) {
        if (index < 0 || index >= int(before.size())) return -1;
        for (size_t i = 0; i < curves_.size(); ++i) {
            if (curves_[i].channelId == before[size_t(index)].channelId) return int(i);
        }
        return -1;
    };
    curves_.clear();
    ranges_.fill(YRange{});
    for (int id : channelIds) {
        if (int(curves_.size()) == kMaxCurves) break;
        Curve curve{id, 0, IsPowerQuantity(id % 1000)};
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i].channelId == id) ranges_[curves_.size()] = rangesBefore[i];
        }
        curves_.push_back(curve);
    }
    leftCurve_ = follow(leftCurve_);
    rightCurve_ = follow(rightCurve_);
    SetLimitLine(follow(limitCurve_), limitBand_);
}

void DiagramState::ChooseAxisCurvesAfresh() {
    leftCurve_ = curves_.empty() ? -1 : 0;
    rightCurve_ = -1;
    for (int i = 1; i < CurveCount(); ++i) {
        const bool sameGroup =
            groupScaling_ && curves_[0].group > 0 && curves_[size_t(i)].group == curves_[0].group;
        if (!sameGroup) {
            rightCurve_ = i;
            break;
        }
    }
}

void DiagramState::KeepAxisCurves() {
    if (leftCurve_ < 0) {
        leftCurve_ = rightCurve_;
        rightCurve_ = -1;
    }
    // With both axis curves gone the left axis still needs one.
    if (leftCurve_ < 0 && !curves_.empty()) leftCurve_ = 0;
    if (rightCurve_ == leftCurve_) rightCurve_ = -1;
}

void DiagramState::SetLeftCurve(int curve) {
    if (curve < 0 || curve >= CurveCount()) return;
    leftCurve_ = curve;
    if (rightCurve_ == curve) rightCurve_ = -1;
}

void DiagramState::SetRightCurve(int curve) {
    if (curve < -1 || curve >= CurveCount() || curve == leftCurve_) return;
    rightCurve_ = curve;
}

void DiagramState::AssignGroups() {
    std::vector<int> families;
    for (Curve& curve : curves_) {
        const int family = ScaleFamily(QuantityOf(curve));
        auto at = std::find(families.begin(), families.end(), family);
        if (at == families.end()) at = families.insert(families.end(), family);
        curve.group = int(at - families.begin()) + 1;
    }
}

void DiagramState::SetGroup(int curve, int group) {
    if (curve >= 0 && curve < CurveCount()) curves_[size_t(curve)].group = group;
}

YRange DiagramState::RangeFor(int curve, int mode, const ScaleSources& sources) const {
    const Curve& c = curves_[size_t(curve)];
    const int q = QuantityOf(c);
    double begin = 0, end = 0;
    if (sources.measuringRange) sources.measuringRange(c.channelId, begin, end);
    double minimum = 0, maximum = 0;
    if (mode == kScaleMeasuringRange || !sources.extremes ||
        !sources.extremes(c.channelId, minimum, maximum))
        return {begin, end};
    const ScaleRange r = sources.online ? OnlineMargin(minimum, maximum, q)
                                        : NiceScale(minimum, maximum, begin, IsRangeLimited(q));
    return {r.minimum, r.maximum};
}

YRange DiagramState::GroupRange(int group, int mode, const ScaleSources& sources) const {
    YRange common;
    int first = -1;
    for (int i = 0; i < CurveCount(); ++i) {
        if (curves_[size_t(i)].group != group) continue;
        if (first < 0) first = i;
        const Curve& c = curves_[size_t(i)];
        double begin = 0, end = 0;
        if (sources.measuringRange) sources.measuringRange(c.channelId, begin, end);
        double minimum = begin, maximum = end;
        if (mode != kScaleMeasuringRange && sources.extremes &&
            !sources.extremes(c.channelId, minimum, maximum)) {
            minimum = begin;
            maximum = end;
        }
        common = Widened(common, minimum, maximum);
    }
    if (first < 0 || mode == kScaleMeasuringRange) return common;
    // Rounded as the group's first quantity rounds.
    const Curve& c = curves_[size_t(first)];
    double begin = 0, end = 0;
    if (sources.measuringRange) sources.measuringRange(c.channelId, begin, end);
    const int q = QuantityOf(c);
    const ScaleRange r = sources.online
                             ? OnlineMargin(common.bottom, common.top, q)
                             : NiceScale(common.bottom, common.top, begin, IsRangeLimited(q));
    return {r.minimum, r.maximum};
}

void DiagramState::ComputeRanges(const ScaleSources& sources) {
    for (int i = 0; i < CurveCount(); ++i) {
        // Manual ranges stay; a manual curve without one is scaled to its extremes.
        const int group = curves_[size_t(i)].group;
        if (scalingMode_ != kScaleManual || !ranges_[size_t(i)].IsSet())
            ranges_[size_t(i)] = groupScaling_ && group > 0
                                     ? GroupRange(group, scalingMode_, sources)
                                     : RangeFor(i, scalingMode_, sources);
        KeepSpan(i);
    }
}

void DiagramState::SetRange(int curve, YRange range) {
    if (curve < 0 || curve >= CurveCount()) return;
    ranges_[size_t(curve)] = range;
    KeepSpan(curve);
}

// A range without span would divide by zero when drawn: the top stays above the bottom.
void DiagramState::KeepSpan(int curve) {
    YRange& r = ranges_[size_t(curve)];
    if (!r.IsSet() || r.Span() > 0) return;
    r.top = r.bottom + kSmallestSpan;
    if (IsRangeLimited(QuantityOf(curves_[size_t(curve)])) && r.top > 1) {
        r.top = 1;
        r.bottom = 1 - kSmallestSpan;
    }
}

void DiagramState::SetLimitLine(int curve, int band) {
    limitCurve_ = curve >= 0 && curve < CurveCount() ? curve : -1;
    limitBand_ = band == 1 ? 1 : 0;
    drawingOrder_.erase(std::remove_if(drawingOrder_.begin(), drawingOrder_.end(),
                                       [&](int i) { return i >= CurveCount(); }),
                        drawingOrder_.end());
    for (int i = 0; i < CurveCount(); ++i) {
        if (std::find(drawingOrder_.begin(), drawingOrder_.end(), i) == drawingOrder_.end())
            drawingOrder_.push_back(i);
    }
    if (limitCurve_ >= 0) {
        std::erase(drawingOrder_, limitCurve_);
        drawingOrder_.push_back(limitCurve_);
    }
}

std::vector<int> DiagramState::DrawingOrder() const {
    return drawingOrder_;
}

void DiagramState::DrawLast(int curve) {
    if (limitCurve_ >= 0 || curve < 0 || curve >= CurveCount()) return;
    std::erase(drawingOrder_, curve);
    drawingOrder_.push_back(curve);
}

ViewState DiagramState::State() const {
    return {axis_.Period(), axis_.WindowStart(), axis_.WindowEnd(), ranges_,
            leftCurve_,     rightCurve_,         scalingMode_};
}

void DiagramState::Restore(const ViewState& state) {
    ranges_ = state.ranges;
    leftCurve_ = state.leftCurve < CurveCount() ? state.leftCurve : -1;
    rightCurve_ = state.rightCurve < CurveCount() ? state.rightCurve : -1;
    scalingMode_ = state.scalingMode;
    axis_.SetWindowStart(state.windowStart);
    axis_.SetPeriod(state.period, true);
}

bool DiagramState::Zoom(const PixelRect& band, const PixelRect& diagram) {
    if (band.width < kSmallestBand || band.height < kSmallestBand) return false;
    if (diagram.width <= 0 || diagram.height <= 0) return false;
    history_.push_back(State());

    const int bottomPixels = std::clamp(diagram.Bottom() - band.Bottom(), 0, diagram.height);
    const int b = bottomPixels * 100 / diagram.height;
    // A band taller than the diagram's hundredth still keeps a range.
    const int h = std::max(1, std::min(band.height, diagram.height) * 100 / diagram.height);
    for (int i = 0; i < CurveCount(); ++i) {
        YRange& r = ranges_[size_t(i)];
        if (!r.IsSet()) continue;
        const double span = r.Span();
        r.bottom += b * span / 100;
        r.top = r.bottom + h * span / 100;
        if (IsRangeLimited(QuantityOf(curves_[size_t(i)]))) {
            r.bottom = std::clamp(r.bottom, -1.0, 1.0);
            r.top = std::clamp(r.top, -1.0, 1.0);
        }
        KeepSpan(i);
    }

    const double seconds = double(axis_.WindowSeconds());
    const int offset = std::clamp(band.left - diagram.left, 0, diagram.width);
    CTimeStamp start = axis_.WindowStart();
    start.AddSeconds(static_cast<long long>(seconds * offset / diagram.width));
    const double length = seconds * band.width / diagram.width;
    axis_.SetWindowStart(start);
    axis_.SetPeriod(axis_.PeriodForLength(length), false);
    return true;
}

void DiagramState::UndoZoom() {
    if (history_.empty()) return;
    const ViewState newest = history_.back();
    history_.pop_back();
    Restore(newest);
}

void DiagramState::UndoAllZooms() {
    if (history_.empty()) return;
    const ViewState oldest = history_.front();
    history_.clear();
    Restore(oldest);
}

void DiagramState::ChoosePeriod(int period) {
    UndoAllZooms();
    axis_.SetPeriod(period, true);
}

}  // namespace varelo
