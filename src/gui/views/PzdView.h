#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "app/CommandTable.h"
#include "document/AoaChannelSelection.h"
#include "gui/views/PzdBaseView.h"

namespace varelo {

class CVamor800Doc;

// The level-time diagram of a stored measurement.
class CPzdView : public CPzdBaseView {
    Q_OBJECT

public:
    static constexpr int kCommand = cmd::kTimeplotManual;
    static constexpr int kTemplate = 181;

    // Chooses the curves of a new diagram when the document hands over none; none when the
    // choice was cancelled. Without a chooser the phase voltages are taken.
    using CurveChooser = std::function<std::optional<std::vector<int>>(const CVamor800Doc&)>;
    static void SetCurveChooser(CurveChooser chooser);
    // Chooses the curves with their Y ranges when the document is not in level-time mode
    // (command 33018); none when cancelled. Without one the curve chooser serves.
    using ApplicationChooser =
        std::function<std::optional<AoaSelectionResult>(const CVamor800Doc&)>;
    static void SetApplicationChooser(ApplicationChooser chooser);

    // A new diagram window of the document, or none when the choice of curves was cancelled.
    static CPzdView* Create(const ViewContext& context, QWidget* parent);

    int TemplateId() const override { return kTemplate; }

private:
    CPzdView(const ViewContext& context, QWidget* parent);
    // An application's curves with their ranges as manual ranges; the Y-axis scaling opens at
    // once, so they can be looked over.
    void TakeApplication(const AoaSelectionResult& chosen);
};

// The axis of a stored measurement: from its first to its last interval record.
TimeAxis MeasurementAxis(const CVamor800Doc& doc);

}  // namespace varelo
