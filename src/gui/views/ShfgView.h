#pragma once

#include <QHash>

#include "app/CommandTable.h"
#include "gui/views/PaintedResultView.h"
#include "gui/views/ShfgPainter.h"

namespace varelo {

// The voltage cumulative frequency: per channel its extremes, class values and a bar against
// the nominal or the limit value; clicked channels can be drawn as a level-time diagram.
class CShfgView : public PaintedResultView {
    Q_OBJECT

public:
    static constexpr int kCommand = cmd::kVoltageCumulative;
    static constexpr int kTemplate = 182;
    static constexpr int kMaxSelection = 9;

    explicit CShfgView(const ViewContext& context, QWidget* parent = nullptr)
        : CShfgView(context, CumulativeView::kVoltage, parent) {}

    int TemplateId() const override;
    QString ViewName() const override;
    void OnDocumentUpdate() override;
    QList<QMenu*> WindowMenus() override { return {menu_}; }
    QAction* CommandAction(int commandId) const override { return actions_.value(commandId); }
    std::unique_ptr<Printout> MakePrintout() const override;

    bool RunCommand(int commandId);
    bool IsCommandEnabled(int commandId) const;
    bool IsCommandChecked(int commandId) const;
    // A click on a channel: selected (at most 9, in click order) or deselected, and detailed.
    void ClickChannel(int channel);
    const ShfgPicture& Picture() const { return picture_; }

protected:
    CShfgView(const ViewContext& context, CumulativeView kind, QWidget* parent);
    bool PaintContent(QPainter& painter, const QRectF& area, const PaintOptions& options) override;
    double ContentHeight(const PaintOptions& options, double width) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Rebuild();
    void BuildLines();
    void UpdateActions();
    void ChooseClassLimits();

    CumulativeView kind_;
    ShfgPicture picture_;
    QMenu* menu_ = nullptr;
    QHash<int, QAction*> actions_;
};

// The same for the currents, the neutral's included.
class CShfgViewCurrent : public CShfgView {
    Q_OBJECT

public:
    static constexpr int kCommand = cmd::kCurrentCumulative;
    static constexpr int kTemplate = 183;

    explicit CShfgViewCurrent(const ViewContext& context, QWidget* parent = nullptr)
        : CShfgView(context, CumulativeView::kCurrent, parent) {}
};

}  // namespace varelo
