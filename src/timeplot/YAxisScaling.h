#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "timeplot/DiagramState.h"

namespace varelo {

class Settings;
class UserInterface;

// The Y-axis scaling of a level-time diagram, worked out on a copy of the diagram's ranges,
// groups and axis choices; OK hands them back. Values are shown and entered unfolded.
class YAxisScaling {
public:
    // The smallest and largest recorded value of a channel, unfolded; false when none.
    using RecordedExtremes = std::function<bool(int channelId, double& minimum, double& maximum)>;

    // A refused OK: the message shown and the field that takes the focus.
    struct Refusal {
        int message = 0;
        std::string text;
        int row = -1;
        bool top = false;  // the "100 %" field, else "0 %"
    };

    YAxisScaling(const DiagramState& diagram, ScaleSources sources, RecordedExtremes recorded);

    int Rows() const { return copy_.CurveCount(); }
    int ChannelId(int row) const { return copy_.Curves()[size_t(row)].channelId; }
    bool Recorded(int row, double& minimum, double& maximum) const;

    // "According to zoom": offered only with a zoom history, and then checked at first.
    bool ZoomAvailable() const { return zoomHistory_; }
    bool FromZoom() const { return fromZoom_; }
    void SetFromZoom(bool on);

    bool ModesEnabled() const { return !fromZoom_; }
    int Mode() const { return mode_; }
    void SetMode(int mode);

    bool GroupScalingVisible() const;
    bool GroupScalingEnabled() const { return Rows() > 1; }
    bool GroupScaling() const { return groupScaling_; }
    void SetGroupScaling(bool on);
    bool GroupsEnabled() const { return GroupScalingVisible() && groupScaling_; }
    // Group numbers offered: 1 .. the groups in use + 1, at most one per curve.
    int GroupChoices() const;
    int Group(int row) const { return copy_.Curves()[size_t(row)].group; }
    // False (nothing changes) when the group holds a curve of the other kind: range-limited
    // and other quantities never share a range.
    bool SetGroup(int row, int group);

    bool FieldsEditable() const { return mode_ == kScaleManual && !fromZoom_; }
    double Bottom(int row) const { return shown_[size_t(row)].bottom; }
    double Top(int row) const { return shown_[size_t(row)].top; }
    void SetBottom(int row, double value);
    void SetTop(int row, double value);

    int LeftCurve() const { return copy_.LeftCurve(); }
    int RightCurve() const { return copy_.RightCurve(); }
    void SetLeftCurve(int row) { copy_.SetLeftCurve(row); }
    // -1: no right axis. The left axis curve cannot also be the right one.
    void SetRightCurve(int row) { copy_.SetRightCurve(row); }

    // The manual fields in row order: the first value out of bounds or the first range that
    // does not rise; none when all are good or the mode is not manual.
    std::optional<Refusal> Check() const;
    // OK: the zoom question (No keeps the dialog open), the check (a refusal keeps it open and
    // is shown), then the diagram takes the ranges, groups, axis choices and mode, its zoom
    // history is discarded and the mode is stored unless there was one.
    bool Accept(UserInterface& ui, Settings& settings, DiagramState& diagram,
                Refusal* refusal = nullptr);

private:
    void Recompute();
    void ShowRanges();

    DiagramState copy_;
    ScaleSources sources_;
    RecordedExtremes recorded_;
    std::array<YRange, kMaxCurves> zoomed_{};
    std::array<YRange, kMaxCurves> shown_{};
    bool zoomHistory_;
    bool fromZoom_;
    int mode_;
    bool groupScaling_;
};

}  // namespace varelo
