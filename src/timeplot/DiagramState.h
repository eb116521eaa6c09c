#pragma once

#include <array>
#include <functional>
#include <limits>
#include <vector>

#include "timeplot/TimeAxis.h"

namespace varelo {

inline constexpr int kMaxCurves = 9;

// The values of one curve at the bottom (0 %) and the top (100 %) of the diagram. Range-limited
// quantities keep their range in folded values.
struct YRange {
    double bottom = std::numeric_limits<double>::max();
    double top = -std::numeric_limits<double>::max();

    bool IsSet() const {
        return !(bottom == std::numeric_limits<double>::max() &&
                 top == -std::numeric_limits<double>::max());
    }
    double Span() const { return top - bottom; }
    bool operator==(const YRange&) const = default;
};

// What a zoom saves and restores as a whole.
struct ViewState {
    int period = 26;
    CTimeStamp windowStart;
    CTimeStamp windowEnd;
    std::array<YRange, kMaxCurves> ranges{};
    int leftCurve = -1;
    int rightCurve = -1;
    int scalingMode = 1;
};

struct Curve {
    int channelId = 0;
    int group = 0;  // 0: none
    bool power = false;
};

// Where the Y ranges come from: the quantity's measuring range, and the smallest and largest
// value of a channel over the measurement as drawn (folded for range-limited quantities);
// false when the channel has no values.
struct ScaleSources {
    std::function<void(int channelId, double& begin, double& end)> measuringRange;
    std::function<bool(int channelId, double& minimum, double& maximum)> extremes;
    bool online = false;
};

// A rectangle in device pixels, y growing downwards.
struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

inline constexpr int kScaleMeasuringRange = 1;
inline constexpr int kScaleExtremes = 2;
inline constexpr int kScaleManual = 3;

// Quantities whose curves add up energy in the window.
bool IsPowerQuantity(int quantity);
// Quantities of one family share a group under automatic group scaling.
int ScaleFamily(int quantity);

// The state of a level-time diagram apart from its drawing: curves, their Y ranges and groups,
// the axis and limit-line curves, the time axis and the zoom history.
class DiagramState {
public:
    explicit DiagramState(TimeAxis axis) : axis_(std::move(axis)) {}

    TimeAxis& Axis() { return axis_; }
    const TimeAxis& Axis() const { return axis_; }

    // New curves in order: curves shown before keep their ranges, the axis and limit-line
    // curves follow theirs or become -1, group numbers are cleared.
    void SetCurves(const std::vector<int>& channelIds);
    const std::vector<Curve>& Curves() const { return curves_; }
    int CurveCount() const { return int(curves_.size()); }

    // Left: curve 0; right: the first other curve outside the left curve's group.
    void ChooseAxisCurvesAfresh();
    // After a channel change: valid choices stay, a missing left takes the right.
    void KeepAxisCurves();
    int LeftCurve() const { return leftCurve_; }
    int RightCurve() const { return rightCurve_; }
    void SetLeftCurve(int curve);
    void SetRightCurve(int curve);

    bool GroupScaling() const { return groupScaling_; }
    void SetGroupScaling(bool on) { groupScaling_ = on; }
    void AssignGroups();
    void SetGroup(int curve, int group);

    int ScalingMode() const { return scalingMode_; }
    void SetScalingMode(int mode) { scalingMode_ = mode; }
    void ComputeRanges(const ScaleSources& sources);
    const YRange& Range(int curve) const { return ranges_[size_t(curve)]; }
    void SetRange(int curve, YRange range);

    // The limit-line curve (-1: none) and its band; drawn last.
    int LimitCurve() const { return limitCurve_; }
    int LimitBand() const { return limitBand_; }
    void SetLimitLine(int curve, int band);
    std::vector<int> DrawingOrder() const;
    // Shift-click on a legend entry: the curve is drawn last, unless a limit line holds that
    // place.
    void DrawLast(int curve);

    ViewState State() const;
    void Restore(const ViewState& state);
    // A rubber band in the diagram: false (and nothing changes) when it is narrower or lower
    // than 15 pixels or the diagram has no size.
    bool Zoom(const PixelRect& band, const PixelRect& diagram);
    bool HasZoomHistory() const { return !history_.empty(); }
    // The state before the first zoom; none without a zoom history.
    const ViewState* StateBeforeZooms() const {
        return history_.empty() ? nullptr : &history_.front();
    }
    // The newest saved state back.
    void UndoZoom();
    // The state before the first zoom back, and the history emptied.
    void UndoAllZooms();
    void DiscardZoomHistory() { history_.clear(); }
    // The period commands: every zoom undone, then the period set on its grid.
    void ChoosePeriod(int period);

private:
    YRange RangeFor(int curve, int mode, const ScaleSources& sources) const;
    YRange GroupRange(int group, int mode, const ScaleSources& sources) const;
    void KeepSpan(int curve);

    TimeAxis axis_;
    std::vector<Curve> curves_;
    std::array<YRange, kMaxCurves> ranges_{};
    int leftCurve_ = -1;
    int rightCurve_ = -1;
    int limitCurve_ = -1;
    int limitBand_ = 0;
    bool groupScaling_ = false;
    int scalingMode_ = kScaleMeasuringRange;
    std::vector<int> drawingOrder_;
    std::vector<ViewState> history_;
};

}  // namespace varelo
