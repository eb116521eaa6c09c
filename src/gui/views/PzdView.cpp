#include "gui/views/PzdView.h"

#include "document/Vamor800Doc.h"
#include "measurement/MeasurementChannel.h"

namespace varelo {

namespace {

constexpr int kVoltageAverage = 11;

CPzdView::CurveChooser& Chooser() {
    static CPzdView::CurveChooser chooser;
    return chooser;
}

CPzdView::ApplicationChooser& ApplicationChooserHook() {
    static CPzdView::ApplicationChooser chooser;
    return chooser;
}

std::vector<int> PhaseVoltages(const CVamor800Doc& doc) {
    std::vector<int> channels;
    for (int phase = 0; phase < 3; ++phase) {
        CMeasurementChannel channel;
        const int id = ChannelIdOf(phase, kVoltageAverage);
        if (channel.SetupChannel(id) && channel.IsAvailable(doc.Availability()))
            channels.push_back(id);
    }
    return channels;
}

}  // namespace

TimeAxis MeasurementAxis(const CVamor800Doc& doc) {
    const CIntervalList& intervals = doc.Data().intervals;
    if (intervals.empty()) return TimeAxis({}, {}, doc.GetIntervalLength());
    return TimeAxis(intervals.front().DateTime, intervals.back().DateTime, doc.GetIntervalLength());
}

void CPzdView::SetCurveChooser(CurveChooser chooser) {
    Chooser() = std::move(chooser);
}

void CPzdView::SetApplicationChooser(ApplicationChooser chooser) {
    ApplicationChooserHook() = std::move(chooser);
}

CPzdView::CPzdView(const ViewContext& context, QWidget* parent)
    : CPzdBaseView(context, MeasurementAxis(*context.doc), parent) {
    State().Axis().SetPeriod(DiagramSettings::Read(*context.settings).period, true);
}

CPzdView* CPzdView::Create(const ViewContext& context, QWidget* parent) {
    CVamor800Doc& doc = *context.doc;
    if (!doc.UsesChannelList() && ApplicationChooserHook()) {
        std::optional<AoaSelectionResult> chosen = ApplicationChooserHook()(doc);
        if (!chosen || chosen->channels.empty()) return nullptr;
        auto* view = new CPzdView(context, parent);
        view->TakeApplication(*chosen);
        return view;
    }
    std::vector<int> curves;
    if (doc.UsesChannelList()) curves = doc.TakeChannelList();
    if (curves.empty()) {
        if (Chooser()) {
            std::optional<std::vector<int>> chosen = Chooser()(doc);
            if (!chosen || chosen->empty()) return nullptr;
            curves = std::move(*chosen);
        } else {
            curves = PhaseVoltages(doc);
        }
    }
    auto* view = new CPzdView(context, parent);
    view->SetCurves(curves, true);
    return view;
}

void CPzdView::TakeApplication(const AoaSelectionResult& chosen) {
    State().SetScalingMode(kScaleManual);
    State().DiscardZoomHistory();
    SetCurves(chosen.channels, true);
    for (size_t i = 0; i < chosen.ranges.size() && int(i) < State().CurveCount(); ++i)
        State().SetRange(int(i), chosen.ranges[i]);
    Changed();
    ScaleYAxis();
    Changed();
}

}  // namespace varelo
